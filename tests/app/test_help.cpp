// The Help commands over the real main window: the word look-up, mail and web pages through a
// fake opener, the tip dialog at start-up, the news question and window, and the about box.
#include "CopyTree.h"
#include "WindowFixture.h"
#include "dialogs/AboutBox.h"
#include "support/Dialogs.h"
#include "window/HelpCommands.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "settings/Settings.h"
#include "dialogs/NewsWindow.h"
#include "window/Session.h"
#include "dialogs/TipDialog.h"
#include "dialogs/WordPicker.h"

#include "../core/GameTestSupport.h"

#include "records/IniFile.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QMenuBar>
#include <QScreen>
#include <QtTest>

#include <memory>

using namespace quorvel;

namespace {

class ScriptedDialogs : public Dialogs {
public:
    bool answer = false;
    bool ask(QWidget*, const QString& text) override {
        asked << text;
        return answer;
    }
    void warn(QWidget*, const QString& text) override { warned << text; }
    void inform(QWidget*, const QString&) override {}
    QStringList asked, warned;
};


} // namespace

class HelpTest : public QObject, private WindowFixture<ScriptedDialogs> {
    Q_OBJECT
private:
    QList<QUrl> m_opened;
    int m_modals = 0;

    HelpCommands& help() { return *m_window->help(); }
    QAction* item(const char* name) { return m_window->findChild<QAction*>(QLatin1String(name)); }

    // A program folder with the shipped zq/ and the settings given, then the window started.
    void start(const QByteArray& settings = "[Options]\r\nTOTD=0\r\n") {
        QVERIFY(makeEmptyFolder());
        copyTree(QStringLiteral(QUORVEL_PROGRAM_DIR "zq/"), m_folder + QStringLiteral("zq/"));
        QDir().mkpath(m_folder + QStringLiteral("kbs"));
        QFile ini(m_folder + QStringLiteral("RQN_ZQ.INI"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(settings);
        ini.close();

        makeWindow(7);
        m_window->createWindows();
        help().setUrlOpener([this](const QUrl& url) { m_opened << url; });
        // Dialogs stay up without a nested event loop, so the tests can act on them.
        m_window->setModalRunner([this](QDialog& dialog) {
            ++m_modals;
            dialog.show();
            return int(QDialog::Rejected);
        });
        m_window->show();
        m_window->session()->startUp();
        QCoreApplication::processEvents();
    }

    // Runs the word picker through the modal runner: the test acts on it, then it closes.
    void whenPickerShows(const std::function<void(WordPicker&)>& act) {
        m_window->setModalRunner([this, act](QDialog& dialog) {
            ++m_modals;
            auto* picker = qobject_cast<WordPicker*>(&dialog);
            if (picker)
                act(*picker);
            return dialog.result();
        });
    }

    Game& game() { return m_window->game(); }

    static QString encoded(const QUrl& url) { return QString::fromLatin1(url.toEncoded()); }

private slots:
    void cleanup() {
        m_window.reset();
        m_dir.reset();
        m_opened.clear();
        m_modals = 0;
    }

    void oneCompletedWordOpensItsPageWithoutTheDialog() {
        start();
        // PEAR is found; FIG is locked letter by letter but wrong, so it is not found.
        TestGame::setUpBoard(game(), {"PEAR-FIG"}, {"PEAR-FGI"}, {"BBBB-GGG"});
        item("mDictionarySite")->trigger();
        QCOMPARE(m_modals, 0);
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(encoded(m_opened[0]), QStringLiteral("https://www.dictionary.com/search?q=PEAR"));
    }

    void noWordOpensTheHomePage() {
        start();
        item("mDictionarySite")->trigger(); // no puzzle yet
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(encoded(m_opened[0]), QStringLiteral("https://www.dictionary.com"));
        QCOMPARE(item("mDictionarySite")->text(), QStringLiteral("&Dictionary.com"));
    }

    void pickerListsTheWordsSortedWithTheirMeaning() {
        start();
        TestGame::setDictionary(game(), {{"OWL", "a night bird"}});
        // OWL stands where ELK belongs: found as an alternative word, so only the dictionary
        // knows what it means.
        TestGame::setUpBoard(game(), {"PEAR-FIG", "ANT--ELK"}, {"PEAR-FIG", "ANT--OWL"},
                                   {"BBBB-rrr", "BBB--BBB"});
        QStringList listed;
        QString firstMeaning, owlMeaning;
        whenPickerShows([&](WordPicker& picker) {
            for (int i = 0; i < picker.list()->count(); ++i)
                listed << picker.list()->item(i)->text();
            firstMeaning = picker.definitionLabel()->text();
            picker.list()->setCurrentRow(1);
            owlMeaning = picker.definitionLabel()->text();
            QTest::mouseClick(picker.cancelButton(), Qt::LeftButton);
        });
        item("mDictionarySite")->trigger();
        QCOMPARE(m_modals, 1);
        QCOMPARE(listed, (QStringList{"ANT", "OWL", "PEAR"}));
        QCOMPARE(firstMeaning, QStringLiteral("ANT: definition of ANT"));
        QCOMPARE(owlMeaning, QStringLiteral("OWL: a night bird"));
        QVERIFY(m_opened.isEmpty()); // Cancel opens nothing
    }

    void aClickOnAWordOpensItsPageAndEnterDoesToo() {
        start();
        TestGame::setUpBoard(game(), {"PEAR-FIG"}, {}, {"BBBB-BBB"});
        whenPickerShows([](WordPicker& picker) {
            QListWidget* list = picker.list();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(1)).center());
        });
        item("mDictionarySite")->trigger();
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(encoded(m_opened[0]), QStringLiteral("https://www.dictionary.com/search?q=PEAR"));

        // Enter picks the word under the cursor rather than pressing the default Cancel.
        whenPickerShows([](WordPicker& picker) {
            picker.list()->setCurrentRow(0);
            QTest::keyClick(picker.list(), Qt::Key_Return);
        });
        item("mDictionarySite")->trigger();
        QCOMPARE(m_opened.size(), 2);
        QCOMPARE(encoded(m_opened[1]), QStringLiteral("https://www.dictionary.com/search?q=FIG"));
    }

    void closingThePickerWithoutAPickOpensNothing() {
        start();
        TestGame::setUpBoard(game(), {"PEAR-FIG"}, {}, {"BBBB-BBB"});
        whenPickerShows([](WordPicker& picker) { QTest::keyClick(&picker, Qt::Key_Escape); });
        item("mDictionarySite")->trigger();
        QCOMPARE(m_modals, 1);
        QVERIFY(m_opened.isEmpty());
    }

    // The word goes into the address percent-encoded, so it cannot add query parameters.
    void wordsWithSpacesAndAmpersandsAreEncoded() {
        start();
        help().lookUpWord(QStringLiteral("ROCK & ROLL#2"));
        QCOMPARE(encoded(m_opened.value(0)),
                 QStringLiteral("https://www.dictionary.com/search?q=ROCK%20%26%20ROLL%232"));
        QCOMPARE(m_opened.value(0).query(QUrl::FullyDecoded), QStringLiteral("q=ROCK & ROLL#2"));
    }

    void mailAndPagesOpenTheRightAddresses() {
        start();
        item("ByEmail1")->trigger();
        item("WebSite2")->trigger();
        item("FreeWordLists2")->trigger();
        item("GetNewLayouts")->trigger();
        item("Contents1")->trigger();
        QCOMPARE(m_opened.size(), 5);
        QCOMPARE(m_opened[0].scheme(), QStringLiteral("mailto"));
        QCOMPARE(m_opened[0].path(), QStringLiteral("support@quorvel.example"));
        QCOMPARE(m_opened[0].query(QUrl::FullyDecoded),
                 QStringLiteral("subject=Quorvel support, feedback, etc."));
        QCOMPARE(m_opened[1].toString(), QStringLiteral("https://www.quorvel.example"));
        QCOMPARE(m_opened[2].toString(),
                 QStringLiteral("https://www.quorvel.example/lumira/FreeLists.htm"));
        QCOMPARE(m_opened[3].toString(),
                 QStringLiteral("https://www.quorvel.example/lumira/FreeZQLayouts.htm"));
        QVERIFY(m_opened[4].isLocalFile());
        QVERIFY(QFile::exists(m_opened[4].toLocalFile()));
        QVERIFY(m_opened[4].toLocalFile().endsWith(QStringLiteral("/zq/zq.htm")));
    }

    // Start-up makes only the tip dialog, which keeps the tip counter; the rest wait for use.
    void helpDialogsAreMadeWhenFirstUsed() {
        start();
        QVERIFY(m_window->findChildren<AboutBox*>().isEmpty());
        QVERIFY(m_window->findChildren<NewsWindow*>().isEmpty());
        QVERIFY(m_window->findChildren<WordPicker*>().isEmpty());
        QVERIFY(help().tipDialog());
        AboutBox* about = help().aboutBox();
        QCOMPARE(help().aboutBox(), about);
        QCOMPARE(about->parentWidget(), m_window.get());
    }

    void aboutBoxMailLabelLightsUpAndOpensMail() {
        start();
        item("About3")->trigger();
        QCOMPARE(m_modals, 1);
        AboutBox* about = help().aboutBox();
        QVERIFY(about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Quorvel"));
        QLabel* mail = about->mailLabel();
        QCOMPARE(mail->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0xC0));
        QTest::mouseMove(mail);
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), mail->mapToGlobal(QPointF(2, 2)),
                         Qt::NoButton, {}, {});
        QCoreApplication::sendEvent(mail, &move);
        QCOMPARE(mail->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0x00));
        QMouseEvent back(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, {}, {});
        QCoreApplication::sendEvent(mail->parentWidget(), &back);
        QCOMPARE(mail->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0xC0));
        QTest::mouseClick(mail, Qt::LeftButton);
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened[0].query(QUrl::FullyDecoded),
                 QStringLiteral("subject=About Quorvel support, feedback, etc."));
        QVERIFY(about->findChild<QLabel*>(QStringLiteral("Version"))->text() ==
                QStringLiteral("Version 1.0a"));
    }

    void newsQuestionNoOpensNothing() {
        start();
        m_dialogs->answer = false;
        item("TryOtherGames1")->trigger();
        QCOMPARE(m_dialogs->asked,
                 QStringList{QStringLiteral("Check our website via the internet for new announcements?")});
        QVERIFY(!help().newsWindow()->isVisible());
        QVERIFY(help().newsWindow()->address().isEmpty());
        QVERIFY(m_opened.isEmpty());
    }

    void newsWindowShowsAPlainNoticeWhenThePageCannotLoad() {
        start();
        m_dialogs->answer = true;
        // A port nothing listens on refuses at once, as an offline machine would fail.
        help().setNewsAddress(QUrl(QStringLiteral("http://127.0.0.1:9/news.htm")));
        item("TryOtherGames1")->trigger();
        NewsWindow* news = help().newsWindow();
        QVERIFY(news->isVisible());
        QCOMPARE(news->size(), QSize(483, 234));
        if (NewsWindow::usesWebEngine())
            QSKIP("the WebEngine window shows its own error page");
        QSignalSpy loaded(news, &NewsWindow::pageLoaded);
        QVERIFY(loaded.wait(NewsWindow::TimeoutMs + 2000));
        QCOMPARE(loaded.at(0).at(0).toBool(), false);
        QCOMPARE(news->shownText(), NewsWindow::failureText());
    }

    // On a first start the tip, centred over the smaller main window, covered its title and
    // menu bar.
    void tipAtStartUpLeavesTheTitleAndMenuBarInSight() {
        start("[Options]\r\nTOTD=1\r\n");
        TipDialog* dialog = help().tipDialog();
        QVERIFY(dialog->isVisible());
        const QRect frame = m_window->frameGeometry();
        const QPoint underMenu(0, m_window->menuBar()->geometry().bottom() + 1);
        const QRect titleAndMenu(frame.topLeft(),
                                 QPoint(frame.right(), m_window->mapToGlobal(underMenu).y() - 1));
        QVERIFY(!dialog->frameGeometry().intersects(titleAndMenu));
        QVERIFY(m_window->screen()->availableGeometry().contains(dialog->frameGeometry()));
    }

    // Tips -1..-3 with LastTip 3: the notice shows, Next Tip is off, and 0 is stored.
    void lastTipAtStartUpShowsTheNoticeAndStoresZero() {
        start("[Options]\r\nTOTD=1\r\nLastTip=3\r\n");
        QFile tips(m_folder + QStringLiteral("zq/TIPS.TXT"));
        QVERIFY(tips.open(QIODevice::WriteOnly | QIODevice::Truncate));
        tips.write("-1\r\nOne\r\none.\r\n\r\n-2\r\nTwo\r\ntwo.\r\n\r\n-3\r\nThree\r\nthree.\r\n");
        tips.close();
        // Start again over this tip file.
        m_window.reset();
        remakeWindow();
        m_window->createWindows();
        m_window->show();
        m_window->session()->startUp();
        TipDialog* dialog = help().tipDialog();
        QVERIFY(dialog->isVisible());
        // At start-up the tip never holds up the board.
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!dialog->isActiveWindow());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Tip of the Day"));
        QCOMPARE(dialog->title(), QStringLiteral("Oops..."));
        QVERIFY(dialog->text().startsWith(QStringLiteral("Sorry, no (more) tips are available.")));
        QVERIFY(!dialog->nextButton()->isEnabled());
        QVERIFY(!dialog->showTipsBox()->isChecked());
        m_window->close();
        IniFile settings((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        QCOMPARE(settings.readInteger("Options", "LastTip", -1), 0);
        QCOMPARE(settings.readInteger("Options", "TOTD", -1), 0);
    }

    void tipOfTheDayWalksTheShippedTipsAndTheBoxIsKept() {
        start();
        TipDialog* dialog = help().tipDialog();
        auto* bulb = dialog->findChild<QLabel*>(QStringLiteral("Image1"));
        const QSize bulbPlace = bulb->size();
        item("mTip")->trigger();
        QCOMPARE(m_modals, 1);
        QVERIFY(dialog->isVisible());
        // The bulb is painted when the dialog first shows, in the place kept for it.
        QVERIFY(!bulb->pixmap().isNull());
        QCOMPARE(bulb->pixmap().size(), bulbPlace);
        QCOMPARE(dialog->title(), QStringLiteral("Welcome to Quorvel"));
        QVERIFY(!dialog->showTipsBox()->isChecked()); // TOTD=0 in these settings
        dialog->showTipsBox()->setChecked(true);
        QTest::mouseClick(dialog->nextButton(), Qt::LeftButton);
        QCOMPARE(dialog->title(), QStringLiteral("Shifting a column"));
        m_window->close();
        IniFile settings((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        QCOMPARE(settings.readInteger("Options", "LastTip", -1), 2);
        QCOMPARE(settings.readInteger("Options", "TOTD", -1), 1);
    }

    void missingTipFileShowsNoDialogAndUnchecksTheBox() {
        start();
        QFile::remove(m_folder + QStringLiteral("zq/TIPS.TXT"));
        help().tipDialog()->setShowAtStartup(true);
        item("mTip")->trigger();
        QVERIFY(!help().tipDialog()->isVisible());
        QVERIFY(!help().tipDialog()->showAtStartup());
        QCOMPARE(help().tipDialog()->counter(), 0);
    }
};

QTEST_MAIN(HelpTest)
#include "test_help.moc"
