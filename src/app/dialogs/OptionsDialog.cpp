// The options dialog: its controls, the generic load and save passes and the quick settings.
#include "dialogs/OptionsDialog.h"

#include "base/ProgramFolder.h"
#include "settings/Settings.h"
#include "settings/SettingsBinder.h"
#include "support/TabOrder.h"
#include "support/Text.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>
#include <functional>

using quorvel::toCp1252;

namespace {

// The slider stands in the middle until start-up restores the stored Game Size.
constexpr int kGameSizeBeforeStartUp = 2;

QLabel* makeLabel(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

// A vertical track bar whose lowest position is at the top, as its labels say.
QSlider* makeTrackBar(const char* name, int minimum, int maximum, int value, QWidget* parent) {
    auto* slider = new QSlider(Qt::Vertical, parent);
    slider->setObjectName(QLatin1String(name));
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    slider->setPageStep(1);
    slider->setTickInterval(1);
    slider->setTickPosition(QSlider::TicksRight);
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    return slider;
}

// A group box holding a track bar between a top and a bottom caption (and an optional middle).
QGroupBox* makeTrackBarGroup(const QString& title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    new QGridLayout(group);
    return group;
}

void placeTrackBar(QGroupBox* group, QSlider* slider, const QStringList& captions) {
    auto* grid = static_cast<QGridLayout*>(group->layout());
    grid->addWidget(slider, 0, 0, 3, 1);
    const Qt::Alignment places[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    for (int i = 0; i < captions.size(); ++i) {
        const int row = captions.size() == 2 ? i * 2 : i;
        grid->addWidget(makeLabel(captions[i], group), row, 1, places[row]);
    }
}

// A screen reader reads a track bar's name and its bare number; the name says what the
// position means instead ("Handicap Level: Neutral penalties"), kept up to date as it moves.
void nameByMeaning(QSlider* slider, const QString& caption, std::function<QString(int)> meaning) {
    const auto rename = [slider, caption, meaning](int value) {
        slider->setAccessibleName(caption + QStringLiteral(": ") + meaning(value));
    };
    rename(slider->value());
    QObject::connect(slider, &QSlider::valueChanged, slider, rename);
}

QFont boldFont(QFont font) {
    font.setBold(true);
    return font;
}

} // namespace

OptionsDialog::OptionsDialog(const QString& programFolder, Settings& settings, QWidget* parent)
    : OptionsDialog(quorvel::FileLocations(programFolder.toStdString()), settings, parent) {}

OptionsDialog::OptionsDialog(const quorvel::FileLocations& files, Settings& settings,
                             QWidget* parent)
    : QDialog(parent), m_files(files),
      m_programFolder(QString::fromStdString(files.programFolder())), m_settings(settings) {
    setWindowTitle(QStringLiteral("Quorvel - Options"));
    createControls();

    fillDictionaryList(m_settings.readText(Setting::Dictionary));
    loadControls();

    const auto readColour = [this](Setting key) {
        return static_cast<quorvel::Colour>(m_settings.readInteger(key));
    };
    m_letterColours.unlocked = readColour(Setting::LetterUnlocked);
    m_letterColours.locked = readColour(Setting::LetterLocked);
    m_letterColours.revealed = readColour(Setting::LetterRevealed);
}

// Widgets are created with their final parent and in the order of the load and save passes:
// the passes walk the children depth first, which is creation order as long as nothing is
// reparented afterwards. Layouts place them independently of that order.
void OptionsDialog::createControls() {
    auto* grid = new QGridLayout(this);
    createLabelsAndButtons();
    createDictionaryChoice();
    ControlGroups groups{};
    groups.handicap = createHandicapGroup();
    groups.volume = createVolumeGroup();
    // The list the dictionary choice is filled from; never shown.
    m_dictionaryFiles = new QListWidget(this);
    m_dictionaryFiles->setObjectName(QStringLiteral("FileListBox1"));
    m_dictionaryFiles->hide();
    groups.gameSize = createGameSizeGroup();
    groups.settings = createSettingsGroup();
    groups.lock = createLockGroup();
    createUserLevelChoice();
    placeControls(grid, groups);
    setReadingTabOrder();
}

// The buttons are made first, for the passes; Tab reaches them last, after the form read row by
// row: the switches of the Settings group as they are shown (so a new one needs no place here),
// the lock buttons in the order they are shown.
void OptionsDialog::setReadingTabOrder() {
    QList<QWidget*> order{m_dictionary, m_handicap, m_volume, m_gameSize};
    for (QCheckBox* box :
         m_definitions->parentWidget()->findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly))
        order << box;
    order << m_lockNone << m_lockVowels << m_lockFirst << m_lockRandomly << m_userLevel
          << m_newGameButton << m_okButton;
    orderTabs(order);
}

void OptionsDialog::createLabelsAndButtons() {
    m_wordListLabel = makeLabel(QStringLiteral("Word List:"), this);
    m_wordListLabel->setObjectName(QStringLiteral("Label8"));
    m_quickSettingsLabel = makeLabel(QStringLiteral("Quick Settings:"), this);
    m_quickSettingsLabel->setObjectName(QStringLiteral("Label3"));
    for (QLabel* label : {m_wordListLabel, m_quickSettingsLabel})
        label->installEventFilter(this);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("Button1"));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    m_newGameButton = new QPushButton(QStringLiteral("New Game"), this);
    m_newGameButton->setObjectName(QStringLiteral("bNewWords"));
    m_newGameButton->setEnabled(false);
    connect(m_newGameButton, &QPushButton::clicked, this, [this] { done(NewGameResult); });
}

void OptionsDialog::createDictionaryChoice() {
    m_dictionary = new QComboBox(this);
    m_dictionary->setObjectName(Settings::keyName(Setting::Dictionary));
    m_dictionary->setFont(boldFont(m_dictionary->font()));
    connect(m_dictionary, &QComboBox::currentIndexChanged, this, &OptionsDialog::optionsChanged);
    m_wordListLabel->setBuddy(m_dictionary);
    m_dictionary->setAccessibleName(QStringLiteral("Word list"));
}

QGroupBox* OptionsDialog::createHandicapGroup() {
    auto* group = makeTrackBarGroup(QStringLiteral("Handicap Level:"), this);
    m_handicap = makeTrackBar("handicap", -1, 1, 0, group);
    placeTrackBar(group, m_handicap,
                  {QStringLiteral("Lower Penalties"), QStringLiteral("Neutral"),
                   QStringLiteral("Higher Penalties")});
    connect(m_handicap, &QSlider::valueChanged, this, &OptionsDialog::optionsChanged);
    nameByMeaning(m_handicap, QStringLiteral("Handicap Level"), [](int value) {
        return value < 0   ? QStringLiteral("Lower penalties")
               : value > 0 ? QStringLiteral("Higher penalties")
                           : QStringLiteral("Neutral penalties");
    });
    return group;
}

QGroupBox* OptionsDialog::createVolumeGroup() {
    auto* group = makeTrackBarGroup(QStringLiteral("Sound Volume:"), this);
    m_volume = makeTrackBar("tbSound", 1, 15, 8, group);
    placeTrackBar(group, m_volume, {QStringLiteral("Louder"), QStringLiteral("Quieter")});
    connect(m_volume, &QSlider::valueChanged, this,
            [this](int position) { emit volumeChanged(volumeForPosition(position)); });
    nameByMeaning(m_volume, QStringLiteral("Sound Volume"), [this](int value) {
        if (value == m_volume->minimum())
            return QStringLiteral("Loudest");
        if (value == m_volume->maximum())
            return QStringLiteral("Quietest");
        return QStringLiteral("%1 of %2 from loudest").arg(value).arg(m_volume->maximum());
    });
    return group;
}

QGroupBox* OptionsDialog::createGameSizeGroup() {
    auto* group = makeTrackBarGroup(QStringLiteral("Game Size:"), this);
    const SettingEntry& size = settingEntry(Setting::GameSize);
    m_gameSize = makeTrackBar("tbSize", size.minimum, size.maximum, kGameSizeBeforeStartUp, group);
    placeTrackBar(group, m_gameSize, {QStringLiteral("Smallest"), QStringLiteral("Maximum")});
    connect(m_gameSize, &QSlider::valueChanged, this, &OptionsDialog::gameSizeMoved);
    nameByMeaning(m_gameSize, QStringLiteral("Game Size"), [this](int value) {
        if (value == m_gameSize->minimum())
            return QStringLiteral("Smallest");
        if (value == m_gameSize->maximum())
            return QStringLiteral("Maximum");
        return QStringLiteral("Medium");
    });
    return group;
}

QGroupBox* OptionsDialog::createSettingsGroup() {
    auto* group = new QGroupBox(QStringLiteral("Settings:"), this);
    auto* layout = new QVBoxLayout(group);
    // Each box starts as its key's fallback; loadControls() then shows the stored value.
    const auto makeCheckBox = [&](Setting key, const QString& caption) {
        auto* box = new QCheckBox(caption, group);
        box->setObjectName(Settings::keyName(key));
        box->setChecked(settingEntry(key).fallback != 0);
        layout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &OptionsDialog::optionsChanged);
        return box;
    };
    m_definitions = makeCheckBox(Setting::Def, QStringLiteral("Show Definitions"));
    m_timed = makeCheckBox(Setting::Timed, QStringLiteral("Timed Game"));
    m_autoAdvance = makeCheckBox(Setting::AutoAdvance, QStringLiteral("Auto Advance"));
    m_autoAdvance->setToolTip(
        QStringLiteral("Upon completion of a level, advance to the next level"));
    m_timerPopSounds = makeCheckBox(Setting::TimerPopSounds, QStringLiteral("Timer Sounds"));
    m_resumeGames = makeCheckBox(Setting::ResumeGames, QStringLiteral("Resume Unfinished Game"));
    m_resumeGames->setToolTip(
        QStringLiteral("A game left unfinished when Quorvel closes is back at the next start"));
    m_resumeGames->setAccessibleName(QStringLiteral("Resume unfinished game"));
    return group;
}

QGroupBox* OptionsDialog::createLockGroup() {
    auto* group = new QGroupBox(QStringLiteral("Initial Locked Letters:"), this);
    auto* layout = new QVBoxLayout(group);
    const auto makeRadio = [&](Setting key, const QString& caption) {
        auto* button = new QRadioButton(caption, group);
        button->setObjectName(Settings::keyName(key));
        makeLockButton(button);
        return button;
    };
    m_lockVowels = makeRadio(Setting::LockVowels, QStringLiteral("Lock Vowels"));
    m_lockFirst = makeRadio(Setting::LockFirst, QStringLiteral("Lock First Letters"));
    m_lockNone = makeRadio(Setting::LockNone, QStringLiteral("Lock None"));
    m_lockRandomly = makeRadio(Setting::LockRandomly, QStringLiteral("Lock Randomly"));
    for (QRadioButton* button : {m_lockNone, m_lockVowels, m_lockFirst, m_lockRandomly})
        layout->addWidget(button); // Lock None is shown first
    return group;
}

void OptionsDialog::createUserLevelChoice() {
    m_userLevel = new QComboBox(this);
    m_userLevel->setObjectName(Settings::keyName(Setting::UserLevel));
    m_userLevel->setEditable(true);
    m_userLevel->setAccessibleName(QStringLiteral("User level"));
    m_quickSettingsLabel->setBuddy(m_userLevel);
    m_userLevel->lineEdit()->setAccessibleName(QStringLiteral("User level"));
    m_userLevel->setInsertPolicy(QComboBox::NoInsert);
    m_userLevel->setFont(boldFont(m_userLevel->font()));
    m_userLevel->addItems({QStringLiteral("None"), QStringLiteral("Beginner or Novice"),
                           QStringLiteral("Moderate Difficulty"), QStringLiteral("Advanced"),
                           QStringLiteral("Expert")});
    m_userLevel->setCurrentIndex(-1);
    m_userLevel->setEditText(QString());
    // Only the player's own choice runs the preset: setting the text by code does not.
    connect(m_userLevel, &QComboBox::activated, this, &OptionsDialog::userLevelChange);
    connect(m_userLevel->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        const int index = m_userLevel->findText(text, Qt::MatchFixedString);
        if (index >= 0)
            userLevelChange(index);
    });
}

void OptionsDialog::placeControls(QGridLayout* grid, const ControlGroups& groups) {
    grid->addWidget(m_wordListLabel, 0, 0);
    grid->addWidget(m_dictionary, 0, 1, 1, 3);
    grid->addWidget(groups.handicap, 1, 0);
    grid->addWidget(groups.volume, 1, 1);
    grid->addWidget(groups.gameSize, 1, 2);
    grid->addWidget(groups.settings, 2, 0, 1, 2);
    grid->addWidget(groups.lock, 2, 2, 1, 2);
    grid->addWidget(m_quickSettingsLabel, 3, 0);
    grid->addWidget(m_userLevel, 3, 1, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_newGameButton);
    buttons->addWidget(m_okButton);
    grid->addLayout(buttons, 4, 0, 1, 4);
}

// The lock buttons form one group in which none may be checked, so Qt's own exclusivity (which
// always keeps one checked) is replaced: checking one unchecks its sibling radio buttons, and a
// click on a checked one leaves it checked.
void OptionsDialog::makeLockButton(QRadioButton* button) {
    button->setAutoExclusive(false);
    connect(button, &QRadioButton::toggled, this, [this, button](bool checked) {
        if (checked)
            for (QRadioButton* other :
                 button->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
                if (other != button)
                    other->setChecked(false);
        emit optionsChanged();
    });
    connect(button, &QRadioButton::clicked, button, [button](bool checked) {
        if (!checked)
            button->setChecked(true);
    });
}

// The kbs folder sorted by name; an entry is a file name less its last 4 characters (".dic").
// Only dictionary files are listed: notices and other files in the folder name no dictionary.
void OptionsDialog::fillDictionaryList(const QString& selected) {
    const QDir kbs(m_programFolder + QStringLiteral("kbs"));
    // The suffix compared here rather than by a name filter, which Qt turns into a regular
    // expression: compiling it would load the expression engine just for this, at start-up.
    QStringList files = kbs.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    files.removeIf([](const QString& file) {
        return !file.endsWith(QLatin1String(".dic"), Qt::CaseInsensitive);
    });
    m_dictionaryFiles->clear();
    m_dictionaryFiles->addItems(files);
    for (const QString& file : files)
        if (file.size() > 4)
            m_dictionary->addItem(file.chopped(4));
    m_dictionary->setCurrentIndex(m_dictionary->findText(selected, Qt::MatchFixedString));
}

void OptionsDialog::loadControls() {
    loadBoundControls(*this, m_settings, KeyNames::AreKeys);
    showChoicesInForce();
}

// A file that names no lock rule plays Lock None, and one that names no quick setting has none
// in force: the dialog says so rather than leaving the choices blank. Showing "None" runs no
// preset, as any stored quick setting does not.
void OptionsDialog::showChoicesInForce() {
    if (!m_lockVowels->isChecked() && !m_lockFirst->isChecked() && !m_lockRandomly->isChecked())
        m_lockNone->setChecked(true);
    if (m_userLevel->currentText().isEmpty())
        m_userLevel->setEditText(m_userLevel->itemText(0));
}

bool OptionsDialog::saveControls() {
    return storeBoundControls(*this, m_settings, KeyNames::AreKeys);
}

void OptionsDialog::userLevelChange(int index) {
    struct Preset {
        bool definitions;
        QRadioButton* lock;
        bool timed;
        int handicap;
        bool autoAdvance;
    };
    const Preset presets[] = {
        {true, m_lockVowels, false, -1, true},  // Beginner or Novice
        {true, m_lockFirst, false, 0, true},    // Moderate Difficulty
        {false, m_lockRandomly, true, 1, true}, // Advanced
        {false, m_lockNone, true, 1, false},    // Expert
    };
    if (index < 1 || index > 4)
        return; // "None", or typed text that names no entry
    const Preset& preset = presets[index - 1];
    m_definitions->setChecked(preset.definitions);
    preset.lock->setChecked(true);
    m_timed->setChecked(preset.timed);
    m_handicap->setValue(preset.handicap);
    m_autoAdvance->setChecked(preset.autoAdvance);
}

int OptionsDialog::fontPointsForSize(int position) {
    const SettingEntry& size = settingEntry(Setting::GameSize);
    return std::clamp(position, size.minimum, size.maximum) * 12;
}

void OptionsDialog::gameSizeMoved(int position) {
    emit templateTileSizeChanged(position * 15, position * 19, fontPointsForSize(position));
}

quorvel::GameOptions OptionsDialog::gameOptions() const {
    quorvel::GameOptions options;
    options.handicap = m_handicap->value();
    options.timed = m_timed->isChecked();
    options.definitions = m_definitions->isChecked();
    options.autoAdvance = m_autoAdvance->isChecked();
    options.timerPopSounds = m_timerPopSounds->isChecked();
    options.lock = m_lockVowels->isChecked()     ? quorvel::LockRule::Vowels
                   : m_lockFirst->isChecked()    ? quorvel::LockRule::First
                   : m_lockRandomly->isChecked() ? quorvel::LockRule::Randomly
                                                 : quorvel::LockRule::None;
    options.dictionary = toCp1252(m_dictionary->currentText());
    options.trace = m_traceMode;
    options.traceAvailable = m_traceAvailable;
    return options;
}

int OptionsDialog::gameSize() const {
    return m_gameSize->value();
}

void OptionsDialog::setGameSize(int size) {
    m_gameSize->setValue(size);
}

int OptionsDialog::volume() const {
    return volumeForPosition(m_volume->value());
}

bool OptionsDialog::resumesGames() const {
    return m_resumeGames->isChecked();
}

bool OptionsDialog::hasDictionary() const {
    return m_dictionary->currentIndex() >= 0;
}

void OptionsDialog::selectDictionaryFallback() {
    if (m_dictionary->count() > 1)
        m_dictionary->setCurrentIndex(1);
}

void OptionsDialog::setNewGameEnabled(bool enabled) {
    m_newGameButton->setEnabled(enabled);
}

void OptionsDialog::setUserLevelEnabled(bool enabled) {
    m_userLevel->setEnabled(enabled);
}

void OptionsDialog::setTraceMode(bool on) {
    if (m_traceMode == on)
        return;
    m_traceMode = on;
    emit traceModeChanged(on);
    emit optionsChanged();
}

void OptionsDialog::setTraceAvailable(bool available) {
    if (m_traceAvailable == available)
        return;
    m_traceAvailable = available;
    emit optionsChanged();
}

// A double click on "Word List:" or "Quick Settings:" switches trace mode, where the file is
// there to allow it.
bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == m_wordListLabel || watched == m_quickSettingsLabel)) {
        QApplication::beep();
        setTraceMode(!m_traceMode);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::reject() {
    accept();
}
