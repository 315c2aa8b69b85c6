// Painting and clicking of the style dialog's panels.
#include "dialogs/StylePanel.h"

#include "support/Text.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {

// A panel is a button to assistive technology: named by its caption unless given a name,
// and pressed as a click presses it.
class StylePanelAccessible : public QAccessibleWidget {
public:
    explicit StylePanelAccessible(StylePanel* panel)
        : QAccessibleWidget(panel, QAccessible::Button) {
        addControllingSignal(QStringLiteral("clicked()"));
    }

    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty())
            return static_cast<StylePanel*>(widget())->caption();
        return own;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& actionName) override {
        if (actionName != pressAction())
            QAccessibleWidget::doAction(actionName);
        else if (widget()->isEnabled())
            static_cast<StylePanel*>(widget())->click();
    }
};

void installPanelAccessible() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory([](const QString& className, QObject* object) -> QAccessibleInterface* {
        if (className == QLatin1String("StylePanel") && object && object->isWidgetType())
            return new StylePanelAccessible(static_cast<StylePanel*>(object));
        return nullptr;
    });
}

} // namespace

StylePanel::StylePanel(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption), m_colour(TileAppearance().colour) {
    installPanelAccessible();
    setObjectName(name);
    // Reachable with Tab and pressed with Space, as a button is; Return stays the dialog's.
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void StylePanel::setTileStyle(const TileStyle& style) {
    m_style = style;
    update();
}

void StylePanel::setColour(const QColor& colour) {
    m_colour = colour;
    update();
}

void StylePanel::setTextColour(const QColor& colour) {
    m_textColour = colour;
    update();
}

void StylePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inner = paintTileFace(painter, rect(), m_style, m_colour);
    painter.setClipRect(rect());
    painter.setFont(font());
    painter.setPen(m_textColour);
    painter.drawText(inner, Qt::AlignCenter | Qt::TextDontClip, m_caption);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = inner.adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void StylePanel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
}

// A click is a press and a release over the panel.
void StylePanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void StylePanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

int StylePanel::windowsTextColour() const {
    return static_cast<int>(quorvel::colourToWindows(m_textColour));
}

void StylePanel::setWindowsTextColour(int colour) {
    setTextColour(quorvel::colourFromWindows(static_cast<quorvel::Colour>(colour) & 0x00FFFFFFu));
}
