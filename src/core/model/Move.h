// A player's action as a value with a short text form: what the tool reads, replays and tests
// write.
#pragma once

#include "records/CivilDate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

struct Move {
    enum class Kind {
        Shift,         // "shift C down|up": down is the arrow above the column, up the one below
        Click,         // "click R C": lock or unlock the letter in a cell
        Drop,          // "drop R C": the padlock dropped on a cell
        LockAll,       // "lockall"
        Clue,          // "clue": draws the letter and charges; its shifts follow as steps
        ClueStep,      // "clue-step": one shift of a running clue
        Solve,         // "solve"
        Undo,          // "undo"
        Pause,         // "pause": pause, or continue a paused game
        BannerOk,      // "ok": the message banner's OK
        NewPuzzle,     // "new"
        PickLevel,     // "level L" (the picker closed) or "level L new" (closed with New Game)
        NextLevel,     // "level next"
        PreviousLevel, // "level previous"
        RandomLevel,   // "level random"
        Wait,          // "wait S" or "wait S.mmm": the game clock runs on
        Tick,          // "tick": the game timer's interval has elapsed
        PickerLevel,   // "picker L": the level picker's track bar moved, the picker still open
        RestoreLevel,  // "restore-level L": the level kept in the settings, shown at start-up
        BannerTimeUp,  // "banner-timeout": a banner shown for a time has had its time
        ShowBanner,    // "banner S RRGGBB TEXT": a message banner for S seconds (0 waits, -1
                       // stays), its colour 0xBBGGRR in hex
        PlayCode,      // "code CODE": the game on the board ends as with New, then the code's
                       // board is built with its own level, words and options
        Daily,         // "daily YYYY-MM-DD": the same for the day's puzzle, a daily game
        SetOption,     // "set NAME VALUE": one of the player's options (see OptionMoves.h)
    };

    // The options a SetOption move changes, by their names in its text form.
    enum class Option {
        Handicap,       // "handicap -1|0|1"
        Timed,          // "timed 0|1"
        TimerSounds,    // "timer-sounds 0|1"
        AutoAdvance,    // "auto-advance 0|1"
        Lock,           // "lock none|vowels|first|random"
        Dictionary,     // "dictionary NAME": the rest of the line
        Definitions,    // "definitions 0|1"
        Trace,          // "trace 0|1"
        TraceAvailable, // "trace-available 0|1"
    };

    Kind kind = Kind::NewPuzzle;
    int column = 0;           // Shift, Click, Drop: 1-based
    int row = 0;              // Click, Drop: 1-based
    bool down = false;        // Shift
    int level = 0;            // PickLevel, PickerLevel, RestoreLevel
    bool startGame = false;   // PickLevel
    std::int64_t waitMs = 0;  // Wait
    int seconds = 0;          // ShowBanner
    std::uint32_t colour = 0; // ShowBanner
    std::string text;         // ShowBanner; PlayCode: the code
    CivilDate date;           // Daily
    Option option = Option::Handicap; // SetOption, with its value in value (a switch 0 or 1,
    int value = 0;                    // the handicap, the LockRule) or, for the dictionary, text

    static Move shift(int column, bool down);
    static Move click(int row, int column);
    static Move drop(int row, int column);
    static Move pickLevel(int level, bool startGame);
    static Move pickerLevel(int level);
    static Move restoreLevel(int level);
    static Move banner(int seconds, std::uint32_t colour, std::string text);
    static Move wait(std::int64_t ms);
    static Move playCode(std::string code);
    static Move daily(const CivilDate& date);
    static Move setOption(Option option, int value);
    static Move setDictionary(std::string name);
    static Move of(Kind kind); // a move without arguments

    bool operator==(const Move&) const = default;
};

// What parsing a line made of it: a move, or an error. Neither means the line's first word
// names no move at all (the tool then tries its own commands).
struct MoveParse {
    std::optional<Move> move;
    std::string error; // "usage: ..." for a move word with wrong arguments
};

MoveParse parseMove(std::string_view line);
std::string formatMove(const Move& move);

} // namespace quorvel
