// The words for a damaged, missing or unreadable dictionary or layouts file.
#include "dialogs/FileProblems.h"

#include "support/Text.h"

#include "model/Layouts.h"
#include "words/DictionaryError.h"

#include <system_error>

namespace quorvel {

namespace {

QString quoted(const std::string& path) {
    return QStringLiteral("\"%1\"").arg(fromFileSystem(path));
}

// The system's reason after a colon, or nothing when it gave none.
QString because(const std::error_code& error) {
    return error ? QStringLiteral(": %1").arg(QString::fromLocal8Bit(error.message().c_str()))
                 : QString();
}

QString dictionaryFault(const DictionaryError& error) {
    const QString file = quoted(error.path);
    switch (error.fault) {
    case DictionaryFault::Missing:
        return QStringLiteral("The file %1 does not exist.").arg(file);
    case DictionaryFault::CannotOpen:
        return QStringLiteral("The file %1 cannot be opened%2.").arg(file, because(error.error));
    case DictionaryFault::CannotRead:
        return QStringLiteral("The file %1 cannot be read%2.").arg(file, because(error.error));
    case DictionaryFault::NotADictionary:
        return QStringLiteral("The file %1 is not a dictionary.").arg(file);
    case DictionaryFault::CutShort:
        if (error.offset == 0)
            return QStringLiteral("The file %1 is empty.").arg(file);
        return QStringLiteral("The file %1 is cut short: it ends unexpectedly after %2 bytes.")
            .arg(file)
            .arg(error.offset);
    case DictionaryFault::Damaged:
        return QStringLiteral("The file %1 is damaged at byte offset %2.")
            .arg(file)
            .arg(error.offset);
    case DictionaryFault::TooLarge:
        return QStringLiteral("The file %1 is too large to load.").arg(file);
    }
    return QStringLiteral("The file %1 cannot be used.").arg(file);
}

QString layoutsFallback(const LayoutsProblem& problem) {
    switch (problem.fallback) {
    case LayoutsProblem::Fallback::BuiltInLevels:
        return QStringLiteral("The levels file cannot be used, so the four built-in levels are "
                              "played instead.");
    case LayoutsProblem::Fallback::LevelsInUse:
        return QStringLiteral("The levels file cannot be used, so the levels read before stay "
                              "in play.");
    case LayoutsProblem::Fallback::FirstLevelOnly:
        return QStringLiteral("The levels file does not match its checksum, so only level 1 can "
                              "be played.");
    }
    return {};
}

QString layoutsFault(const LayoutsProblem& problem) {
    using Fault = LayoutsProblem::Fault;
    const QString file = quoted(problem.path);
    switch (problem.fault) {
    case Fault::Missing:
        return QStringLiteral("The file %1 does not exist.").arg(file);
    case Fault::Unreadable:
        return QStringLiteral("The file %1 cannot be read%2.").arg(file, because(problem.error));
    case Fault::Empty:
        return QStringLiteral("The file %1 is empty.").arg(file);
    case Fault::NoHeader:
        return QStringLiteral("The file %1 is damaged at line 1, which must hold five characters "
                              "and then the checksum.")
            .arg(file);
    case Fault::NoLevels:
        return QStringLiteral("The file %1 holds no level after line 1.").arg(file);
    case Fault::ChecksumMismatch:
        return QStringLiteral("In the file %1, line 1 gives the checksum %2, but the lines add up "
                              "to %3.")
            .arg(file)
            .arg(problem.expected)
            .arg(problem.computed);
    }
    return QStringLiteral("The file %1 cannot be used.").arg(file);
}

} // namespace

QString dictionaryFailureText(const DictionaryError& error) {
    return fromFileSystem(error.what()) + QStringLiteral("\n\n") + dictionaryFault(error);
}

QString layoutsProblemText(const LayoutsProblem& problem) {
    return layoutsFallback(problem) + QStringLiteral("\n\n") + layoutsFault(problem);
}

} // namespace quorvel
