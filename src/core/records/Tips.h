// The tip of the day: tips read by number from zq/TIPS.TXT, and the dialog's counter and state.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// What the tip dialog shows and keeps. The title and text start as the "no tips" notice and
// keep whatever they showed last when a tip cannot be found.
struct TipState {
    std::string title = "Oops...";
    std::string text = "Sorry, no (more) tips are available. You can disable this message by "
                       "unchecking \"Show Tips at Startup\" at the bottom of this dialog.";
    int counter = 0;            // the number of the last tip shown, 0..65535 (LastTip)
    bool showAtStartup = true;  // "Show Tips at Startup" (TOTD)
    bool nextEnabled = true;    // "Next Tip"
    bool closeDialog = false;   // the tip file could not be read: the dialog closes at once
};

// One tip found in a tip file's text.
struct Tip {
    std::string title;
    std::string text; // each line after the title with a space before it, the ending empty line too
};

// The tip numbered `number` in the file's text, split into lines at CR LF, CR or LF. A tip
// starts after the line "-N"; the marker as the very last line counts as missing.
std::optional<Tip> findTip(std::string_view fileText, int number);

// The dialog's tip logic: each showing of the dialog and each "Next Tip" moves to the next tip.
// After the last tip the counter starts over at 0 and "Show Tips at Startup" is cleared, so the
// dialog no longer opens by itself until the player checks the box again.
class TipOfTheDay {
public:
    // folder: the program folder with its trailing '/'; the tips are zq/TIPS.TXT there.
    explicit TipOfTheDay(std::string folder) : m_folder(std::move(folder)) {}

    // The next tip from the file, read anew each time as the player may edit it.
    void next();
    // The same over text already read; nullopt stands for a file that cannot be read.
    void next(const std::optional<std::string>& fileText);

    const TipState& state() const { return m_state; }
    void setCounter(int counter); // LastTip from the settings; out of 0..65535 reads as 0
    void setShowAtStartup(bool show) { m_state.showAtStartup = show; }

    static constexpr int MaxCounter = 65535;

private:
    std::string m_folder;
    TipState m_state;
};

} // namespace quorvel
