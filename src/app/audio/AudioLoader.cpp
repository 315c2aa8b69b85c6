// Loading the sound module with QLibrary, from the program's own folder only.
#include "AudioLoader.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

std::unique_ptr<AudioBackend> loadAudioBackend() {
    using Factory = AudioBackend* (*)();
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/quorvel_audio"));
    const auto create = reinterpret_cast<Factory>(module.resolve("quorvelCreateAudioBackend"));
    if (!create) {
        std::fprintf(stderr, "Quorvel: no sound (%s); the game plays on silently.\n",
                     qPrintable(module.errorString()));
        return nullptr;
    }
    return std::unique_ptr<AudioBackend>(create()); // the module stays loaded to the end
}
