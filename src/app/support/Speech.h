// What the window says to a screen reader: a label is named by its caption and what it shows,
// and each new text raises one event, so the reader speaks it once.
#pragma once

#include <QString>

#include <set>

class QWidget;

namespace quorvel {

class Board;

// Names widget "caption: text" (only the caption while there is no text) and raises one
// name-changed event, also when the same words come again: a second "Insufficient points" is
// news too.
void speakText(QWidget* widget, const QString& caption, const QString& text);
// The same for a value shown all along, such as the counter: an event only when the words change.
void updateSpokenText(QWidget* widget, const QString& caption, const QString& text);

// The first tiles of the words found on the board.
std::set<int> foundWordStarts(const Board& board);
// "Word found: CAT", or "Words found: CAT, DOG", for the words found since `before` was taken;
// empty when none was.
QString newWordsText(const std::set<int>& before, const Board& board);

} // namespace quorvel
