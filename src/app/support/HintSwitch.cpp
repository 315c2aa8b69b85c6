// The application-wide tooltip switch as an event filter on the application object.
#include "support/HintSwitch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QToolTip>
#include <QWidget>

HintSwitch::HintSwitch(QObject* parent) : QObject(parent) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

HintSwitch::~HintSwitch() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void HintSwitch::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled)
        QToolTip::hideText();
}

bool HintSwitch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        if (!m_enabled)
            return true;
        // The widget still shows its own tooltip; it only gets the game's display time.
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->toolTipDuration() < 0)
            widget->setToolTipDuration(kDurationMs);
    }
    return QObject::eventFilter(watched, event);
}
