// The "Styles" dialog: tile shape, tile colour and font, letter colours, board colour, background.
#pragma once

#include "dialogs/BoardLook.h"
#include "dialogs/StylePickers.h"

#include <QDialog>
#include <QFont>

#include <memory>
#include <vector>

class BackgroundDialog;
class Dialogs;
class Settings;
enum class Setting;
class StylePanel;

// Every choice takes effect on the board at once and, but the board colour (stored when the game
// closes), is written to the settings at once; "Done" only closes. The tile's look lives in the
// board; this dialog keeps the colour and font samples that start-up restores.
class StyleDialog : public QDialog {
    Q_OBJECT
public:
    // Questions and warnings go through dialogs.
    StyleDialog(BoardLook& board, Dialogs& dialogs, Settings& settings, QWidget* parent = nullptr);
    ~StyleDialog() override;

    // Tests choose colours and fonts through their own pickers; the dialogs' are the default.
    void setPickers(StylePickers& pickers) { m_pickers = &pickers; }

    // Start-up: the colour sample takes the tile colour, the font sample the tile font at 8
    // points, and the font's own size is kept for the tiles.
    void setSamples(const TileLook& look);
    int tileFontSize() const { return m_tileFontSize; }

    // The 21 shape samples in their rows, the letter panels Red/Green/Blue and the four buttons.
    StylePanel* panel(const QString& name) const;
    const std::vector<StylePanel*>& presetPanels() const { return m_presets; }
    std::vector<StylePanel*> allPanels() const;
    BackgroundDialog* backgroundDialog() const { return m_background; }

    // What each panel does when clicked.
    void applyPreset(int index); // 0..20, the samples' order
    void chooseTileColour();
    void chooseTileFont();
    void chooseLetterColour(StylePanel* letterPanel);
    void chooseBoardColour();
    void showBackgroundDialog();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createPresets();
    void createSideAndBottom();
    StylePanel* addPanel(const char* name, const QString& caption, QRect geometry);
    void paintPanelsInTileColour();
    void showLetterColours();
    void setOwnColour(const QColor& colour);
    QColor ownColour() const;
    // Writes the tile keys from the template tile: Color, FontName, FontSize, FontBold.
    void writeTileLook();
    void write(Setting key, int value);
    void writeText(Setting key, const QString& value);
    void reportFailedWrites();

    BoardLook& m_board;
    Dialogs& m_dialogs;
    Settings& m_settings;
    DialogStylePickers m_dialogPickers;
    StylePickers* m_pickers = &m_dialogPickers;
    // The font dialog starts from what was last chosen in it, not from the tile font.
    QFont m_lastChosenFont;
    int m_tileFontSize = 10;
    bool m_writeFailed = false;

    std::vector<StylePanel*> m_presets;
    StylePanel* m_red = nullptr;
    StylePanel* m_green = nullptr;
    StylePanel* m_blue = nullptr;
    StylePanel* m_fontPanel = nullptr;
    StylePanel* m_colourPanel = nullptr;
    StylePanel* m_boardColourPanel = nullptr;
    StylePanel* m_backgroundPanel = nullptr;
    BackgroundDialog* m_background = nullptr;
};
