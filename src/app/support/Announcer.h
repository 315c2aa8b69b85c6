// News for a screen reader: texts gathered over one turn of the event loop and spoken as one
// notification, the form Orca presents whatever has the focus.
#pragma once

#include <QStringList>
#include <QWidget>

namespace quorvel {

// An invisible notification on the window. Orca ignores name changes of labels and cells but
// speaks a notification that shows, so each announcement names it and raises its show event.
// Texts said during one move (the tile, a word found, the moves left) go out as one message,
// so the reader does not cut the first short with the second.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);

    // Queues text (nothing for an empty one; a text already queued is not said twice).
    void say(const QString& text);
    // What the last announcement said, for tests.
    QString lastSpoken() const { return m_lastSpoken; }
    // Sends what is queued now instead of at the next turn of the event loop.
    void flush();

private:
    QStringList m_queued;
    QString m_lastSpoken;
};

} // namespace quorvel
