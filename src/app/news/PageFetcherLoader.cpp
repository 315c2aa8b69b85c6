// Making the page fetcher from the news module, when the news window first needs it.
#include "news/PageFetcher.h"

#include "support/Modules.h"

std::unique_ptr<PageFetcher> loadPageFetcher(QString& why) {
    using Factory = PageFetcher* (*)();
    const auto create =
        reinterpret_cast<Factory>(moduleFunction("quorvel_news", "quorvelCreatePageFetcher", why));
    return std::unique_ptr<PageFetcher>(create ? create() : nullptr);
}
