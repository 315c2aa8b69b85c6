// What the start-up and shut-down sequences need from the main window, which implements it.
#pragma once

#include "dialogs/BoardLook.h"
#include "support/Colours.h"

#include "model/Colour.h"

#include <QPoint>
#include <QString>

class Dialogs;
class QWidget;

// Checkable items of the Options menu whose state the settings keep.
enum class MenuCheck { Music, Sound, Hints, Banner, LockMarks };

// Pure functions are state the sequences read or restore; the virtual functions with a body are
// hooks for features that may not exist yet, and may keep doing nothing.
class SessionHost : public BoardLook {
public:
    virtual ~SessionHost() = default;

    // The parent of questions and notices, and the one way to ask them.
    virtual QWidget* window() = 0;
    virtual Dialogs& dialogs() = 0;

    // --- start-up --------------------------------------------------------------------------
    // The Export and 345 items of the File menu and the Trace item of the Options menu.
    virtual void setTraceCommandsVisible(bool visible) = 0;
    // The template tile's size as the Game Size slider sets it.
    virtual void setTemplateTileSize(int width, int height, int fontPoints) = 0;
    // The style dialog's colour and font samples (colour sample shows the font at 8 points).
    virtual void setStyleSamples(const TileLook& /*look*/) {}

    // The board's background picture, kept as zq/BG.bmp when the game closes.
    virtual void saveBackground(const QString& /*path*/) {}

    virtual void loadLayouts() = 0;
    virtual void advanceBanner() = 0; // the next message of the rolling banner
    virtual void setBannerTimerEnabled(bool enabled) = 0;

    virtual bool isMenuChecked(MenuCheck item) const = 0;
    virtual void setMenuChecked(MenuCheck item, bool checked) = 0;

    // The tip dialog's counter (0..65535) and its "Show Tips at Startup" box.
    virtual int tipCounter() const = 0;
    virtual void setTipCounter(int counter) = 0;
    virtual bool showTipsAtStartup() const = 0;
    virtual void setShowTipsAtStartup(bool show) = 0;
    virtual void showTipOfTheDay() {}

    // The window frame's left and top; setting it keeps the whole window on a screen.
    virtual QPoint windowPosition() const = 0;
    virtual void setWindowPosition(QPoint position) = 0;
    virtual void centreWindow() = 0; // on the primary screen, where no position is stored

    virtual int level() const = 0;
    // ShowLevel of the stored level at start-up, brought within the level table first.
    virtual void showLevel(int level) = 0;

    virtual void showNewsWindow() {} // after Yes to the news prompt
    virtual void loadSoundEffects() {}
    // The game left in play at the last shut-down back on the board; resume false (the
    // player's option) only forgets it.
    virtual void resumeUnfinishedGame(bool /*resume*/) {}

    // --- shut-down -------------------------------------------------------------------------
    // Before anything stops: the game in play kept for the next start when keep is true,
    // else any kept game forgotten.
    virtual void keepUnfinishedGame(bool /*keep*/) {}
    // Hide the window, stop the banner and game timers, disable the window.
    virtual void stopAndHide() = 0;
    virtual void clearStatusLine() = 0;

    // The game's own audio output volume, 0..65535 (never the system mixer).
    virtual int outputVolume() const = 0;
    virtual void setOutputVolume(int volume) = 0;
    virtual int startVolume() const = 0; // the output volume when the main window was created
    virtual void stopSoundEffects() {}
    virtual void pauseDuringFade(int /*ms*/) {} // between two steps of the shut-down fade
    virtual void closeMusic() {}
};
