// The tip dialog shows what the core's tip reader found; the bulb is painted, not shipped.
#include "dialogs/TipDialog.h"

#include "support/Announcer.h"
#include "support/Text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>

namespace {

const QSize BulbSize(48, 64);

// Drawn at the screen's own pixel density, so the bulb is never an enlarged picture.
QPixmap lightBulb(qreal pixelRatio) {
    QPixmap picture(BulbSize * pixelRatio);
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // Rays, then the glass, then the screw base.
    p.setPen(QPen(QColor(255, 200, 40), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(24, 2, 24, 6);
    p.drawLine(6, 10, 9, 13);
    p.drawLine(42, 10, 39, 13);
    p.drawLine(1, 25, 5, 25);
    p.drawLine(47, 25, 43, 25);
    QRadialGradient glow(QPointF(20, 21), 18);
    glow.setColorAt(0, QColor(255, 255, 220));
    glow.setColorAt(0.6, QColor(255, 230, 90));
    glow.setColorAt(1, QColor(235, 180, 20));
    QPainterPath glass;
    glass.addEllipse(QRectF(10, 9, 28, 28));
    glass.addRect(QRectF(17, 32, 14, 10));
    p.setPen(QPen(QColor(150, 110, 0), 1.2));
    p.setBrush(glow);
    p.drawPath(glass.simplified());
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(170, 170, 170));
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(16, 42 + i * 5, 16, 5), 2, 2);
    p.setBrush(QColor(70, 70, 70));
    p.drawRoundedRect(QRectF(20, 57, 8, 4), 2, 2);
    return picture;
}

} // namespace

TipDialog::TipDialog(const QString& folder, QWidget* parent)
    : QDialog(parent), m_tips(folder.toStdString()) {
    setObjectName(QStringLiteral("TfTips"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    QWidget* panel = createTipPanel();
    QHBoxLayout* buttons = createButtons();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);
    connectButtons();
    m_announcer = new quorvel::Announcer(this);
    resize(430, 230);
    refresh();
}

// The white panel: the bulb beside the tip's title and text.
QWidget* TipDialog::createTipPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);

    m_bulb = new QLabel(panel);
    m_bulb->setObjectName(QStringLiteral("Image1"));
    // Painted when the dialog is first shown (start-up makes the dialog, which often stays
    // hidden); its place is kept from the start.
    m_bulb->setFixedSize(BulbSize);
    m_bulb->setAlignment(Qt::AlignTop);
    createTipLabels(panel);

    auto* words = new QVBoxLayout;
    words->addWidget(m_title);
    words->addWidget(m_text, 1);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(14, 14, 14, 14);
    panelLayout->setSpacing(14);
    panelLayout->addWidget(m_bulb, 0, Qt::AlignTop);
    panelLayout->addLayout(words, 1);
    return panel;
}

void TipDialog::createTipLabels(QWidget* panel) {
    m_title = new QLabel(panel);
    m_title->setObjectName(QStringLiteral("lTitle"));
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    m_title->setFont(bold);
    // Blue through the palette: a style sheet, even this one line, would make Qt build its
    // style-sheet machinery for the whole program when this dialog is made, at start-up.
    QPalette blue = m_title->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        blue.setColor(group, QPalette::WindowText, QColor(0x00, 0x00, 0xff));
    m_title->setPalette(blue);
    m_title->setTextFormat(Qt::PlainText);

    m_text = new QLabel(panel);
    m_text->setObjectName(QStringLiteral("lTip"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

// The start-up box on the left, OK and Next Tip on the right; Next Tip is the default.
QHBoxLayout* TipDialog::createButtons() {
    m_showTips = new QCheckBox(QStringLiteral("Show Tips at Startup"), this);
    m_showTips->setObjectName(QStringLiteral("cbShowTips"));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_next = new QPushButton(QStringLiteral("Next Tip"), this);
    m_next->setObjectName(QStringLiteral("Button2"));
    m_next->setDefault(true);
    // Return presses the button that has the focus, as it says; elsewhere it is Next Tip.
    m_ok->setAutoDefault(true);
    m_next->setAutoDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_showTips);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_next);
    return buttons;
}

void TipDialog::connectButtons() {
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_next, &QPushButton::clicked, this, &TipDialog::nextTip);
    connect(m_showTips, &QCheckBox::toggled, this,
            [this](bool checked) { m_tips.setShowAtStartup(checked); });
}

void TipDialog::showEvent(QShowEvent* event) {
    if (m_bulb->pixmap().isNull() ||
        m_bulb->pixmap().devicePixelRatio() != m_bulb->devicePixelRatioF())
        m_bulb->setPixmap(lightBulb(m_bulb->devicePixelRatioF()));
    QDialog::showEvent(event);
}

bool TipDialog::advance() {
    m_tips.next();
    refresh();
    return !m_tips.state().closeDialog;
}

void TipDialog::nextTip() {
    if (!advance()) {
        reject(); // the tip file has gone meanwhile
        return;
    }
    // The focus stays on Next Tip, so a screen reader would hear nothing of the new words.
    m_announcer->say(title() + QStringLiteral(". ") + text());
}

void TipDialog::setCounter(int counter) {
    m_tips.setCounter(counter);
}

void TipDialog::setShowAtStartup(bool show) {
    m_tips.setShowAtStartup(show);
    refresh();
}

QString TipDialog::title() const {
    return m_title->text();
}

QString TipDialog::text() const {
    return m_text->text();
}

void TipDialog::refresh() {
    const quorvel::TipState& state = m_tips.state();
    m_title->setText(quorvel::fromCp1252(state.title));
    // Each line of a tip comes with a space before it; the label needs no leading blank.
    m_text->setText(quorvel::fromCp1252(state.text).trimmed());
    m_showTips->setChecked(state.showAtStartup);
    m_next->setEnabled(state.nextEnabled);
}
