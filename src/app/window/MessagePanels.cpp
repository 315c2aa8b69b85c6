// The message banner and the flashing notice, centred over the main window.
#include "window/MessagePanels.h"

#include "support/Text.h"
#include "support/Speech.h"

#include <QMouseEvent>

#include <algorithm>

namespace quorvel {

namespace {

constexpr Colour PanelColour = 0xEAEFE2;
constexpr Colour OkColour = 0xCCD9B9;
constexpr Colour FlashGreen = 0x008000;
constexpr Colour FlashYellow = 0x00FFFF;
constexpr int AboveCentre = 30;
// What a screen reader calls the two labels, before what they say.
const QString BannerCaption = QStringLiteral("Message");
const QString NoticeCaption = QStringLiteral("Notice");

QFrame* makePanel(QWidget* parent, const char* name, QSize size, Colour colour, QFrame* frame) {
    frame->setParent(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFixedSize(size);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(1);
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, colourFromWindows(colour));
    frame->setPalette(palette);
    frame->hide();
    return frame;
}

QLabel* makeLabel(QWidget* parent, const char* name, int pixelSize) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

void ClickPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

MessagePanels::MessagePanels(QWidget* window) : QObject(window), m_window(window) {
    m_penalty = makePanel(window, "pPenalty", {137, 65}, PanelColour, new QFrame);
    m_penaltyLabel = makeLabel(m_penalty, "lPenalty", 16);
    m_penaltyLabel->setAccessibleName(BannerCaption);
    m_ok =
        static_cast<ClickPanel*>(makePanel(m_penalty, "pOK", {25, 20}, OkColour, new ClickPanel));
    auto* okText = new QLabel(QStringLiteral("OK"), m_ok);
    okText->setObjectName(QStringLiteral("okText"));
    okText->setAlignment(Qt::AlignCenter);
    okText->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ok->setCursor(Qt::PointingHandCursor);
    m_ok->setAccessibleName(QStringLiteral("OK (Enter)"));
    connect(m_ok, &ClickPanel::clicked, this, &MessagePanels::okClicked);

    m_wrong = makePanel(window, "pWrong", {91, 41}, PanelColour, new QFrame);
    m_wrongLabel = makeLabel(m_wrong, "lWrong", 13);
    m_wrongLabel->setAccessibleName(NoticeCaption);
    setScale(1.0);

    m_bannerTimer.setSingleShot(true);
    connect(&m_bannerTimer, &QTimer::timeout, this, &MessagePanels::finishBannerTime);
    m_flashTimer.setInterval(FlashStepMs);
    connect(&m_flashTimer, &QTimer::timeout, this, &MessagePanels::flashStep);
}

void MessagePanels::centre(QWidget* panel) {
    const int left = (m_window->width() - panel->width()) / 2;
    const int top = (m_window->height() - panel->height()) / 2 - AboveCentre;
    panel->move(left, top);
    panel->raise();
}

void MessagePanels::setScale(double scale) {
    scale = std::max(1.0, scale);
    if (scale == m_scale)
        return;
    m_scale = scale;
    const auto px = [scale](int pixels) { return static_cast<int>(pixels * scale + 0.5); };
    const auto setPixelSize = [](QLabel* label, int pixels) {
        QFont font = label->font();
        font.setPixelSize(pixels);
        label->setFont(font);
    };
    m_penalty->setFixedSize(px(137), px(65));
    setPixelSize(m_penaltyLabel, px(16));
    // The label leaves the lower edge free for the OK button at the lower right.
    m_penaltyLabel->setGeometry(2, 2, m_penalty->width() - 4, px(41));
    m_ok->setFixedSize(px(25), px(20));
    m_ok->move(m_penalty->width() - m_ok->width() - px(4), m_penalty->height() - m_ok->height() - px(3));
    if (auto* okText = m_ok->findChild<QLabel*>(QStringLiteral("okText"))) {
        okText->setGeometry(m_ok->rect());
        setPixelSize(okText, px(13));
    }
    m_wrong->setFixedSize(px(91), px(41));
    setPixelSize(m_wrongLabel, px(13));
    m_wrongLabel->setGeometry(m_wrong->rect());
    recentre();
}

void MessagePanels::recentre() {
    if (!m_penalty->isHidden())
        centre(m_penalty);
    if (!m_wrong->isHidden())
        centre(m_wrong);
}

void MessagePanels::setLabelColour(QLabel* label, Colour colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colourFromWindows(colour));
    label->setPalette(palette);
}

void MessagePanels::showBanner(const QString& text, int seconds, Colour colour) {
    // A second banner reuses the panel: its time replaces any time still running.
    m_bannerTimer.stop();
    m_penalty->hide();
    m_pending.reset();
    if (isFlashing())
        m_pending = Banner{text, seconds, colour};
    else
        showBannerNow(Banner{text, seconds, colour});
}

void MessagePanels::showBannerNow(const Banner& banner) {
    centre(m_penalty);
    m_penaltyLabel->setText(banner.text);
    speakText(m_penaltyLabel, BannerCaption, banner.text);
    setLabelColour(m_penaltyLabel, banner.colour);
    m_penalty->show();
    m_ok->hide();
    if (banner.seconds > 0)
        m_bannerTimer.start(banner.seconds * 1000);
    else if (banner.seconds == 0)
        m_ok->show();
}

void MessagePanels::hideBanner() {
    m_bannerTimer.stop();
    m_pending.reset();
    m_penalty->hide();
}

void MessagePanels::finishBannerTime() {
    m_bannerTimer.stop();
    emit bannerTimeUp();
}

void MessagePanels::flash(const QString& text) {
    centre(m_wrong);
    m_wrongLabel->setText(text);
    speakText(m_wrongLabel, NoticeCaption, text);
    m_flashColour = FlashGreen;
    setLabelColour(m_wrongLabel, m_flashColour);
    m_wrong->show();
    m_ok->hide();
    m_flashSwitches = 0;
    m_flashTimer.start();
}

void MessagePanels::announce(const QString& text) {
    speakText(m_wrongLabel, NoticeCaption, text);
}

void MessagePanels::flashStep() {
    if (m_wrong->isHidden()) {
        m_flashTimer.stop();
        return;
    }
    m_flashColour = m_flashColour == FlashGreen ? FlashYellow : FlashGreen;
    setLabelColour(m_wrongLabel, m_flashColour);
    if (++m_flashSwitches >= FlashSwitches) {
        m_flashTimer.stop();
        m_wrong->hide();
        if (m_pending) {
            const Banner banner = *m_pending;
            m_pending.reset();
            showBannerNow(banner);
        }
    }
}

QColor MessagePanels::flashColour() const {
    return colourFromWindows(m_flashColour);
}

} // namespace quorvel
