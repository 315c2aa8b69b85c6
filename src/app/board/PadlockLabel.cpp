// The padlock labels: the glyph, the drag they start and the click.
#include "board/PadlockLabel.h"

#include "board/BoardView.h"
#include "board/TileStyle.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

PadlockLabel::PadlockLabel(QWidget* parent) : QWidget(parent) {}

void PadlockLabel::setLocked(bool closed) {
    m_lockedWhenShown = closed;
    if (m_glyph != Glyph::None)
        m_glyph = closed ? Glyph::Closed : Glyph::Open;
    update();
}

void PadlockLabel::setGlyphShown(bool shown) {
    m_glyph = !shown ? Glyph::None : (m_lockedWhenShown ? Glyph::Closed : Glyph::Open);
    update();
}

QMimeData* PadlockLabel::padlockMimeData() {
    auto* data = new QMimeData;
    data->setData(QLatin1String(BoardView::PadlockMimeType), QByteArray("padlock"));
    return data;
}

QSize PadlockLabel::sizeHint() const {
    return QSize(20, 20);
}

QSize PadlockLabel::minimumSizeHint() const {
    return sizeHint();
}

void PadlockLabel::paintEvent(QPaintEvent*) {
    if (m_glyph == Glyph::None)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height()) - 2;
    const QRectF box((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    if (!isEnabled()) {
        // A disabled label: grey with a light edge.
        paintPadlock(painter, box.translated(1, 1), m_glyph == Glyph::Closed,
                     palette().color(QPalette::Light));
        paintPadlock(painter, box, m_glyph == Glyph::Closed, palette().color(QPalette::Mid));
        return;
    }
    paintPadlock(painter, box, m_glyph == Glyph::Closed, palette().color(QPalette::WindowText));
}

void PadlockLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (!m_dragSource) {
        m_pressed = true;
        return;
    }
    // The drag runs its own event loop until the padlock is dropped or the drag is cancelled.
    auto* drag = new QDrag(this);
    drag->setMimeData(padlockMimeData());
    const qreal ratio = devicePixelRatioF(); // drawn at the screen's density, never enlarged
    QPixmap picture(QSize(20, 20) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPadlock(painter, QRectF(1, 1, 18, 18), true, palette().color(QPalette::WindowText));
    painter.end();
    drag->setPixmap(picture);
    drag->setHotSpot(QPoint(10, 10));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

void PadlockLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

// The body's edges and the shackle's strokes lie on the device's pixels, so the padlock stays
// sharp at any pixel density; only its curves are smoothed.
void paintPadlock(QPainter& painter, const QRectF& box, bool closed, const QColor& colour) {
    const qreal ratio = devicePixelScale(painter);
    const auto snap = [ratio](qreal x) { return snapToDevicePixels(x, ratio); };
    const qreal w = box.width();
    const qreal h = box.height();
    const QRectF body(QPointF(snap(box.left() + w * 0.15), snap(box.top() + h * 0.5)),
                      QPointF(snap(box.left() + w * 0.85), snap(box.top() + h * 0.95)));
    // A stroke of whole device pixels, centred where its edges fall on pixel boundaries.
    const qreal devicePen = std::max<qreal>(1.0, std::round(qMax<qreal>(1.5, w * 0.12) * ratio));
    const qreal penWidth = devicePen / ratio;
    const auto strokeCentre = [&](qreal x) {
        return snap(x - penWidth / 2) + penWidth / 2;
    };
    QPen pen(colour, penWidth);
    pen.setCapStyle(Qt::FlatCap);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The shackle: an arch whose legs reach into the body when closed; open, it is lifted and
    // its left leg stands free above the body.
    const qreal legLeft = strokeCentre(box.left() + w * 0.3);
    const qreal legRight = strokeCentre(box.left() + w * 0.7);
    const qreal archTop = box.top() + h * (closed ? 0.16 : 0.06);
    const qreal radius = (legRight - legLeft) / 2;
    QPainterPath shackle;
    shackle.moveTo(legLeft, closed ? body.top() : archTop + radius + h * 0.12);
    shackle.lineTo(legLeft, archTop + radius);
    shackle.arcTo(QRectF(legLeft, archTop, 2 * radius, 2 * radius), 180, -180);
    shackle.lineTo(legRight, body.top());
    painter.drawPath(shackle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(body, w * 0.08, w * 0.08);
    painter.restore();
}
