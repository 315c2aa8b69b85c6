// Words for a screen reader: labels named with their text, and the words a move found.
#include "support/Speech.h"

#include "support/Text.h"

#include "model/Board.h"

#include <QAccessible>
#include <QStringList>
#include <QWidget>

namespace quorvel {

namespace {

QString spokenName(const QString& caption, const QString& text) {
    const QString words = text.simplified();
    return words.isEmpty() ? caption : caption + QStringLiteral(": ") + words;
}

} // namespace

void updateSpokenText(QWidget* widget, const QString& caption, const QString& text) {
    const QString name = spokenName(caption, text);
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name); // raises the name-changed event itself
}

void speakText(QWidget* widget, const QString& caption, const QString& text) {
    const QString name = spokenName(caption, text);
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name); // raises the name-changed event itself
        return;
    }
    if (QAccessible::isActive()) {
        QAccessibleEvent again(widget, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&again);
    }
}

std::set<int> foundWordStarts(const Board& board) {
    std::set<int> starts;
    for (int tile = 1; tile <= board.tileCount; ++tile) {
        const Tile& t = board.tile(tile);
        if (t.wordStart && t.found && t.caption != GapChar)
            starts.insert(tile);
    }
    return starts;
}

QString newWordsText(const std::set<int>& before, const Board& board) {
    QStringList words;
    for (const int start : foundWordStarts(board)) {
        if (before.contains(start))
            continue;
        // A listed word the puzzle lacks is underlined on the board; the ear needs telling too,
        // or a player goes on to letters that no longer make the puzzle's own words.
        const QString word = fromCp1252(board.readWord(start, true));
        words << (board.tile(start).underlined ? word + QStringLiteral(" (a word of your own)") : word);
    }
    if (words.isEmpty())
        return {};
    const QString caption = words.size() == 1 ? QStringLiteral("Word found: ")
                                              : QStringLiteral("Words found: ");
    return caption + words.join(QStringLiteral(", "));
}

} // namespace quorvel
