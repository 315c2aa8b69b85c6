// The style and background dialogs: what each choice does to the board and to the settings, and
// that the look comes back after the game is closed and started again.
#include "dialogs/BackgroundDialog.h"
#include "board/BoardView.h"
#include "support/Dialogs.h"
#include "CopyTree.h"
#include "ScriptedDialogs.h"
#include "WindowFixture.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "settings/Settings.h"
#include "dialogs/OptionsDialog.h"
#include "window/Session.h"
#include "dialogs/StyleDialog.h"
#include "dialogs/StylePanel.h"
#include "support/Text.h"
#include "board/TileStyle.h"

#include "model/Random.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>
#include <memory>

using namespace quorvel;

namespace {

// Chooses what the test queued; an empty queue is the player cancelling.
class ScriptedPickers : public StylePickers {
public:
    std::optional<QColor> chooseColour(QWidget*, const QColor& initial) override {
        colourStarts << initial;
        if (colours.empty())
            return std::nullopt;
        const QColor next = colours.front();
        colours.pop_front();
        return next;
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont& initial) override {
        fontStarts << initial;
        if (fonts.empty())
            return std::nullopt;
        const QFont next = fonts.front();
        fonts.pop_front();
        return next;
    }
    std::deque<QColor> colours;
    std::deque<QFont> fonts;
    QList<QColor> colourStarts;
    QList<QFont> fontStarts;
};

QImage stripes(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixelColor(x, y, (x / 8 + y / 8) % 2 ? QColor(30, 90, 160) : QColor(240, 200, 40));
    return image;
}

const QColor Orange(255, 128, 0);
const QColor Teal(0, 128, 128);

} // namespace

class StylesTest : public QObject, private WindowFixture<ScriptedDialogs> {
    Q_OBJECT
private:
    ScriptedPickers m_pickers;

    BoardView* board() { return m_window->boardView(); }
    StyleDialog* styles() { return m_window->styleDialog(); }
    BackgroundDialog* background() { return styles()->backgroundDialog(); }
    Settings& ini() { return *m_settings; }
    QString setting(const char* key) {
        return ini().readText(*settingNamed(key), QStringLiteral("<absent>"));
    }
    QByteArray settingsBytes() {
        QFile file(m_folder + QStringLiteral("RQN_ZQ.INI"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void openWindow() {
        makeWindow(14);
        m_window->createWindows();
        m_window->show();
        m_window->session()->startUp();
        QCoreApplication::processEvents();
        m_pickers = ScriptedPickers();
        styles()->setPickers(m_pickers);
    }
    void restart() {
        m_window->close();
        m_window.reset();
        openWindow();
    }
    void newGame() {
        m_window->newGame();
        QCoreApplication::processEvents();
        QVERIFY(m_window->game().state().isInPlay());
    }
    // Locks the first free letter, so the board holds unlocked and locked tiles both.
    int lockOneTile() {
        const Board& b = m_window->game().state().board;
        for (int t = 1; t <= b.tileCount; ++t)
            if (b.tile(t).visible && b.tile(t).colour == LetterColour::Unlocked) {
                m_window->play(Move::click(b.tile(t).row, b.tile(t).column));
                return t;
            }
        return 0;
    }
    QString writePicture(const QString& name, QSize size) {
        const QString path = m_dir->filePath(QStringLiteral("pictures/") + name);
        QDir().mkpath(QFileInfo(path).path());
        stripes(size).save(path);
        return path;
    }
    // How many tiles of one state look different in two pictures of the board.
    int changedTiles(const QImage& before, const QImage& after, LetterColour state) {
        const Board& b = m_window->game().state().board;
        int changed = 0;
        for (int t = 1; t <= b.tileCount; ++t) {
            const QRect rect = board()->tileRect(t);
            if (!rect.isEmpty() && b.tile(t).colour == state)
                changed += before.copy(rect) != after.copy(rect) ? 1 : 0;
        }
        return changed;
    }
    int tilesOf(LetterColour state) {
        const Board& b = m_window->game().state().board;
        int count = 0;
        for (int t = 1; t <= b.tileCount; ++t)
            count += !board()->tileRect(t).isEmpty() && b.tile(t).colour == state ? 1 : 0;
        return count;
    }

private slots:
    void init() {
        QVERIFY(makeEmptyFolder());
        for (const char* sub : {"zq", "kbs", "sound"})
            copyTree(QStringLiteral(QUORVEL_PROGRAM_DIR) + QLatin1String(sub) + '/',
                     m_folder + QLatin1String(sub) + '/');
        QVERIFY(keepWindowFittingBoards());
        openWindow();
    }
    void cleanup() {
        m_window.reset();
        m_dir.reset();
    }

    void everyPresetWritesItsNameAndTheWholeTileLook() {
        const TileStylePreset* presets = tileStylePresets();
        QCOMPARE(styles()->presetPanels().size(), std::size_t(TileStylePresetCount));
        for (int i = 0; i < TileStylePresetCount; ++i) {
            StylePanel* sample = styles()->presetPanels()[static_cast<std::size_t>(i)];
            QCOMPARE(sample->objectName(), QLatin1String(presets[i].name));
            QTest::mouseClick(sample, Qt::LeftButton);
            QCOMPARE(setting("Style"), QLatin1String(presets[i].name));
            QCOMPARE(board()->tileAppearance().style, presets[i].style);
        }
        const TileAppearance& look = board()->tileAppearance();
        QCOMPARE(setting("Color").toUInt(), quorvel::colourToWindows(look.colour));
        QCOMPARE(setting("FontName"), look.fontFamily);
        QCOMPARE(setting("FontSize").toInt(), look.pointSize);
        QCOMPARE(setting("FontBold"), QLatin1String(look.bold ? "1" : "0"));
    }

    // The samples sit in three rows of seven, left to right, as the player reads them.
    void presetsStandInThreeRowsOfSeven() {
        const auto& presets = styles()->presetPanels();
        for (std::size_t i = 1; i < presets.size(); ++i) {
            const QRect before = presets[i - 1]->geometry();
            const QRect here = presets[i]->geometry();
            QCOMPARE(here.size(), QSize(39, 25));
            if (i % 7 == 0)
                QVERIFY(here.top() > before.bottom() && here.left() < before.left());
            else
                QVERIFY(here.top() == before.top() && here.left() > before.right());
        }
        QCOMPARE(styles()->size(), QSize(413, 144));
    }

    // The board is one painted widget: the last tile of the largest level takes the shape too.
    void aFramedPresetReachesTheLastTileOfALargeBoard() {
        const LevelTable& levels = m_window->game().levelTable();
        int largest = 1;
        for (int level = 1; level <= levels.levelCount; ++level)
            if (levels.at(level).rows * levels.at(level).columns >
                levels.at(largest).rows * levels.at(largest).columns)
                largest = level;
        m_window->play(Move::restoreLevel(largest));
        m_window->play(Move::pickerLevel(largest));
        newGame();
        const int last = m_window->game().state().board.tileCount;
        QVERIFY(last > 0);
        styles()->applyPreset(4); // Panel8: a single dark frame
        const QRect rect = board()->tileRect(last);
        QVERIFY(!rect.isEmpty());
        const QImage image = board()->grab().toImage();
        QCOMPARE(image.pixelColor(rect.topLeft()), QColor(Qt::black));
        styles()->applyPreset(0); // panel21: no frame, a light raised bevel at the corner
        QCOMPARE(board()->grab().toImage().pixelColor(rect.topLeft()).name(),
                 QColor(Qt::white).name());
    }

    void openingPaintsEveryPanelInTheTileColourOverTheBoardColour() {
        m_pickers.colours = {Orange};
        styles()->chooseTileColour();
        board()->setBoardColour(Teal);
        styles()->show();
        const std::vector<StylePanel*> panels = styles()->allPanels();
        QCOMPARE(panels.size(), std::size_t(28));
        for (StylePanel* panel : panels)
            QCOMPARE(panel->colour(), Orange);
        QCOMPARE(styles()->palette().color(QPalette::Window), Teal);
        QCOMPARE(styles()->panel(QStringLiteral("Red"))->textColour(),
                 board()->letterColour(LetterColour::Unlocked));
        QCOMPARE(styles()->panel(QStringLiteral("Green"))->textColour(),
                 board()->letterColour(LetterColour::Locked));
        styles()->hide();
    }

    void tileColourStartsFromTheCurrentOneAndCancelChangesNothing() {
        const QColor before = board()->tileAppearance().colour;
        const QByteArray stored = settingsBytes();
        styles()->chooseTileColour();
        QCOMPARE(m_pickers.colourStarts.value(0), before);
        QCOMPARE(board()->tileAppearance().colour, before);
        QCOMPARE(settingsBytes(), stored);

        m_pickers.colours = {Orange};
        styles()->chooseTileColour();
        QCOMPARE(board()->tileAppearance().colour, Orange);
        QCOMPARE(setting("Color").toUInt(), quorvel::colourToWindows(Orange));
        QCOMPARE(styles()->panel(QStringLiteral("pColor"))->colour(), Orange);
        QCOMPARE(styles()->panel(QStringLiteral("pFont"))->colour(), Orange);
    }

    void aFourteenPointFontShowsAtEightInTheSampleAndFourteenOnTheTiles() {
        QFont chosen(QStringLiteral("DejaVu Serif"), 14);
        chosen.setBold(true);
        m_pickers.fonts = {chosen};
        styles()->chooseTileFont();
        QCOMPARE(m_pickers.fontStarts.value(0).family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(m_pickers.fontStarts.value(0).pointSize(), 8);
        const QFont sample = styles()->panel(QStringLiteral("pFont"))->font();
        QCOMPARE(sample.family(), chosen.family());
        QCOMPARE(sample.pointSize(), 8);
        QCOMPARE(styles()->tileFontSize(), 14);
        QCOMPARE(board()->tileAppearance().pointSize, 14);
        QCOMPARE(board()->tileAppearance().fontFamily, chosen.family());
        QVERIFY(board()->tileAppearance().bold);
        QCOMPARE(setting("FontSize"), QStringLiteral("14"));
        QCOMPARE(setting("FontName"), chosen.family());
        QCOMPARE(setting("FontBold"), QStringLiteral("1"));

        // The next font dialog starts from this choice, and cancelling it keeps everything.
        const QByteArray stored = settingsBytes();
        styles()->chooseTileFont();
        QCOMPARE(m_pickers.fontStarts.value(1).pointSize(), 14);
        QCOMPARE(board()->tileAppearance().pointSize, 14);
        QCOMPARE(settingsBytes(), stored);
    }

    void redRecoloursExactlyTheUnlockedTiles() {
        newGame();
        QVERIFY(lockOneTile() != 0);
        const QColor locked = board()->letterColour(LetterColour::Locked);
        const QImage before = board()->grab().toImage();
        m_pickers.colours = {Orange};
        styles()->chooseLetterColour(styles()->panel(QStringLiteral("Red")));
        const QImage after = board()->grab().toImage();
        QCOMPARE(board()->letterColour(LetterColour::Unlocked), Orange);
        QCOMPARE(board()->letterColour(LetterColour::Locked), locked);
        QCOMPARE(setting("Red").toUInt(), quorvel::colourToWindows(Orange));
        QVERIFY(tilesOf(LetterColour::Locked) > 0);
        QCOMPARE(changedTiles(before, after, LetterColour::Unlocked), tilesOf(LetterColour::Unlocked));
        QCOMPARE(changedTiles(before, after, LetterColour::Locked), 0);
    }

    // Two equal letter colours still stand for two states: recolouring one leaves the other.
    void withRedEqualToGreenRedStillRecoloursOnlyTheUnlockedTiles() {
        newGame();
        QVERIFY(lockOneTile() != 0);
        const QColor red = board()->letterColour(LetterColour::Unlocked);
        m_pickers.colours = {red, Orange};
        styles()->chooseLetterColour(styles()->panel(QStringLiteral("Green")));
        QCOMPARE(board()->letterColour(LetterColour::Locked), red);
        const QImage before = board()->grab().toImage();
        styles()->chooseLetterColour(styles()->panel(QStringLiteral("Red")));
        const QImage after = board()->grab().toImage();
        QCOMPARE(board()->letterColour(LetterColour::Unlocked), Orange);
        QCOMPARE(board()->letterColour(LetterColour::Locked), red);
        QCOMPARE(changedTiles(before, after, LetterColour::Unlocked), tilesOf(LetterColour::Unlocked));
        QCOMPARE(changedTiles(before, after, LetterColour::Locked), 0);
        QCOMPARE(setting("Green").toUInt(), quorvel::colourToWindows(red));
    }

    void cancellingALetterColourWritesNothing() {
        const QByteArray stored = settingsBytes();
        const QColor blue = board()->letterColour(LetterColour::Revealed);
        styles()->chooseLetterColour(styles()->panel(QStringLiteral("Blue")));
        QCOMPARE(m_pickers.colourStarts.value(0), blue);
        QCOMPARE(board()->letterColour(LetterColour::Revealed), blue);
        QCOMPARE(settingsBytes(), stored);
    }

    // The pictures are listed when the dialog first opens, beside the style dialog.
    void theBackgroundDialogOpensOnAFolderBesideTheStyleDialog() {
        QVERIFY(background()->folder().isEmpty());
        styles()->show();
        styles()->showBackgroundDialog();
        QVERIFY(background()->isVisible());
        QVERIFY(!background()->folder().isEmpty());
        QVERIFY(QDir(background()->folder()).exists());
        QVERIFY(background()->x() > styles()->x());
        styles()->hide();
        background()->hide();
    }

    void pictureFilesOfEveryKindAreListedAndNothingElse() {
        for (const char* name : {"a.bmp", "b.png", "c.jpg", "d.jpeg", "E.PNG"})
            writePicture(QLatin1String(name), QSize(16, 16));
        QFile text(m_dir->filePath(QStringLiteral("pictures/notes.txt")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.close();
        background()->setFolder(m_dir->filePath(QStringLiteral("pictures")));
        QStringList names = background()->fileNames();
        names.sort(Qt::CaseInsensitive);
        QCOMPARE(names, (QStringList{"a.bmp", "b.png", "c.jpg", "d.jpeg", "E.PNG"}));
        QVERIFY(background()->stretchBox()->isChecked());
    }

    void boardColourHidesThePictureAndAPictureShowsItAgain() {
        const QString path = writePicture(QStringLiteral("first.png"), QSize(64, 48));
        background()->setFolder(QFileInfo(path).path());
        QVERIFY(background()->choosePicture(QStringLiteral("first.png")));
        QVERIFY(board()->isBackgroundVisible());
        QCOMPARE(board()->backgroundPicture().size(), QSize(64, 48));
        QCOMPARE(setting("Picture"), QDir::cleanPath(path));

        const QString storedColour = setting("BGColor");
        m_pickers.colours = {Teal};
        styles()->chooseBoardColour();
        QVERIFY(!board()->isBackgroundVisible());
        QCOMPARE(board()->boardColour(), Teal);
        QCOMPARE(setting("BGColor"), storedColour); // stored only when the game closes

        QVERIFY(background()->choosePicture(QStringLiteral("first.png")));
        QVERIFY(board()->isBackgroundVisible());
    }

    // The picture lies behind the whole board area, not only behind the tiles' panel.
    void aStretchedPictureCoversTheWholeBoardAreaAndAnUnstretchedOneItsOwnSize() {
        newGame();
        QImage solid(20, 20, QImage::Format_RGB32);
        solid.fill(Orange);
        QDir().mkpath(m_dir->filePath(QStringLiteral("pictures")));
        QVERIFY(solid.save(m_dir->filePath(QStringLiteral("pictures/solid.png"))));
        background()->setFolder(m_dir->filePath(QStringLiteral("pictures")));
        QVERIFY(background()->choosePicture(QStringLiteral("solid.png")));
        QWidget* area = m_window->centralWidget();
        const QRect panel = board()->geometry();
        QVERIFY(panel.bottom() < area->height() - 2);
        QImage image = area->grab().toImage();
        const QPoint belowPanel(area->width() / 2, area->height() - 2);
        QCOMPARE(image.pixelColor(belowPanel), Orange);
        QCOMPARE(image.pixelColor(panel.topLeft() + QPoint(1, 1)), Orange);

        background()->stretchBox()->click();
        image = area->grab().toImage();
        QCOMPARE(image.pixelColor(belowPanel), board()->boardColour());
        QCOMPARE(image.pixelColor(QPoint(5, 5)), Orange);
        QCOMPARE(image.pixelColor(QPoint(25, 25)), board()->boardColour());
    }

    void aDamagedBitmapChangesNothing() {
        const QString good = writePicture(QStringLiteral("good.png"), QSize(40, 30));
        background()->setFolder(QFileInfo(good).path());
        QVERIFY(background()->choosePicture(QStringLiteral("good.png")));
        QFile bad(m_dir->filePath(QStringLiteral("pictures/bad.bmp")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        static const char damaged[] = "BM\x36\x00\x00\x00garbage that is no bitmap at all";
        bad.write(damaged, sizeof damaged - 1);
        bad.close();
        background()->setFolder(m_dir->path());
        background()->setFolder(QFileInfo(good).path()); // lists the new file

        const qint64 shown = board()->backgroundPicture().cacheKey();
        const QByteArray stored = settingsBytes();
        m_dialogs->warned.clear();
        QVERIFY(!background()->choosePicture(QStringLiteral("bad.bmp")));
        QCOMPARE(board()->backgroundPicture().cacheKey(), shown);
        QVERIFY(board()->isBackgroundVisible());
        QCOMPARE(settingsBytes(), stored);
        QCOMPARE(m_dialogs->warned.size(), 1);
        QVERIFY(m_dialogs->warned.first().contains(QStringLiteral("bad.bmp")));
    }

    void stretchWritesItsSettingAndRedraws() {
        background()->stretchBox()->click();
        QVERIFY(!board()->isBackgroundStretched());
        QCOMPARE(setting("Stretch"), QStringLiteral("0"));
        background()->stretchBox()->click();
        QVERIFY(board()->isBackgroundStretched());
        QCOMPARE(setting("Stretch"), QStringLiteral("1"));
    }

    // After a restart the Stretch box once showed ticked beside an unstretched picture, and
    // the dialog opened at home rather than where the picture was chosen.
    void backgroundDialogAfterARestartShowsWhatIsInForce() {
        const QString path = writePicture(QStringLiteral("kept.png"), QSize(50, 70));
        background()->setFolder(QFileInfo(path).path());
        QVERIFY(background()->choosePicture(QStringLiteral("kept.png")));
        background()->stretchBox()->click();
        QVERIFY(!board()->isBackgroundStretched());

        restart();
        QVERIFY(!board()->isBackgroundStretched());
        QVERIFY(!background()->stretchBox()->isChecked());
        styles()->show();
        styles()->showBackgroundDialog();
        QVERIFY(!background()->stretchBox()->isChecked());
        QCOMPARE(background()->folder(), QFileInfo(path).absolutePath());
        QVERIFY(background()->fileNames().contains(QStringLiteral("kept.png")));
        background()->stretchBox()->click();
        QVERIFY(board()->isBackgroundStretched());
        styles()->hide();
        background()->hide();
    }

    void shapeColoursFontAndPictureComeBackAfterARestart() {
        styles()->applyPreset(5); // Panel16
        m_pickers.colours = {Orange, Teal};
        styles()->chooseTileColour();
        styles()->chooseLetterColour(styles()->panel(QStringLiteral("Blue")));
        m_pickers.fonts = {QFont(QStringLiteral("DejaVu Sans"), 13)};
        styles()->chooseTileFont();
        writePicture(QStringLiteral("kept.png"), QSize(50, 70));
        background()->setFolder(m_dir->filePath(QStringLiteral("pictures")));
        QVERIFY(background()->choosePicture(QStringLiteral("kept.png")));
        background()->stretchBox()->click();
        const TileAppearance chosen = board()->tileAppearance();

        restart();
        QCOMPARE(board()->tileAppearance(), chosen);
        QCOMPARE(board()->tileAppearance().style, tileStylePresets()[5].style);
        QCOMPARE(board()->letterColour(LetterColour::Revealed), Teal);
        QCOMPARE(styles()->tileFontSize(), 13);
        QCOMPARE(styles()->panel(QStringLiteral("pFont"))->font().pointSize(), 8);
        QCOMPARE(board()->backgroundPicture().size(), QSize(50, 70));
        QVERIFY(board()->isBackgroundVisible());
        QVERIFY(!board()->isBackgroundStretched());
        QVERIFY(QFile::exists(m_folder + QStringLiteral("zq/BG.bmp")));
    }

    // "Panel1" is the sample of that name (second in the first row), not the first sample.
    void aStoredStyleSelectsTheSampleOfThatName() {
        ini().writeText(Setting::TileStyle, QStringLiteral("PANEL1"));
        restart();
        QCOMPARE(board()->tileAppearance().style, *tileStylePreset(QStringLiteral("Panel1")));
        QCOMPARE(board()->tileAppearance().style.bevelInner, Bevel::Lowered);
        ini().writeText(Setting::TileStyle, QStringLiteral("Panel22"));
        restart();
        QCOMPARE(board()->tileAppearance().style, *tileStylePreset(QStringLiteral("Panel1")));
    }

    void styleSamplesAreRestoredAtStartUp() {
        ini().writeInteger(Setting::TileColour, static_cast<int>(quorvel::colourToWindows(Orange)));
        ini().writeText(Setting::FontName, QStringLiteral("DejaVu Sans"));
        ini().writeInteger(Setting::FontSize, 16);
        ini().writeBool(Setting::FontBold, true);
        restart();
        QCOMPARE(styles()->panel(QStringLiteral("pColor"))->colour(), Orange);
        const QFont sample = styles()->panel(QStringLiteral("pFont"))->font();
        QCOMPARE(sample.pointSize(), 8);
        QVERIFY(sample.bold());
        QCOMPARE(styles()->tileFontSize(), 16);
        QCOMPARE(board()->tileAppearance().pointSize, 16);
    }

    // The dialog is made when first opened, not before the first paint; start-up's samples
    // reach it whether it is made before start-up or after.
    void theDialogIsMadeOnFirstUseAndTakesTheSamplesEitherWay() {
        ini().writeInteger(Setting::TileColour, static_cast<int>(quorvel::colourToWindows(Orange)));
        m_window->close();
        makeWindow(14);
        m_window->createWindows();
        m_window->show();
        QVERIFY(!m_window->existingStyleDialog());
        StyleDialog* early = m_window->styleDialog();
        QVERIFY(early);
        m_window->session()->startUp();
        QCOMPARE(m_window->styleDialog(), early);
        QCOMPARE(early->panel(QStringLiteral("pColor"))->colour(), Orange);
    }
};

QTEST_MAIN(StylesTest)
#include "test_styles.moc"
