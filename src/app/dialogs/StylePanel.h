// A clickable panel drawn the way a tile is: the style dialog's samples and its buttons.
#pragma once

#include "board/TileStyle.h"

#include <QWidget>

// A letter panel is bound to its colour's key by its text colour, as 0x00BBGGRR.
class StylePanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int windowsTextColour READ windowsTextColour WRITE setWindowsTextColour USER true)
public:
    StylePanel(const QString& name, const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void click() { emit clicked(); } // as a press and release over the panel
    const TileStyle& tileStyle() const { return m_style; }
    void setTileStyle(const TileStyle& style);
    // The panel's face; the caption's colour is separate, as a tile's letter colour is.
    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour);
    QColor textColour() const { return m_textColour; }
    void setTextColour(const QColor& colour);
    int windowsTextColour() const;
    void setWindowsTextColour(int colour);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_caption;
    TileStyle m_style;
    QColor m_colour;
    QColor m_textColour = Qt::black;
    bool m_pressed = false;
};
