// Loading the game's modules with QLibrary, from beside the program or from the install's folder.
#include "support/Modules.h"

#include <QCoreApplication>
#include <QLibrary>

void* moduleFunction(const char* name, const char* symbol, QString& why) {
    const QString folder = QCoreApplication::applicationDirPath();
    const QString file = QString::fromLatin1(name);
    QLibrary module(folder + QLatin1Char('/') + file);
    if (!module.load())
        module.setFileName(folder + QStringLiteral("/" QUORVEL_INSTALLED_MODULES "/") + file);
    // Never unloaded: what the module made lives on after this QLibrary goes.
    void* function = reinterpret_cast<void*>(module.resolve(symbol));
    if (!function)
        why = module.errorString();
    return function;
}
