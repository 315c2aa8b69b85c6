// The main window seen by the start-up and shut-down sequences, through its public commands.
#pragma once

#include "window/SessionHost.h"

#include <optional>

class StyleDialog;
class TipDialog;
class QAction;

namespace quorvel {

class MainWindow;

class MainSessionHost : public SessionHost {
public:
    explicit MainSessionHost(MainWindow& main) : m_main(main) {}

    QWidget* window() override;
    Dialogs& dialogs() override;

    void setTraceCommandsVisible(bool visible) override;
    TileLook templateTileLook() const override;
    void setTemplateTileLook(const TileLook& look) override;
    void setTemplateTileSize(int width, int height, int fontPoints) override;
    void setTemplateTileStyle(int sample) override;
    void setStyleSamples(const TileLook& look) override;
    // The style dialog is made when first opened: it takes the samples start-up restored.
    void restoreStyleSamples(StyleDialog& dialog) const;
    LetterColours letterColours() const override { return m_letterColours; }
    void setLetterColours(const LetterColours& colours) override;

    bool loadBackground(const QString& path) override;
    void saveBackground(const QString& path) override;
    void setBackgroundStretched(bool stretched) override;
    bool isBackgroundVisible() const override;
    void setBackgroundVisible(bool visible) override;
    Colour boardColour() const override;
    void setBoardColour(Colour colour) override;

    void loadLayouts() override;
    void advanceBanner() override;
    void setBannerTimerEnabled(bool enabled) override;
    bool isMenuChecked(MenuCheck item) const override;
    void setMenuChecked(MenuCheck item, bool checked) override;

    int tipCounter() const override;
    void setTipCounter(int counter) override;
    bool showTipsAtStartup() const override;
    void setShowTipsAtStartup(bool show) override;
    void showTipOfTheDay() override;
    void showNewsWindow() override;
    void resumeUnfinishedGame(bool resume) override;
    void keepUnfinishedGame(bool keep) override;

    QPoint windowPosition() const override;
    void setWindowPosition(QPoint position) override;
    void centreWindow() override;
    int level() const override;
    void showLevel(int level) override;

    void stopAndHide() override;
    void clearStatusLine() override;
    void loadSoundEffects() override;
    int outputVolume() const override;
    void setOutputVolume(int volume) override;
    int startVolume() const override { return m_startVolume; }
    void stopSoundEffects() override;
    void pauseDuringFade(int ms) override;
    void closeMusic() override;

private:
    QAction* menuItem(MenuCheck item) const;
    TipDialog* tipDialog() const;

    MainWindow& m_main;
    std::optional<QPoint> m_hiddenAt; // where the frame stood when shut-down hid the window
    LetterColours m_letterColours;
    std::optional<TileLook> m_styleSamples; // none until start-up restores them
    int m_startVolume = 65535; // the game's output starts at full volume
};

} // namespace quorvel
