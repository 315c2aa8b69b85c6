// Copies a folder's files, subfolders included, so a test plays in its own program folder.
#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

// to ends in '/'; files already there are left as they are. A game played from the build
// folder leaves its statistics and saved picture beside the shipped files; those are a
// player's, not the game's, and a test starts without them.
inline void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        if (it.fileName() == QLatin1String("stats.zq") || it.fileName() == QLatin1String("BG.bmp"))
            continue;
        const QString target = to + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}
