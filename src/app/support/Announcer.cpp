// The window's notification for a screen reader: queued texts, one show event per message.
#include "support/Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

namespace quorvel {

namespace {

QAccessibleInterface* notificationFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("quorvel::Announcer") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

QString joined(const QStringList& texts) {
    QStringList sentences;
    for (QString text : texts) {
        text = text.simplified();
        if (!text.endsWith(QLatin1Char('.')) && !text.endsWith(QLatin1Char('!')) &&
            !text.endsWith(QLatin1Char('?')))
            text += QLatin1Char('.');
        sentences << text;
    }
    return sentences.join(QLatin1Char(' '));
}

} // namespace

Announcer::Announcer(QWidget* window) : QWidget(window) {
    static const bool installed = [] {
        QAccessible::installFactory(notificationFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("announcer"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(1, 1); // shown, so that it reads as showing, and too small to see
}

void Announcer::say(const QString& text) {
    if (text.simplified().isEmpty() || m_queued.contains(text))
        return;
    if (m_queued.isEmpty())
        QTimer::singleShot(0, this, &Announcer::flush);
    m_queued << text;
}

void Announcer::flush() {
    if (m_queued.isEmpty())
        return;
    m_lastSpoken = joined(m_queued);
    m_queued.clear();
    setAccessibleName(m_lastSpoken);
    if (!QAccessible::isActive())
        return;
    // Orca presents a notification when it becomes showing; the widget stays shown, so the
    // show event alone says it again.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace quorvel
