// Loading the sound module with QLibrary: from the program's own folder (a build or an unpacked
// copy), else from where an install puts it.
#include "AudioLoader.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

std::unique_ptr<AudioBackend> loadAudioBackend() {
    using Factory = AudioBackend* (*)();
    const QString folder = QCoreApplication::applicationDirPath();
    QLibrary module(folder + QStringLiteral("/quorvel_audio"));
    if (!module.load())
        module.setFileName(folder + QStringLiteral("/" QUORVEL_INSTALLED_MODULES "/quorvel_audio"));
    const auto create = reinterpret_cast<Factory>(module.resolve("quorvelCreateAudioBackend"));
    if (!create) {
        std::fprintf(stderr, "Quorvel: no sound (%s); the game plays on silently.\n",
                     qPrintable(module.errorString()));
        return nullptr;
    }
    return std::unique_ptr<AudioBackend>(create()); // the module stays loaded to the end
}
