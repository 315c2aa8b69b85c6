// The level table, the level shown and picked, and the statistics line of a game.
#pragma once

#include "rules/Play.h"

#include "records/DailyRecords.h"

#include <string>

namespace quorvel {

void setPickerLevel(Play& p, int level); // the next puzzle's level, kept within 1..LevelCount
void showLevel(Play& p, int level);      // the level display, below 1 shown as 1
// The level kept in the settings, shown at start-up: one beyond the table becomes the last.
void restoreLevel(Play& p, int stored);
// Each of these three shows its level and builds there.
void randomLevel(Play& p);
void previousLevel(Play& p);
void nextLevel(Play& p);
// After the picker closes: its level is shown, and built with startGame.
void levelPicked(Play& p, bool startGame);
// The statistics line of the game on the board, counted at a level, without CR LF.
std::string recordLineAt(Play& p, char result, int level);
void appendRecord(Play& p, char result);
void appendRecord(Play& p, char result, int level); // a won game records the level played
// A daily game's end as its records keep it.
DailyResult dailyResult(const GameState& state, char result);
void setLevelTable(Play& p, LevelTable table); // LoadLayouts' result; keeps the picker in range
void loadLayouts(Play& p);

} // namespace quorvel
