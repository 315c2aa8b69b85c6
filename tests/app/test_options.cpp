// The options dialog: its controls, the dictionary list, quick settings and the generic passes.
#include "dialogs/OptionsDialog.h"
#include "dialogs/StylePanel.h"
#include "settings/Settings.h"
#include "settings/SettingsBinder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// A program folder of its own for every test: kbs/ with the given files and an optional INI.
class ProgramFolder {
public:
    explicit ProgramFolder(const QStringList& dictionaries = {},
                           const QByteArray& ini = QByteArray()) {
        QDir(m_dir.path()).mkpath(QStringLiteral("kbs"));
        QDir(m_dir.path()).mkpath(QStringLiteral("zq"));
        for (const QString& name : dictionaries)
            write(QStringLiteral("kbs/") + name, "dictionary");
        if (!ini.isNull())
            write(QStringLiteral("RQN_ZQ.INI"), ini);
    }
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile out(file(name));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile in(file(name));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    // The folder's settings file, opened when a test first needs it: after the files it wrote.
    Settings& settings() {
        if (!m_settings)
            m_settings = std::make_unique<Settings>(path());
        return *m_settings;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Settings> m_settings;
};

template <typename T> T* control(const OptionsDialog& dialog, const char* name) {
    auto* found = dialog.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

const QStringList kThreeDictionaries = {QStringLiteral("Zoo Animals.dic"),
                                        QStringLiteral("Common Words.dic"),
                                        QStringLiteral("Birds.dic"), QStringLiteral("LICENSE.txt")};

} // namespace

class OptionsTest : public QObject {
    Q_OBJECT
private slots:
    void controlsComeInTheirCreationOrderWithTheirInitialValues() {
        ProgramFolder folder;
        OptionsDialog dialog(folder.path(), folder.settings());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Quorvel - Options"));

        const QStringList order = {"Label8",         "Label3",       "Button1",    "bNewWords",
                                   "Dictionary",     "handicap",     "tbSound",    "FileListBox1",
                                   "tbSize",         "Def",          "Timed",      "AutoAdvance",
                                   "timerpopsounds", "ResumeGames",  "LockVowels", "LockFirst",
                                   "LockNone",       "LockRandomly", "UserLevel"};
        QStringList found;
        for (QWidget* widget : dialog.findChildren<QWidget*>())
            if (order.contains(widget->objectName()))
                found << widget->objectName();
        QCOMPARE(found, order);

        QCOMPARE(control<QLabel>(dialog, "Label8")->text(), QStringLiteral("Word List:"));
        QCOMPARE(control<QLabel>(dialog, "Label3")->text(), QStringLiteral("Quick Settings:"));
        QVERIFY(!control<QPushButton>(dialog, "bNewWords")->isEnabled());

        const struct {
            const char* name;
            int minimum, maximum, value;
        } sliders[] = {{"handicap", -1, 1, 0}, {"tbSound", 1, 15, 8}, {"tbSize", 1, 3, 2}};
        for (const auto& s : sliders) {
            auto* slider = control<QSlider>(dialog, s.name);
            QCOMPARE(slider->orientation(), Qt::Vertical);
            QCOMPARE(slider->minimum(), s.minimum);
            QCOMPARE(slider->maximum(), s.maximum);
            QCOMPARE(slider->value(), s.value);
        }

        const struct {
            const char* name;
            const char* caption;
        } boxes[] = {{"Def", "Show Definitions"},
                     {"Timed", "Timed Game"},
                     {"AutoAdvance", "Auto Advance"},
                     {"timerpopsounds", "Timer Sounds"}};
        // Without settings every box reads its stored default: unchecked, Timer Sounds too.
        for (const auto& b : boxes) {
            auto* box = control<QCheckBox>(dialog, b.name);
            QCOMPARE(box->text(), QLatin1String(b.caption));
            QVERIFY(!box->isChecked());
        }
        // Resuming an unfinished game is the one box that starts checked.
        auto* resume = control<QCheckBox>(dialog, "ResumeGames");
        QCOMPARE(resume->text(), QStringLiteral("Resume Unfinished Game"));
        QVERIFY(resume->isChecked());
        QVERIFY(dialog.resumesGames());
        // A first start shows the lock rule and quick setting in force, not blank choices.
        for (const char* name : {"LockVowels", "LockFirst", "LockRandomly"})
            QVERIFY(!control<QRadioButton>(dialog, name)->isChecked());
        QVERIFY(control<QRadioButton>(dialog, "LockNone")->isChecked());
        QCOMPARE(dialog.gameOptions().lock, quorvel::LockRule::None);

        auto* userLevel = control<QComboBox>(dialog, "UserLevel");
        QVERIFY(userLevel->isEditable());
        QCOMPARE(userLevel->currentText(), QStringLiteral("None"));
        QCOMPARE(userLevel->count(), 5);
        QCOMPARE(userLevel->itemText(4), QStringLiteral("Expert"));
        QVERIFY(!control<QComboBox>(dialog, "Dictionary")->isEditable());
    }

    void dictionaryListIsSortedAndSelectsCommonWordsByDefault() {
        ProgramFolder folder(kThreeDictionaries);
        OptionsDialog dialog(folder.path(), folder.settings());
        auto* list = control<QComboBox>(dialog, "Dictionary");
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        QCOMPARE(names, QStringList({"Birds", "Common Words", "Zoo Animals"}));
        QCOMPARE(list->currentText(), QStringLiteral("Common Words"));
        QCOMPARE(dialog.gameOptions().dictionary, std::string("Common Words"));
    }

    // The suffix decides, in any case; a folder named like a dictionary is none.
    void dictionaryListTakesFilesEndingInDicWhateverTheCase() {
        ProgramFolder folder({QStringLiteral("Plants.DIC"), QStringLiteral("Birds.dic"),
                              QStringLiteral("notes.dic.txt"), QStringLiteral("dic")});
        QVERIFY(QDir(folder.file(QStringLiteral("kbs"))).mkdir(QStringLiteral("Maps.dic")));
        OptionsDialog dialog(folder.path(), folder.settings());
        auto* list = control<QComboBox>(dialog, "Dictionary");
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        QCOMPARE(names, QStringList({"Birds", "Plants"}));
    }

    void unknownStoredDictionarySelectsNothingUntilTheFallback() {
        ProgramFolder folder(kThreeDictionaries, "[Options]\r\nDictionary=Gone Away\r\n");
        OptionsDialog dialog(folder.path(), folder.settings());
        QVERIFY(!dialog.hasDictionary());
        dialog.selectDictionaryFallback();
        QCOMPARE(control<QComboBox>(dialog, "Dictionary")->currentText(),
                 QStringLiteral("Common Words"));

        ProgramFolder chosen(kThreeDictionaries, "[Options]\r\ndictionary=zoo animals\r\n");
        OptionsDialog second(chosen.path(), chosen.settings());
        QCOMPARE(control<QComboBox>(second, "Dictionary")->currentText(),
                 QStringLiteral("Zoo Animals"));

        ProgramFolder empty;
        OptionsDialog none(empty.path(), empty.settings());
        QVERIFY(!none.hasDictionary());
        none.selectDictionaryFallback(); // nothing to select, and no crash
        QVERIFY(!none.hasDictionary());
    }

    void quickSettingsPresets() {
        ProgramFolder folder;
        OptionsDialog dialog(folder.path(), folder.settings());
        auto* timerSounds = control<QCheckBox>(dialog, "timerpopsounds");
        timerSounds->setChecked(false); // presets never touch it

        using quorvel::LockRule;
        const struct {
            int index;
            bool definitions;
            LockRule lock;
            bool timed;
            int handicap;
            bool autoAdvance;
        } presets[] = {{1, true, LockRule::Vowels, false, -1, true},
                       {2, true, LockRule::First, false, 0, true},
                       {3, false, LockRule::Randomly, true, 1, true},
                       {4, false, LockRule::None, true, 1, false}};
        for (const auto& p : presets) {
            dialog.userLevelChange(p.index);
            const quorvel::GameOptions options = dialog.gameOptions();
            QCOMPARE(options.definitions, p.definitions);
            QCOMPARE(options.lock, p.lock);
            QCOMPARE(options.timed, p.timed);
            QCOMPARE(options.handicap, p.handicap);
            QCOMPARE(options.autoAdvance, p.autoAdvance);
            QVERIFY(!timerSounds->isChecked());
        }
        // Expert checks Lock None itself (not merely "none checked"); None then changes nothing.
        QVERIFY(control<QRadioButton>(dialog, "LockNone")->isChecked());
        dialog.userLevelChange(0);
        QVERIFY(control<QRadioButton>(dialog, "LockNone")->isChecked());
        QVERIFY(control<QCheckBox>(dialog, "Timed")->isChecked());
        QCOMPARE(control<QSlider>(dialog, "handicap")->value(), 1);
    }

    void typedQuickSettingAppliesOnlyWhenItNamesAnEntry() {
        ProgramFolder folder;
        OptionsDialog dialog(folder.path(), folder.settings());
        QLineEdit* edit = control<QComboBox>(dialog, "UserLevel")->lineEdit();
        edit->clear(); // it shows "None" until the player types
        QTest::keyClicks(edit, QStringLiteral("Advance"));
        QVERIFY(!control<QCheckBox>(dialog, "Timed")->isChecked());
        QTest::keyClicks(edit, QStringLiteral("d"));
        QVERIFY(control<QCheckBox>(dialog, "Timed")->isChecked());
        QVERIFY(control<QRadioButton>(dialog, "LockRandomly")->isChecked());
    }

    void storedQuickSettingDoesNotRunThePreset() {
        ProgramFolder folder({}, "[Options]\r\nUserLevel=Expert\r\nDef=1\r\nAutoAdvance=1\r\n");
        OptionsDialog dialog(folder.path(), folder.settings());
        QCOMPARE(control<QComboBox>(dialog, "UserLevel")->currentText(), QStringLiteral("Expert"));
        QVERIFY(control<QCheckBox>(dialog, "Def")->isChecked());
        QVERIFY(!control<QCheckBox>(dialog, "Timed")->isChecked());
        QCOMPARE(control<QSlider>(dialog, "handicap")->value(), 0);
    }

    void lastStoredLockChoiceWins_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("checked");
        QTest::newRow("vowels and randomly")
            << QByteArray("LockVowels=1\r\nLockRandomly=1\r\n") << QStringLiteral("LockRandomly");
        QTest::newRow("first only") << QByteArray("LockFirst=1\r\n") << QStringLiteral("LockFirst");
        QTest::newRow("none stored: Lock None is in force")
            << QByteArray("LockVowels=0\r\n") << QStringLiteral("LockNone");
    }
    void lastStoredLockChoiceWins() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, checked);
        ProgramFolder folder({}, "[Options]\r\n" + ini);
        OptionsDialog dialog(folder.path(), folder.settings());
        QStringList on;
        for (const char* name : {"LockVowels", "LockFirst", "LockNone", "LockRandomly"})
            if (control<QRadioButton>(dialog, name)->isChecked())
                on << QLatin1String(name);
        QCOMPARE(on, QStringList{checked});
    }

    void lockButtonsAreExclusiveAndStayCheckedWhenClickedAgain() {
        ProgramFolder folder;
        OptionsDialog dialog(folder.path(), folder.settings());
        dialog.show();
        auto* vowels = control<QRadioButton>(dialog, "LockVowels");
        auto* first = control<QRadioButton>(dialog, "LockFirst");
        vowels->click();
        QVERIFY(vowels->isChecked());
        first->click();
        QVERIFY(first->isChecked());
        QVERIFY(!vowels->isChecked());
        first->click();
        QVERIFY(first->isChecked());
        QCOMPARE(dialog.gameOptions().lock, quorvel::LockRule::First);
    }

    void gameSizeAndSoundVolumeSignals() {
        ProgramFolder folder;
        OptionsDialog dialog(folder.path(), folder.settings());
        QSignalSpy tile(&dialog, &OptionsDialog::templateTileSizeChanged);
        dialog.setGameSize(3);
        QCOMPARE(tile.count(), 1);
        QCOMPARE(tile.first(), QVariantList({45, 57, 36}));
        dialog.setGameSize(3); // no change of position, no handler
        QCOMPARE(tile.count(), 1);
        dialog.setGameSize(9); // out of range: the largest size
        QCOMPARE(dialog.gameSize(), 3);

        QSignalSpy volume(&dialog, &OptionsDialog::volumeChanged);
        auto* sound = control<QSlider>(dialog, "tbSound");
        QCOMPARE(dialog.volume(), 32768);
        sound->setValue(15);
        sound->setValue(1);
        QCOMPARE(volume.count(), 2);
        QCOMPARE(volume.at(0).at(0).toInt(), 4096);
        QCOMPARE(volume.at(1).at(0).toInt(), 61440);
    }

    void doubleClickOnEitherLabelFlipsTraceMode() {
        ProgramFolder folder;
        OptionsDialog dialog(folder.path(), folder.settings());
        dialog.show();
        QSignalSpy trace(&dialog, &OptionsDialog::traceModeChanged);
        QTest::mouseDClick(control<QLabel>(dialog, "Label8"), Qt::LeftButton);
        QVERIFY(dialog.isTraceMode());
        QVERIFY(dialog.gameOptions().trace);
        QTest::mouseDClick(control<QLabel>(dialog, "Label3"), Qt::LeftButton);
        QVERIFY(!dialog.isTraceMode());
        QTest::mouseDClick(control<QLabel>(dialog, "Label8"), Qt::LeftButton);
        QTest::mouseDClick(control<QLabel>(dialog, "Label8"), Qt::LeftButton);
        QVERIFY(!dialog.isTraceMode());
        QCOMPARE(trace.count(), 4);
    }

    void okEscapeAndNewGameClose() {
        ProgramFolder folder;
        OptionsDialog dialog(folder.path(), folder.settings());
        dialog.show();
        control<QPushButton>(dialog, "Button1")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());

        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        dialog.setNewGameEnabled(true);
        dialog.show();
        control<QPushButton>(dialog, "bNewWords")->click();
        QCOMPARE(dialog.result(), OptionsDialog::NewGameResult);
    }

    void optionChangesAreAnnounced() {
        ProgramFolder folder(kThreeDictionaries);
        OptionsDialog dialog(folder.path(), folder.settings());
        QSignalSpy changed(&dialog, &OptionsDialog::optionsChanged);
        control<QCheckBox>(dialog, "Timed")->setChecked(true);
        control<QSlider>(dialog, "handicap")->setValue(-1);
        control<QComboBox>(dialog, "Dictionary")->setCurrentIndex(0);
        QVERIFY(changed.count() >= 3);
        const quorvel::GameOptions options = dialog.gameOptions();
        QVERIFY(options.timed);
        QCOMPARE(options.handicap, -1);
        QCOMPARE(options.dictionary, std::string("Birds"));
    }

    // Any control of a kept kind named after a declared key is saved and restored under it
    // with no code of its own; an undeclared name is not kept, nor are the unnamed sliders.
    void genericPassesKeepControlsAddedLater() {
        ProgramFolder folder;
        const auto addControls = [](OptionsDialog& dialog) {
            auto* box = new QCheckBox(&dialog);
            box->setObjectName(QStringLiteral("FontBold"));
            auto* edit = new QLineEdit(&dialog);
            edit->setObjectName(QStringLiteral("Picture"));
            auto* spin = new QSpinBox(&dialog);
            spin->setObjectName(QStringLiteral("LastTip"));
            auto* group = new QGroupBox(&dialog);
            group->setObjectName(QStringLiteral("Level"));
            for (int i = 0; i < 3; ++i)
                new QRadioButton(group);
            auto* undeclared = new QCheckBox(&dialog);
            undeclared->setObjectName(QStringLiteral("ExtraBox"));
            undeclared->setChecked(true);
            return std::tuple(box, edit, spin, group->findChildren<QRadioButton*>());
        };
        {
            OptionsDialog dialog(folder.path(), folder.settings());
            auto [box, edit, spin, choices] = addControls(dialog);
            box->setChecked(true);
            choices[2]->setChecked(true);
            edit->setText(QStringLiteral("caf\u00e9 notes"));
            spin->setValue(7);
            control<QSlider>(dialog, "handicap")->setValue(-1);
            QVERIFY(dialog.saveControls());
        }
        const QByteArray ini = folder.read(QStringLiteral("RQN_ZQ.INI"));
        QVERIFY(ini.contains("FontBold=1\r\n"));
        QVERIFY(ini.contains("Picture=caf\xE9 notes\r\n")); // Windows-1252 in the file
        QVERIFY(ini.contains("LastTip=7\r\n"));
        QVERIFY(ini.contains("Level=2\r\n"));
        // Resuming is on until the player turns it off, and is kept in the pass's order.
        QVERIFY(ini.contains("timerpopsounds=0\r\nResumeGames=1\r\nLockVowels=0\r\n"));
        QVERIFY(ini.contains("handicap=-1\r\n"));
        for (const char* notKept : {"ExtraBox", "tbSound", "tbSize", "Label8", "Button1", "Size="})
            QVERIFY2(!ini.contains(notKept), notKept);

        OptionsDialog dialog(folder.path(), folder.settings());
        auto [box, edit, spin, choices] = addControls(dialog);
        dialog.loadControls();
        QVERIFY(choices[2]->isChecked());
        QVERIFY(box->isChecked());
        QCOMPARE(edit->text(), QStringLiteral("caf\u00e9 notes"));
        QCOMPARE(spin->value(), 7);
        QCOMPARE(control<QSlider>(dialog, "handicap")->value(), -1);
        QCOMPARE(dialog.gameOptions().handicap, -1);
    }

    // The handicap slider has three positions; anything else in the file plays Neutral.
    void storedHandicapOffTheSliderStartsNeutral_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("handicap");
        QTest::newRow("lower") << QByteArray("handicap=-1\r\n") << -1;
        QTest::newRow("higher") << QByteArray("handicap=1\r\n") << 1;
        QTest::newRow("absent") << QByteArray() << 0;
        QTest::newRow("too high") << QByteArray("handicap=2\r\n") << 0;
        QTest::newRow("too low") << QByteArray("handicap=-7\r\n") << 0;
        QTest::newRow("not a number") << QByteArray("handicap=hard\r\n") << 0;
    }
    void storedHandicapOffTheSliderStartsNeutral() {
        QFETCH(QByteArray, ini);
        QFETCH(int, handicap);
        ProgramFolder folder({}, "[Options]\r\n" + ini);
        OptionsDialog dialog(folder.path(), folder.settings());
        QCOMPARE(dialog.gameOptions().handicap, handicap);
    }

    void firstRunCopiesTheShippedSettings() {
        ProgramFolder folder;
        const QByteArray shipped("[Options]\r\nTimed=1\r\n; shipped\r\nLevel=1");
        folder.write(QStringLiteral("zq/RQN_ZQ.DEF"), shipped);
        OptionsDialog dialog(folder.path(), folder.settings());
        QCOMPARE(folder.read(QStringLiteral("RQN_ZQ.INI")), shipped);
        QVERIFY(control<QCheckBox>(dialog, "Timed")->isChecked());

        ProgramFolder bare; // neither file: defaults, and no file until something is written
        OptionsDialog fresh(bare.path(), bare.settings());
        QVERIFY(!QFile::exists(bare.file(QStringLiteral("RQN_ZQ.INI"))));
        QVERIFY(!control<QCheckBox>(fresh, "timerpopsounds")->isChecked()); // stored default 0
        QCOMPARE(fresh.letterColours().unlocked, quorvel::Colour(5902042));
    }

    void storedLetterColoursAreRead() {
        ProgramFolder folder({}, "[Options]\r\nRed=255\r\nGreen=x\r\nBlue=16711680\r\n");
        OptionsDialog dialog(folder.path(), folder.settings());
        QCOMPARE(dialog.letterColours().unlocked, quorvel::Colour(255));
        QCOMPARE(dialog.letterColours().locked, quorvel::Colour(6728192)); // not a number
        QCOMPARE(dialog.letterColours().revealed, quorvel::Colour(16711680));
    }
    // Outside the options dialog a control is bound by its settingKey property alone, whatever
    // its name: a menu item named mMusic, a letter panel kept by its colour. A control merely
    // named after a key is not kept there, so no stray widget writes to the file.
    void controlsBoundByKeyAreKeptWhateverTheirName() {
        ProgramFolder folder({}, QByteArray("[Options]\r\nGreen=255\r\n"));
        struct Controls {
            QWidget root;
            QAction* music = new QAction(&root);
            StylePanel* green = new StylePanel(QStringLiteral("Green"), QString(), &root);
            QCheckBox* named = new QCheckBox(&root);
            Controls() {
                music->setObjectName(QStringLiteral("mMusic"));
                music->setCheckable(true);
                bindToSetting(*music, Setting::Music);
                bindToSetting(*green, Setting::LetterLocked);
                named->setObjectName(QStringLiteral("Sound"));
            }
        };
        {
            Controls controls;
            loadBoundControls(controls.root, folder.settings());
            QCOMPARE(controls.green->textColour(), QColor(Qt::red)); // 0x0000FF is red
            controls.music->setChecked(true);
            controls.green->setTextColour(QColor(0x12, 0x34, 0x56));
            controls.named->setChecked(true);
            QVERIFY(storeBoundControls(controls.root, folder.settings()));
        }
        const QByteArray ini = folder.read(QStringLiteral("RQN_ZQ.INI"));
        QVERIFY2(ini.contains("Green=5649426\r\n"), ini.constData()); // 0x563412
        QVERIFY(ini.contains("Music=1\r\n"));
        QVERIFY(!ini.contains("Sound="));

        Controls again;
        loadBoundControls(again.root, folder.settings());
        QVERIFY(again.music->isChecked());
        QCOMPARE(again.green->textColour(), QColor(0x12, 0x34, 0x56));
        QVERIFY(!again.named->isChecked());
    }
};

QTEST_MAIN(OptionsTest)
#include "test_options.moc"
