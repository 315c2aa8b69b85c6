// Making the audio back end from the sound module.
#include "AudioLoader.h"

#include "support/Modules.h"

#include <cstdio>

std::unique_ptr<AudioBackend> loadAudioBackend() {
    using Factory = AudioBackend* (*)();
    QString why;
    const auto create =
        reinterpret_cast<Factory>(moduleFunction("quorvel_audio", "quorvelCreateAudioBackend", why));
    if (!create) {
        std::fprintf(stderr, "Quorvel: no sound (%s); the game plays on silently.\n",
                     qPrintable(why));
        return nullptr;
    }
    return std::unique_ptr<AudioBackend>(create()); // the module stays loaded to the end
}
