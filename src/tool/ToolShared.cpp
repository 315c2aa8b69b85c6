// quorvel-tool: shared puzzles and saved games at the start and end of play, and the daily command.
#include "PlaySession.h"
#include "Tool.h"

#include "base/Files.h"

#include <iostream>

namespace quorvel::tool {

namespace {

CivilDate dateOrExit(const std::string& text) {
    const std::optional<CivilDate> date = parseIsoDate(text);
    if (!date)
        throw ExitStatus{2, "Not a date (YYYY-MM-DD): " + text};
    return *date;
}

struct DailyArguments {
    std::string root;
    std::string date;
    bool dump = false;
};

// Prints the day's code; with dump, builds the day's puzzle headless and prints its state.
void daily(const DailyArguments& a) {
    const CivilDate date = dateOrExit(a.date);
    PlayOptions options;
    options.root = a.root.empty() ? toolFolder() : a.root;
    if (options.root.back() != '/')
        options.root += '/';
    PlaySession session(options, std::cout);
    Game& game = session.game();
    std::cout << encodePuzzleCode(game.dailyPuzzle(date)) << '\n';
    if (!a.dump)
        return;
    game.apply(Move::daily(date)); // its events are not printed: the state is
    if (!game.state().isInPlay())
        throw ExitStatus{1, "The daily puzzle could not be built."};
    session.listener().print(session.state());
}

} // namespace

void startPlay(PlaySession& session, const PlayStart& start) {
    Game& game = session.game();
    if (!start.resume.empty()) {
        std::string text;
        try {
            text = readWholeFile(start.resume);
        } catch (const FileError& error) {
            throw ExitStatus{2, error.what()};
        }
        const SavedGameRead read = parseSavedGame(text);
        if (!read.game)
            throw ExitStatus{2, start.resume + ": " + read.problem};
        const ResumeResult resumed = game.resumeGame(*read.game);
        if (resumed.problem != ResumeProblem::None)
            throw ExitStatus{2, start.resume + ": " + resumed.message};
    }
    if (!start.code.empty()) {
        const CodeRead read = game.readPuzzleCode(start.code);
        if (!read.puzzleSpec)
            throw ExitStatus{2, read.message};
        session.play(Move::playCode(start.code));
    }
    if (!start.daily.empty())
        session.play(Move::daily(dateOrExit(start.daily)));
}

void endPlay(PlaySession& session, const PlayStart& start) {
    if (start.save.empty() || !session.game().state().isInPlay())
        return;
    const Game& game = session.game();
    try {
        writeWholeFile(start.save, formatSavedGame(game.saveGame(game.state().timerElapsedMs)));
    } catch (const FileError& error) {
        throw ExitStatus{1, error.what()};
    }
}

void addPlayStartOptions(CLI::App& play, PlayStart& start) {
    CLI::Option* code =
        play.add_option("--code", start.code, "Play this puzzle code's board first");
    CLI::Option* day = play.add_option("--daily", start.daily,
                                       "Play the daily puzzle of this date (YYYY-MM-DD) first");
    CLI::Option* resume = play.add_option("--resume", start.resume,
                                          "Go on with the game saved in this file (see --save)");
    code->excludes(day)->excludes(resume);
    day->excludes(resume);
    play.add_option("--save", start.save,
                    "At the end of input, save the game still in play to this file");
}

void addDailyCommand(CLI::App& app) {
    static DailyArguments args;
    CLI::App* cmd = app.add_subcommand(
        "daily", "Print the puzzle code of a date's daily puzzle; with --dump, build it and "
                 "print its state as the play command's dump does");
    cmd->add_option("date", args.date, "The date, YYYY-MM-DD")->required();
    cmd->add_option("--root", args.root, "The program folder (default: the tool's own)");
    cmd->add_flag("--dump", args.dump, "Build the puzzle headless and print its state");
    cmd->callback([] { daily(args); });
}

} // namespace quorvel::tool
