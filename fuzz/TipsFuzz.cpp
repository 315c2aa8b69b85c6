// libFuzzer target: any tips file answers every tip number safely, and the dialog's counter
// stays within its range however the file is made.
#include "records/Tips.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const int number : {-1, 0, 1, 2, 3, 7, 65535, 2147483647})
        if (const auto tip = findTip(text, number); tip && tip->title.size() > size)
            std::abort();
    TipOfTheDay tips("/nonexistent/");
    tips.setCounter(size % 5 == 0 ? 65535 : static_cast<int>(size % 4));
    for (int i = 0; i < 6; ++i) {
        tips.next(text);
        const int counter = tips.state().counter;
        if (counter < 0 || counter > TipOfTheDay::MaxCounter)
            std::abort();
    }
    return 0;
}
