// The main window's side of start-up and shut-down: settings restored into the window and back.
#include "window/MainWindowSessionHost.h"

#include "board/BoardView.h"
#include "support/Dialogs.h"
#include "window/HelpCommands.h"
#include "support/HintSwitch.h"
#include "dialogs/TipDialog.h"
#include "dialogs/LevelPicker.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "window/WindowPlacement.h"
#include "dialogs/OptionsDialog.h"
#include "audio/SoundPlayer.h"
#include "window/StatusBanner.h"
#include "dialogs/StyleDialog.h"
#include "support/Text.h"
#include "board/TileStyle.h"
#include "dialogs/TraceWindow.h"

#include <QAction>
#include <QSaveFile>
#include <QThread>

namespace quorvel {

QWidget* MainSessionHost::window() {
    return &m_main;
}

Dialogs& MainSessionHost::dialogs() {
    return m_main.dialogs();
}

// The tip counter and "Show Tips at Startup" live in the tip dialog of the Help commands.
TipDialog* MainSessionHost::tipDialog() const {
    return m_main.help() ? m_main.help()->tipDialog() : nullptr;
}

int MainSessionHost::tipCounter() const {
    const TipDialog* tips = tipDialog();
    return tips ? tips->counter() : 0;
}

void MainSessionHost::setTipCounter(int counter) {
    if (TipDialog* tips = tipDialog())
        tips->setCounter(counter);
}

bool MainSessionHost::showTipsAtStartup() const {
    const TipDialog* tips = tipDialog();
    return tips ? tips->showAtStartup() : false;
}

void MainSessionHost::setShowTipsAtStartup(bool show) {
    if (TipDialog* tips = tipDialog())
        tips->setShowAtStartup(show);
}

void MainSessionHost::showTipOfTheDay() {
    m_main.tipAtStartUp();
}

void MainSessionHost::showNewsWindow() {
    if (m_main.help())
        m_main.help()->showNews();
}

void MainSessionHost::resumeUnfinishedGame(bool resume) {
    m_main.resumeUnfinishedGame(resume);
}

void MainSessionHost::keepUnfinishedGame(bool keep) {
    m_main.keepUnfinishedGame(keep);
}

void MainSessionHost::setTraceCommandsVisible(bool visible) {
    const MainWindow::MenuItems& items = m_main.menuItems();
    for (QAction* item : {items.exportLevels, items.rebuildWordLists, items.trace})
        item->setVisible(visible);
    if (m_main.optionsDialog())
        m_main.optionsDialog()->setTraceAvailable(visible);
    m_main.applyOptions();
}

TileLook MainSessionHost::templateTileLook() const {
    const TileAppearance& look = m_main.boardView()->tileAppearance();
    return TileLook{colourToWindows(look.colour), look.fontFamily, look.pointSize, look.bold};
}

void MainSessionHost::setTemplateTileLook(const TileLook& look) {
    TileAppearance appearance = m_main.boardView()->tileAppearance();
    appearance.colour = colourFromWindows(look.colour);
    appearance.fontFamily = look.fontName;
    appearance.pointSize = look.fontSize;
    appearance.bold = look.bold;
    m_main.boardView()->setTileAppearance(appearance);
}

void MainSessionHost::setTemplateTileSize(int /*width*/, int /*height*/, int fontPoints) {
    // The size itself is taken by the next puzzle from the Game Size table; the font applies now.
    TileAppearance appearance = m_main.boardView()->tileAppearance();
    appearance.pointSize = fontPoints;
    m_main.boardView()->setTileAppearance(appearance);
}

// Sample N is the one named "panelN", wherever it stands among the samples.
void MainSessionHost::setTemplateTileStyle(int sample) {
    TileAppearance appearance = m_main.boardView()->tileAppearance();
    appearance.style = tileStylePreset(QStringLiteral("panel%1").arg(sample))
                           .value_or(*tileStylePreset(QStringLiteral("panel1")));
    m_main.boardView()->setTileAppearance(appearance);
}

void MainSessionHost::setStyleSamples(const TileLook& look) {
    m_styleSamples = look;
    if (StyleDialog* dialog = m_main.existingStyleDialog())
        dialog->setSamples(look);
}

void MainSessionHost::restoreStyleSamples(StyleDialog& dialog) const {
    if (m_styleSamples)
        dialog.setSamples(*m_styleSamples);
}

void MainSessionHost::setLetterColours(const LetterColours& colours) {
    m_letterColours = colours;
    m_main.boardView()->setLetterColours(colourFromWindows(colours.unlocked),
                                         colourFromWindows(colours.locked),
                                         colourFromWindows(colours.revealed));
}

bool MainSessionHost::loadBackground(const QString& path) {
    QPixmap picture;
    if (!picture.load(path))
        return false;
    BoardView* board = m_main.boardView();
    board->setBackground(picture, board->isBackgroundStretched(), board->isBackgroundVisible());
    return true;
}

void MainSessionHost::saveBackground(const QString& path) {
    const QPixmap& picture = m_main.boardView()->backgroundPicture();
    if (picture.isNull())
        return;
    // Written beside the old picture and renamed over it, so a failed save keeps the old one.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && picture.save(&file, "BMP"))
        file.commit();
}

void MainSessionHost::setBackgroundStretched(bool stretched) {
    BoardView* board = m_main.boardView();
    board->setBackground(board->backgroundPicture(), stretched, board->isBackgroundVisible());
}

bool MainSessionHost::isBackgroundVisible() const {
    return m_main.boardView()->isBackgroundVisible();
}

void MainSessionHost::setBackgroundVisible(bool visible) {
    BoardView* board = m_main.boardView();
    board->setBackground(board->backgroundPicture(), board->isBackgroundStretched(), visible);
}

Colour MainSessionHost::boardColour() const {
    return colourToWindows(m_main.boardView()->boardColour());
}

void MainSessionHost::setBoardColour(Colour colour) {
    m_main.setBoardColour(colourFromWindows(colour));
}

void MainSessionHost::loadLayouts() {
    m_main.loadLayouts();
}

void MainSessionHost::advanceBanner() {
    m_main.statusBanner().advance();
}

void MainSessionHost::setBannerTimerEnabled(bool enabled) {
    if (enabled)
        m_main.statusBanner().scrollTimer().start();
    else
        m_main.statusBanner().scrollTimer().stop();
}

QAction* MainSessionHost::menuItem(MenuCheck item) const {
    const MainWindow::MenuItems& items = m_main.menuItems();
    switch (item) {
    case MenuCheck::Music:
        return items.music;
    case MenuCheck::Sound:
        return items.sound;
    case MenuCheck::Hints:
        return items.hints;
    case MenuCheck::Banner:
        return items.banner;
    case MenuCheck::LockMarks:
        return items.lockMarks;
    }
    return items.banner;
}

bool MainSessionHost::isMenuChecked(MenuCheck item) const {
    return menuItem(item)->isChecked();
}

void MainSessionHost::setMenuChecked(MenuCheck item, bool checked) {
    menuItem(item)->setChecked(checked);
    if (item == MenuCheck::Banner)
        m_main.statusBanner().setOn(checked);
    if (item == MenuCheck::LockMarks)
        m_main.boardView()->setLockMarksShown(checked);
    if (item == MenuCheck::Hints && m_main.hintSwitch())
        m_main.hintSwitch()->setEnabled(checked);
}

// Positions are the frame's top-left corner, title bar included, as the player sees the
// window. A hidden window has no frame, so its position then is where the frame last stood.
QPoint MainSessionHost::windowPosition() const {
    return m_hiddenAt.value_or(m_main.pos());
}

void MainSessionHost::setWindowPosition(QPoint position) {
    m_main.move(frameOnScreen(position, m_main.frameGeometry().size()));
}

void MainSessionHost::centreWindow() {
    m_main.move(frameCentredOnPrimaryScreen(m_main.frameGeometry().size()));
}

int MainSessionHost::level() const {
    return m_main.game().state().values.level;
}

void MainSessionHost::showLevel(int level) {
    m_main.restoreLevel(level);
}

void MainSessionHost::stopAndHide() {
    m_hiddenAt = m_main.pos();
    m_main.hide();
    m_main.statusBanner().scrollTimer().stop();
    m_main.idleTimer().stop();
    m_main.clueStepTimer().stop();
    m_main.setEnabled(false);
}

void MainSessionHost::clearStatusLine() {
    m_main.statusBanner().setText(QString());
}

// A missing or damaged effect is reported once and stays silent; start-up goes on.
void MainSessionHost::loadSoundEffects() {
    const QStringList unusable = m_main.sound().loadEffects();
    if (!unusable.isEmpty())
        m_main.dialogs().warn(&m_main, SoundPlayer::missingEffectsWarning(unusable));
}

int MainSessionHost::outputVolume() const {
    return m_main.sound().volume();
}

void MainSessionHost::setOutputVolume(int volume) {
    m_main.sound().setVolume(volume);
}

void MainSessionHost::stopSoundEffects() {
    m_main.sound().stopEffects();
}

void MainSessionHost::pauseDuringFade(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms)); // the window is hidden; nothing to redraw
}

void MainSessionHost::closeMusic() {
    m_main.sound().closeMusic();
}

} // namespace quorvel
