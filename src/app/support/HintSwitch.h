// The application-wide switch for tooltips (hover hints), and how long a tooltip stays up.
#pragma once

#include <QObject>

// Watches every object of the application: while switched off, tooltip requests are dropped;
// while on, a widget that sets no duration of its own keeps its tooltip up for 7 seconds.
class HintSwitch : public QObject {
    Q_OBJECT
public:
    static constexpr int kDurationMs = 7000;

    explicit HintSwitch(QObject* parent = nullptr); // installs itself on the application; on
    ~HintSwitch() override;

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled); // switching off also hides a tooltip that is showing

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_enabled = true;
};
