// The status line's rolling banner, the message banner and flashing notice, and the level picker.
#include "support/Application.h"
#include "dialogs/LevelPicker.h"
#include "window/MessagePanels.h"
#include "window/StatusBanner.h"
#include "support/Text.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

using namespace quorvel;

class MessagesTest : public QObject {
    Q_OBJECT
private slots:
    // --- rolling banner ------------------------------------------------------------------
    void bannerShowsEachMessagePaddedAndScrollsItAway() {
        QWidget window;
        StatusBanner banner(&window);
        banner.advance();
        QCOMPARE(banner.index(), 1);
        const QString first = QString(33, ' ') + StatusBanner::message(1) + QString(25, ' ');
        QCOMPARE(banner.text(), first);
        QVERIFY(banner.scrollTimer().isActive());
        QCOMPARE(banner.scrollTimer().interval(), 100);
        banner.tick();
        QCOMPARE(banner.text(), first.mid(1));
        // Once the text has scrolled away the next tick brings the next message.
        for (int i = 1; i < first.size(); ++i)
            banner.tick();
        QCOMPARE(banner.text(), QString());
        banner.tick();
        QCOMPARE(banner.index(), 2);
        QVERIFY(banner.text().contains(QStringLiteral("Align columns of letters vertically")));
    }

    void bannerRestsAfterTheSixteenthMessageUntilSwitchedOnAgain() {
        QWidget window;
        StatusBanner banner(&window);
        for (int i = 0; i < StatusBanner::MessageCount; ++i)
            banner.advance();
        QCOMPARE(banner.index(), 16);
        QVERIFY(banner.text().contains(StatusBanner::message(16)));
        banner.setText(QString());
        banner.tick(); // the seventeenth turn: counter back to 0, nothing shown, timer stopped
        QCOMPARE(banner.index(), 0);
        QCOMPARE(banner.text(), QString());
        QVERIFY(!banner.scrollTimer().isActive());

        banner.setOn(false);
        banner.toggle();
        QCOMPARE(banner.text(), QString());
        QVERIFY(!banner.scrollTimer().isActive());
        banner.setOn(true);
        banner.toggle(); // switching on always starts again at message 1
        QCOMPARE(banner.index(), 1);
        QVERIFY(banner.text().contains(StatusBanner::message(1)));
    }

    void bannerSwitchedOffStopsAndEmptiesTheLine() {
        QWidget window;
        StatusBanner banner(&window);
        banner.setText(QStringLiteral("Level 3"));
        banner.setOn(false);
        banner.advance();
        QCOMPARE(banner.text(), QString());
        QVERIFY(!banner.scrollTimer().isActive());
    }

    // --- message banner and flashing notice ------------------------------------------------
    void bannerStatesFollowTheirSeconds() {
        QWidget window;
        window.resize(400, 300);
        MessagePanels panels(&window);
        panels.showBanner(QStringLiteral("Please Wait"), -1, 0x800000);
        QVERIFY(panels.isBannerVisible());
        QVERIFY(!panels.isWaiting());
        // Centred on the window, 30 pixels above the middle.
        QCOMPARE(panels.banner()->pos(), QPoint((400 - 137) / 2, (300 - 65) / 2 - 30));

        panels.showBanner(QStringLiteral("Advance to level 2"), 0, 0xFF0000);
        QVERIFY(panels.isWaiting());
        QCOMPARE(panels.bannerText(), QStringLiteral("Advance to level 2"));
        QSignalSpy ok(&panels, &MessagePanels::okClicked);
        QTest::mouseClick(panels.okButton(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(ok.size(), 1);

        QSignalSpy timeUp(&panels, &MessagePanels::bannerTimeUp);
        panels.showBanner(QStringLiteral("Please try again"), 1, 0xFF0000);
        QVERIFY(!panels.isWaiting());
        QVERIFY(timeUp.wait(3000));
        panels.hideBanner();
        QVERIFY(!panels.isBannerVisible());
    }

    void flashSwitchesSixTimesThenHidesGreen() {
        QWidget window;
        window.resize(300, 200);
        MessagePanels panels(&window);
        panels.flash(QStringLiteral("Insufficient points"));
        QVERIFY(panels.isFlashing());
        QCOMPARE(panels.flashColour(), colourFromWindows(0x008000));
        QCOMPARE(panels.notice()->pos(), QPoint((300 - 91) / 2, (200 - 41) / 2 - 30));
        const QColor yellow = colourFromWindows(0x00FFFF);
        for (int i = 1; i <= 5; ++i) {
            panels.flashStep();
            QVERIFY(panels.isFlashing());
            QCOMPARE(panels.flashColour(), i % 2 ? yellow : colourFromWindows(0x008000));
        }
        panels.flashStep();
        QVERIFY(!panels.isFlashing());
        QCOMPARE(panels.flashColour(), colourFromWindows(0x008000));
    }

    // A completed puzzle flashes its notice and then shows its banner: the banner must not
    // appear under the notice, nor be confirmed while nobody can see it.
    void bannerAskedForDuringTheNoticeAppearsWhenTheNoticeEnds() {
        QWidget window;
        window.resize(300, 200);
        MessagePanels panels(&window);
        panels.flash(QStringLiteral("Puzzle completed"));
        panels.showBanner(QStringLiteral("Advance to level 2"), 0, 0xFF0000);
        QVERIFY(!panels.isBannerVisible());
        QVERIFY(!panels.isWaiting());
        QVERIFY(panels.isBannerPending());
        while (panels.isFlashing())
            panels.flashStep();
        QVERIFY(panels.isWaiting());
        QCOMPARE(panels.bannerText(), QStringLiteral("Advance to level 2"));
        QVERIFY(!panels.isBannerPending());

        // Hidden before the notice ends (a new game was started), it never appears.
        panels.hideBanner();
        panels.flash(QStringLiteral("Puzzle completed"));
        panels.showBanner(QStringLiteral("Continue at level 2"), 0, 0xFF0000);
        panels.hideBanner();
        while (panels.isFlashing())
            panels.flashStep();
        QVERIFY(!panels.isBannerVisible());
    }

    void flashRunsOnItsOwnTimer() {
        QWidget window;
        MessagePanels panels(&window);
        panels.flash(QStringLiteral("Puzzle completed"));
        QTRY_VERIFY_WITH_TIMEOUT(!panels.isFlashing(), 3000);
    }

    // --- level picker -----------------------------------------------------------------------
    void pickerPreviewHasOneLinePerRowOfColumnsCharacters() {
        LevelPicker picker;
        picker.setLevelCount(10);
        picker.setPreviewSource([](int level) {
            if (level == 4)
                return std::vector<std::string>{"\x7F\x7F \x7F\x7F", "\x7F\x7F\x7F\x7F\x7F",
                                                "     "};
            return std::vector<std::string>{"\x7F"};
        });
        picker.setPosition(4);
        const QStringList lines = picker.previewLines();
        QCOMPARE(lines.size(), 3);
        for (const QString& line : lines)
            QCOMPARE(line.size(), 5);
        QCOMPARE(lines[0][2], QChar(' '));
        QVERIFY(lines[0][0] != QChar(' '));
        QCOMPARE(picker.levelText(), QStringLiteral("4"));
    }

    void pickerBoxTakesDigitsAndAppliesThemOnFocusLoss() {
        LevelPicker picker;
        picker.setLevelCount(20);
        picker.show();
        picker.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        QSignalSpy moved(&picker, &LevelPicker::positionChanged);
        QLineEdit* box = picker.levelBox();
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, QStringLiteral("1x2"));
        QCOMPARE(box->text(), QStringLiteral("12")); // the letter never reached the box
        QCOMPARE(picker.position(), 1);              // typing alone moves nothing
        QTest::keyClick(box, Qt::Key_Tab);           // leaving the box applies it
        QVERIFY(!box->hasFocus());
        QCOMPARE(picker.position(), 12);
        QCOMPARE(moved.size(), 1);

        box->setText(QStringLiteral("999"));
        emit box->editingFinished();
        QCOMPARE(picker.position(), 20); // kept within the levels
        QCOMPARE(box->text(), QStringLiteral("20"));
    }

    void pickerReportsAnEmptyBoxAndKeepsItsLevel() {
        LevelPicker picker;
        picker.setLevelCount(20);
        picker.setPosition(6);
        QStringList errors;
        picker.setErrorReporter([&](const QString& text) { errors << text; });
        picker.levelBox()->clear();
        emit picker.levelBox()->editingFinished();
        QCOMPARE(errors.size(), 1);
        QCOMPARE(picker.position(), 6);
    }

    void pickerButtonsAndEscapeCloseWithTheirResults() {
        LevelPicker picker;
        QTimer::singleShot(0, &picker, [&] {
            picker.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        });
        QCOMPARE(picker.exec(), LevelPicker::NewGameResult);
        QTimer::singleShot(0, &picker, [&] { QTest::keyClick(&picker, Qt::Key_Escape); });
        QCOMPARE(picker.exec(), LevelPicker::CancelResult);
    }

    // --- text -------------------------------------------------------------------------------
    void windows1252TextRoundTripsAndUnknownCharactersBecomeQuestionMarks() {
        const std::string bytes = "caf\xE9 \x80";
        QCOMPARE(fromCp1252(bytes), QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"));
        QCOMPARE(toCp1252(fromCp1252(bytes)), bytes);
        QCOMPARE(toCp1252(QString::fromUtf8("\xE2\x86\x92x")), std::string("?x"));
        QCOMPARE(colourFromWindows(0x0A15F5), QColor(0xF5, 0x15, 0x0A));
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    MessagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_messages.moc"
