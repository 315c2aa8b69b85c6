// The style dialog's panels and what choosing each of them does to the board and the settings.
#include "dialogs/StyleDialog.h"

#include "board/TileStyle.h"
#include "dialogs/BackgroundDialog.h"
#include "dialogs/StylePanel.h"
#include "settings/Settings.h"
#include "settings/SettingsBinder.h"
#include "support/Dialogs.h"
#include "support/Text.h"

#include <QPushButton>

namespace {

constexpr int kClientWidth = 413;
constexpr int kClientHeight = 144;
constexpr int kMargin = 8;
constexpr int kSampleWidth = 39;
constexpr int kSampleHeight = 25;
constexpr int kSampleGap = 2;
constexpr int kSamplesPerRow = 7;
constexpr int kSampleFontPoints = 8; // the font sample shows any chosen font at this size
const QColor SampleLetterColour(0x80, 0x00, 0x00); // maroon

QFont presetFont() {
    QFont font(QStringLiteral("Tahoma"), 10);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    return font;
}

} // namespace

StyleDialog::StyleDialog(BoardLook& board, Dialogs& dialogs, Settings& settings, QWidget* parent)
    : QDialog(parent), m_board(board), m_dialogs(dialogs), m_settings(settings),
      m_lastChosenFont(QStringLiteral("MS Sans Serif"), 8) {
    setObjectName(QStringLiteral("TfrmStyle"));
    setWindowTitle(QStringLiteral("Styles"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    createPresets();
    createSideAndBottom();
    m_background = new BackgroundDialog(board, dialogs, settings, this);
    showLetterColours();
}

StyleDialog::~StyleDialog() = default;

StylePanel* StyleDialog::addPanel(const char* name, const QString& caption, QRect geometry) {
    auto* panel = new StylePanel(QLatin1String(name), caption, this);
    panel->setGeometry(geometry);
    return panel;
}

void StyleDialog::createPresets() {
    const TileStylePreset* presets = tileStylePresets();
    for (int i = 0; i < TileStylePresetCount; ++i) {
        const int x = kMargin + (i % kSamplesPerRow) * (kSampleWidth + kSampleGap);
        const int y = kMargin + (i / kSamplesPerRow) * (kSampleHeight + kSampleGap);
        StylePanel* sample = addPanel(presets[i].name, QStringLiteral("W"),
                                      QRect(x, y, kSampleWidth, kSampleHeight));
        sample->setTileStyle(presets[i].style);
        sample->setAccessibleName(QStringLiteral("Tile style %1").arg(i + 1));
        sample->setFont(presetFont());
        sample->setTextColour(SampleLetterColour);
        connect(sample, &StylePanel::clicked, this, [this, i] { applyPreset(i); });
        m_presets.push_back(sample);
    }
}

// The letter colours stand in a column right of the samples; the buttons along the bottom.
void StyleDialog::createSideAndBottom() {
    const int sideX = kMargin + kSamplesPerRow * (kSampleWidth + kSampleGap) + 9;
    const int sideWidth = kClientWidth - kMargin - sideX;
    QFont bold = font();
    bold.setBold(true);
    StylePanel** letters[] = {&m_red, &m_green, &m_blue};
    const char* names[] = {"Red", "Green", "Blue"};
    const Setting keys[] = {Setting::LetterUnlocked, Setting::LetterLocked,
                            Setting::LetterRevealed};
    const char* spokenNames[] = {": colour of free letters", ": colour of locked letters",
                                 ": colour of found letters"};
    for (int row = 0; row < 3; ++row) {
        const int y = kMargin + row * (kSampleHeight + kSampleGap);
        StylePanel* panel = addPanel(names[row], QLatin1String(names[row]),
                                     QRect(sideX, y, sideWidth, kSampleHeight));
        panel->setFont(bold);
        bindToSetting(*panel, keys[row]);
        panel->setAccessibleName(QLatin1String(names[row]) + QLatin1String(spokenNames[row]));
        connect(panel, &StylePanel::clicked, this, [this, panel] { chooseLetterColour(panel); });
        *letters[row] = panel;
    }

    const int buttonY = kClientHeight - kMargin - 30;
    const int gap = 6;
    const int width = (kClientWidth - 2 * kMargin - 4 * gap) / 5;
    const auto at = [&](int slot) { return QRect(kMargin + slot * (width + gap), buttonY, width, 30); };
    m_fontPanel = addPanel("pFont", QStringLiteral("Tile Font"), at(0));
    m_colourPanel = addPanel("pColor", QStringLiteral("Tile Color"), at(1));
    m_boardColourPanel = addPanel("Panel23", QStringLiteral("BG Color"), at(2));
    m_backgroundPanel = addPanel("Panel22", QStringLiteral("Background"), at(3));
    connect(m_fontPanel, &StylePanel::clicked, this, &StyleDialog::chooseTileFont);
    connect(m_colourPanel, &StylePanel::clicked, this, &StyleDialog::chooseTileColour);
    connect(m_boardColourPanel, &StylePanel::clicked, this, &StyleDialog::chooseBoardColour);
    connect(m_backgroundPanel, &StylePanel::clicked, this, &StyleDialog::showBackgroundDialog);

    // "Done" is both the default and the cancel button: Return and Esc close as it does.
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("Done"));
    done->setGeometry(at(4));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
}

StylePanel* StyleDialog::panel(const QString& name) const {
    return findChild<StylePanel*>(name, Qt::FindDirectChildrenOnly);
}

std::vector<StylePanel*> StyleDialog::allPanels() const {
    std::vector<StylePanel*> panels = m_presets;
    for (StylePanel* panel : {m_red, m_green, m_blue, m_fontPanel, m_colourPanel,
                              m_boardColourPanel, m_backgroundPanel})
        panels.push_back(panel);
    return panels;
}

void StyleDialog::setSamples(const TileLook& look) {
    const QColor colour = quorvel::colourFromWindows(look.colour);
    m_colourPanel->setColour(colour);
    m_fontPanel->setColour(colour);
    QFont sample(look.fontName, kSampleFontPoints);
    sample.setBold(look.bold);
    m_fontPanel->setFont(sample);
    m_colourPanel->setFont(sample);
    m_tileFontSize = look.fontSize;
}

// Opening shows the tile colour on every panel, the letter colours on theirs, and the board
// colour around them.
void StyleDialog::showEvent(QShowEvent* event) {
    paintPanelsInTileColour();
    showLetterColours();
    setOwnColour(quorvel::colourFromWindows(m_board.boardColour()));
    QDialog::showEvent(event);
}

void StyleDialog::paintPanelsInTileColour() {
    const QColor colour = quorvel::colourFromWindows(m_board.templateTileLook().colour);
    for (StylePanel* panel : allPanels())
        panel->setColour(colour);
}

void StyleDialog::showLetterColours() {
    const LetterColours letters = m_board.letterColours();
    m_red->setTextColour(quorvel::colourFromWindows(letters.unlocked));
    m_green->setTextColour(quorvel::colourFromWindows(letters.locked));
    m_blue->setTextColour(quorvel::colourFromWindows(letters.revealed));
}

void StyleDialog::setOwnColour(const QColor& colour) {
    QPalette own = palette();
    own.setColor(QPalette::Window, colour);
    setPalette(own);
}

QColor StyleDialog::ownColour() const {
    return palette().color(QPalette::Window);
}

// --- choices ---------------------------------------------------------------------------------

// The shape goes to the template tile and so to every tile; the colour and font keys are
// written with it, so the stored look is whole even if it was never chosen in this dialog.
void StyleDialog::applyPreset(int index) {
    if (index < 0 || index >= TileStylePresetCount)
        return;
    const QString name = QLatin1String(tileStylePresets()[index].name);
    m_board.setTemplateTileStyle(tileStyleSample(name));
    writeText(Setting::TileStyle, name);
    writeTileLook();
    reportFailedWrites();
}

void StyleDialog::chooseTileColour() {
    const std::optional<QColor> chosen = m_pickers->chooseColour(this, m_colourPanel->colour());
    if (!chosen)
        return;
    // Every panel shows the tile colour, as it does when the dialog opens.
    for (StylePanel* panel : allPanels())
        panel->setColour(*chosen);
    TileLook look = m_board.templateTileLook();
    look.colour = quorvel::colourToWindows(*chosen);
    m_board.setTemplateTileLook(look);
    write(Setting::TileColour, static_cast<int>(look.colour));
    reportFailedWrites();
}

// The sample shows the chosen face at 8 points; the tiles take the chosen size.
void StyleDialog::chooseTileFont() {
    const std::optional<QFont> chosen = m_pickers->chooseFont(this, m_lastChosenFont);
    if (!chosen)
        return;
    m_lastChosenFont = *chosen;
    TileLook look = m_board.templateTileLook();
    look.fontName = chosen->family();
    if (chosen->pointSize() > 0)
        look.fontSize = chosen->pointSize();
    look.bold = chosen->bold();
    QFont sample(look.fontName, kSampleFontPoints);
    sample.setBold(look.bold);
    m_fontPanel->setFont(sample);
    m_tileFontSize = look.fontSize;
    m_board.setTemplateTileLook(look);
    writeTileLook();
    reportFailedWrites();
}

// Tiles show their state through these colours, so a new colour reaches exactly the tiles of
// its own state, even when two states share a colour.
void StyleDialog::chooseLetterColour(StylePanel* letterPanel) {
    if (letterPanel != m_red && letterPanel != m_green && letterPanel != m_blue)
        return;
    if (const auto chosen = m_pickers->chooseColour(this, letterPanel->textColour())) {
        letterPanel->setTextColour(*chosen);
        if (!storeBoundControl(*letterPanel, m_settings))
            m_writeFailed = true;
    }
    LetterColours letters;
    letters.unlocked = quorvel::colourToWindows(m_red->textColour());
    letters.locked = quorvel::colourToWindows(m_green->textColour());
    letters.revealed = quorvel::colourToWindows(m_blue->textColour());
    m_board.setLetterColours(letters);
    reportFailedWrites();
}

// The plain colour shows instead of the picture. Nothing is written: the game stores the board
// colour and whether the picture shows when it closes.
void StyleDialog::chooseBoardColour() {
    const std::optional<QColor> chosen = m_pickers->chooseColour(this, ownColour());
    if (!chosen)
        return;
    setOwnColour(*chosen);
    m_board.setBoardColour(quorvel::colourToWindows(*chosen));
    m_board.setBackgroundVisible(false);
}

// Beside this dialog and usable while it is open.
void StyleDialog::showBackgroundDialog() {
    if (!m_background->isVisible()) {
        const QRect own = frameGeometry();
        m_background->move(own.right() + 8, own.top());
    }
    m_background->show();
    m_background->raise();
    m_background->activateWindow();
}

// --- settings --------------------------------------------------------------------------------

void StyleDialog::writeTileLook() {
    const TileLook look = m_board.templateTileLook();
    write(Setting::TileColour, static_cast<int>(look.colour));
    writeText(Setting::FontName, look.fontName);
    write(Setting::FontSize, look.fontSize);
    write(Setting::FontBold, look.bold ? 1 : 0);
}

void StyleDialog::write(Setting key, int value) {
    if (!m_settings.writeInteger(key, value))
        m_writeFailed = true;
}

void StyleDialog::writeText(Setting key, const QString& value) {
    if (!m_settings.writeText(key, value))
        m_writeFailed = true;
}

// The choice stays in force on the board; the player learns that it will not be kept.
void StyleDialog::reportFailedWrites() {
    if (!m_writeFailed)
        return;
    m_writeFailed = false;
    m_dialogs.warn(
        this, QStringLiteral("Your style could not be saved.\n\n%1").arg(m_settings.lastError()));
}
