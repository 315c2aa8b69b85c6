// The rolling help banner: sixteen messages, each scrolled off the status line in turn.
#include "window/StatusBanner.h"

#include "support/Text.h"
#include "support/Speech.h"

#include <array>

namespace quorvel {

namespace {

const std::array<const char*, StatusBanner::MessageCount> Messages = {
    "Press <F7> for options or <F2> to start a new game.",
    "Align columns of letters vertically to complete words horizontally.",
    "Each horizontal row must hold one or more completed words (all letters must be green).",
    "The letters in each column must be shifted to align into words.",
    "Click an arrow to shift only the red letters in that column.",
    "Shift the red letters in each column until your words are created.",
    "GREEN letters show a letter that is assumed to be in the CORRECT locked position.",
    "RED letters show a letter that is assumed to be the WRONG position.",
    "When you think a letter is in the correct position, click on it to lock it.",
    "Unlock a letter by clicking it again.",
    "Only unlocked (red) letters can be shifted.",
    "Drag the small padlock over a letter to lock the entire word.",
    "Press <F6> to view and change levels.",
    "Press <F8> to view and change cell styles.",
    "Click Options > Banner to turn off this banner.",
    "Set a handicap to increase or decrease difficulty.",
};

constexpr Colour BannerColour = 0x800000; // navy
constexpr Colour PlainColour = 0x000080;  // maroon, after a completed puzzle
const QString Caption = QStringLiteral("Status line"); // what a screen reader calls the line

} // namespace

StatusBanner::StatusBanner(QWidget* parent) : QObject(parent), m_label(new QLabel(parent)) {
    m_label->setObjectName(QStringLiteral("LB"));
    m_label->setAccessibleName(Caption);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setMinimumWidth(1);
    // The scrolled text is wider than the line: the label clips it instead of growing.
    m_label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_scrollTimer.setObjectName(QStringLiteral("bTimer"));
    m_scrollTimer.setInterval(TickMs);
    connect(&m_scrollTimer, &QTimer::timeout, this, &StatusBanner::tick);
    setPlain(false);
}

QString StatusBanner::message(int number) {
    if (number < 1 || number > MessageCount)
        return {};
    return QString::fromLatin1(Messages[static_cast<std::size_t>(number - 1)]);
}

void StatusBanner::advance() {
    if (!m_on) {
        m_scrollTimer.stop();
        m_label->clear();
        updateSpokenText(m_label, Caption, {});
        return;
    }
    m_scrollTimer.stop();
    ++m_index;
    if (m_index >= 1 && m_index <= MessageCount) {
        m_label->setText(QString(33, QLatin1Char(' ')) + message(m_index) +
                         QString(25, QLatin1Char(' ')));
        updateSpokenText(m_label, Caption, message(m_index)); // once, not at every scrolled step
        setPlain(false);
        m_scrollTimer.start();
    } else {
        // After the last message the banner rests until switched on again or a new game.
        m_index = 0;
    }
}

void StatusBanner::tick() {
    const QString current = m_label->text();
    if (current.isEmpty())
        advance();
    else
        m_label->setText(current.mid(1));
}

void StatusBanner::toggle() {
    m_index = 0;
    if (m_on) {
        m_scrollTimer.start();
        advance();
    } else {
        m_scrollTimer.stop();
        m_label->clear();
        updateSpokenText(m_label, Caption, {});
    }
}

void StatusBanner::setText(const QString& text) {
    m_label->setText(text);
    updateSpokenText(m_label, Caption, text);
}

void StatusBanner::setPlain(bool plain) {
    QFont font = m_label->font();
    font.setItalic(!plain);
    m_label->setFont(font);
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, colourFromWindows(plain ? PlainColour : BannerColour));
    m_label->setPalette(palette);
}

} // namespace quorvel
