// The options dialog: the player's game options as live controls, kept in the settings file.
#pragma once

#include "base/FileLocations.h"
#include "model/GameTypes.h"
#include "support/Colours.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class Settings;

// Every change is in force as soon as it is made; there is no cancel. Each persisted control's
// objectName is its key in the settings table, and the generic passes find the controls by kind,
// so a check box, radio button, combo box, line edit, spin box, slider or radio group (a named
// group box of unnamed radio buttons) named after a declared key is kept with no further code.
// The handicap is kept; Sound Volume and Game Size are named after no key and kept elsewhere
// (Game Size) or not at all (Sound Volume).
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int NewGameResult = 4; // closed by "New Game": the caller starts a game

    // Fills the dictionary list from the kbs folder of files' program folder and restores the
    // controls from settings, which the dialog keeps them in for the whole run.
    OptionsDialog(const quorvel::FileLocations& files, Settings& settings,
                  QWidget* parent = nullptr);
    // The same, with every file in the program folder.
    OptionsDialog(const QString& programFolder, Settings& settings, QWidget* parent = nullptr);

    const QString& programFolder() const { return m_programFolder; }
    const quorvel::FileLocations& files() const { return m_files; }

    // The generic passes over the dialog's controls in creation order. Loading leaves the lock
    // rule and quick setting in force shown, also when the file names neither.
    void loadControls();
    bool saveControls(); // false when a control could not be written

    // The options as the game reads them, taken from the controls now.
    quorvel::GameOptions gameOptions() const;
    // The letter colours read when the dialog was created (keys Red, Green, Blue).
    LetterColours letterColours() const { return m_letterColours; }

    int gameSize() const;            // tbSize, 1..3
    static int fontPointsForSize(int position); // the tile font a Game Size position gives
    void setGameSize(int size);      // runs gameSizeMoved when the position changes
    int volume() const;              // tbSound's volume, 4096..61440
    // The game's own output volume at a Sound Volume position (1 loudest, 15 quietest).
    static constexpr int volumeForPosition(int position) { return (16 - position) * 4096; }
    bool resumesGames() const;       // a game in play at shut-down is kept for the next run
    bool hasDictionary() const;      // an entry of the Dictionary list is selected
    void selectDictionaryFallback(); // the entry at index 1, when there is one
    void setNewGameEnabled(bool enabled);
    void setUserLevelEnabled(bool enabled);

    bool isTraceMode() const { return m_traceMode; }
    void setTraceMode(bool on);
    void setTraceAvailable(bool available);

public slots:
    // Applies the preset of the given Quick Settings entry; "None" changes nothing.
    void userLevelChange(int index);

signals:
    void optionsChanged(); // any option that gameOptions() reports
    // The template tile's size and font size for a new Game Size position.
    void templateTileSizeChanged(int width, int height, int fontPoints);
    // The game's own output volume at the Sound Volume slider's new position.
    void volumeChanged(int volume);
    void traceModeChanged(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override; // Esc is the OK button: there is nothing to cancel

private:
    void createControls();
    void createLabelsAndButtons();
    void createDictionaryChoice();
    QGroupBox* createHandicapGroup();
    QGroupBox* createVolumeGroup();
    QGroupBox* createGameSizeGroup();
    QGroupBox* createSettingsGroup();
    QGroupBox* createLockGroup();
    void createUserLevelChoice();
    struct ControlGroups {
        QGroupBox* handicap;
        QGroupBox* volume;
        QGroupBox* gameSize;
        QGroupBox* settings;
        QGroupBox* lock;
    };
    void placeControls(QGridLayout* grid, const ControlGroups& groups);
    void setReadingTabOrder();
    void fillDictionaryList(const QString& selected);
    void makeLockButton(QRadioButton* button);
    void showChoicesInForce();
    void gameSizeMoved(int position);

    quorvel::FileLocations m_files;
    QString m_programFolder;
    Settings& m_settings;
    LetterColours m_letterColours;
    bool m_traceMode = false;
    bool m_traceAvailable = false;

    // Named after their settings keys; created in this order.
    QLabel* m_wordListLabel = nullptr;
    QLabel* m_quickSettingsLabel = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_newGameButton = nullptr;
    QComboBox* m_dictionary = nullptr;
    QSlider* m_handicap = nullptr;
    QSlider* m_volume = nullptr;
    QListWidget* m_dictionaryFiles = nullptr;
    QSlider* m_gameSize = nullptr;
    QCheckBox* m_definitions = nullptr;
    QCheckBox* m_timed = nullptr;
    QCheckBox* m_autoAdvance = nullptr;
    QCheckBox* m_timerPopSounds = nullptr;
    QCheckBox* m_resumeGames = nullptr;
    QRadioButton* m_lockVowels = nullptr;
    QRadioButton* m_lockFirst = nullptr;
    QRadioButton* m_lockNone = nullptr;
    QRadioButton* m_lockRandomly = nullptr;
    QComboBox* m_userLevel = nullptr;
};
