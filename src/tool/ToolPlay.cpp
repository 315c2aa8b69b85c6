// quorvel-tool play: a headless game driven by one command a line, answering in JSON Lines.
#include "PlaySession.h"
#include "Tool.h"

#include "base/Cp1252.h"
#include "base/Text.h"
#include "model/OptionMoves.h"
#include "records/DailyRecords.h"
#include "records/Statistics.h"
#include "words/WordLists.h"

#include <chrono>
#include <iostream>

namespace quorvel::tool {

using nlohmann::json;

namespace {

std::string utf8(std::string_view bytes) {
    return cp1252ToUtf8(bytes);
}

} // namespace

// --- the listener ----------------------------------------------------------------------

void JsonListener::print(const json& event) {
    m_out << event.dump(-1, ' ', false, json::error_handler_t::replace) << '\n';
    m_out.flush();
}

void JsonListener::error(const std::string& text) {
    print({{"event", "error"}, {"text", utf8(text)}});
}

void JsonListener::movesChanged(int shown, Colour) {
    print({{"event", "moves"}, {"value", shown}});
}

void JsonListener::playEffect(const std::string& name) {
    print({{"event", "sound"}, {"name", name}});
}

void JsonListener::playMusic(const std::string& name) {
    print({{"event", "music"}, {"name", name}});
}

void JsonListener::showBanner(const std::string& text, int seconds, Colour colour) {
    print({{"event", "banner"}, {"text", utf8(text)}, {"seconds", seconds}, {"colour", colour}});
}

void JsonListener::flash(const std::string& text) {
    print({{"event", "flash"}, {"text", utf8(text)}});
}

void JsonListener::message(const std::string& text) {
    print({{"event", "message"}, {"text", utf8(text)}});
}

void JsonListener::status(const std::string& text) {
    print({{"event", "status"}, {"text", utf8(text)}});
}

void JsonListener::record(const std::string& line) {
    print({{"event", "record"}, {"line", utf8(line)}});
    if (m_statsPath.empty())
        return;
    try {
        appendStatisticsLine(m_statsPath, line);
    } catch (const std::exception& e) {
        error(e.what());
    }
}

void JsonListener::dailyFinished(const DailyResult& result) {
    print({{"event", "daily"},
           {"date", isoDate(result.date)},
           {"result", std::string(1, result.result)},
           {"movesLeft", result.movesLeft},
           {"cluesUsed", result.cluesUsed},
           {"summary", dailySummary(result)}});
    if (dailyPath.empty())
        return;
    try {
        addDailyResult(dailyPath, result);
    } catch (const std::exception& e) {
        error(e.what());
    }
}

// --- the session -------------------------------------------------------------------------

PlaySession::PlaySession(const PlayOptions& options, std::ostream& out)
    : m_start(options), m_listener(out, options.statsPath), m_random(options.seed),
      m_game(m_random, options.root) {
    // Setting up is silent; only a missing word list is worth a line.
    for (const Move& move : optionMoves(GameOptions{}, options.game))
        m_game.apply(move);
    m_game.loadLayouts();
    m_game.apply(Move::pickLevel(options.level, false));
    try {
        m_game.wordLists().load(options.root);
    } catch (const std::exception& e) {
        m_listener.error(e.what());
    }
}

MoveResult PlaySession::play(const Move& move) {
    const Outcome outcome = m_game.apply(move);
    tell(m_listener, outcome.events);
    return outcome.result;
}

void PlaySession::afterCommand() {
    // A banner shown for a time has had its time by the next command.
    const BannerState& banner = m_game.state().banner;
    if (banner.visible && banner.seconds > 0)
        play(Move::of(Move::Kind::BannerTimeUp));
}

bool PlaySession::handle(const std::string& line) {
    const std::vector<std::string> words = splitWords(line);
    if (words.empty())
        return true;
    const std::string& command = words[0];
    if (command == "quit")
        return false;
    if (command == "dump" && words.size() == 1) {
        m_listener.print(state());
    } else if (!handlePlayMove(*this, words)) {
        error("unknown command: " + line);
        return true;
    }
    afterCommand();
    return true;
}

int PlaySession::run(std::istream& in) {
    // A command ends at LF, CR LF or a lone CR (an old Mac editor's file).
    std::string line;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        if (c == '\r' && in.peek() == '\n')
            continue;
        if (c != '\r' && c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        if (!handle(line))
            return 0;
        line.clear();
    }
    if (!line.empty())
        handle(line);
    return 0;
}

namespace {

struct PlayArguments {
    std::string root;
    long long seed = -1;
    int level = 1;
    int handicap = 0;
    std::string lock = "none";
    std::string dictionary = "Common Words";
    bool timed = false;
    bool definitions = false;
    bool autoAdvance = false;
    PlayStart start;
};

void play(const PlayArguments& a) {
    PlayOptions options;
    options.root = a.root.empty() ? toolFolder() : a.root;
    if (options.root.back() != '/')
        options.root += '/';
    if (!a.root.empty())
        options.statsPath = options.root + "zq/stats.zq";
    options.seed = a.seed >= 0 ? static_cast<std::uint32_t>(a.seed)
                               : static_cast<std::uint32_t>(
                                     std::chrono::steady_clock::now().time_since_epoch().count());
    options.level = a.level;
    options.game.handicap = a.handicap;
    options.game.lock = a.lock == "vowels"   ? LockRule::Vowels
                        : a.lock == "first"  ? LockRule::First
                        : a.lock == "random" ? LockRule::Randomly
                                             : LockRule::None;
    options.game.dictionary = a.dictionary;
    options.game.timed = a.timed;
    options.game.definitions = a.definitions;
    options.game.autoAdvance = a.autoAdvance;
    PlaySession session(options, std::cout);
    if (!a.root.empty())
        session.listener().dailyPath = options.root + "zq/daily.txt";
    startPlay(session, a.start);
    session.run(std::cin);
    endPlay(session, a.start);
}

} // namespace

void addPlayCommand(CLI::App& app) {
    static PlayArguments args;
    CLI::App* cmd =
        app.add_subcommand("play", "Play headless: one command a line on standard input, "
                                   "JSON Lines on standard output");
    cmd->add_option("--root", args.root,
                    "The program folder (default: the tool's own); finished games are "
                    "recorded in its zq/stats.zq only when it is named");
    cmd->add_option("--seed", args.seed, "Seed of the random source (default: from the clock)")
        ->check(CLI::Range(0LL, 4294967295LL));
    cmd->add_option("--level", args.level, "The level picker's position");
    cmd->add_option("--handicap", args.handicap,
                    "-1 lower penalties, 0 neutral, 1 higher penalties")
        ->check(CLI::IsMember({-1, 0, 1}));
    cmd->add_option("--lock", args.lock, "Initial locked letters")
        ->check(CLI::IsMember({"none", "vowels", "first", "random"}));
    cmd->add_option("--dictionary", args.dictionary, "Dictionary name (kbs/NAME.dic)");
    cmd->add_flag("--timed", args.timed, "Timed game");
    cmd->add_flag("--definitions", args.definitions, "Show definitions");
    cmd->add_flag("--auto-advance", args.autoAdvance, "Start the next puzzle on the banner's OK");
    addPlayStartOptions(*cmd, args.start);
    cmd->callback([] { play(args); });
}

} // namespace quorvel::tool
