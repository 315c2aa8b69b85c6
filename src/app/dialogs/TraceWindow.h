// The trace window: a scrolling memo that each new game clears and gives one line.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>

namespace quorvel {

class TraceWindow : public QWidget {
    Q_OBJECT
public:
    explicit TraceWindow(QWidget* parent = nullptr);

    void clear() { m_debug->clear(); }
    void addLine(const QString& line) { m_debug->appendPlainText(line); }
    QString text() const { return m_debug->toPlainText(); }

private:
    QPlainTextEdit* m_debug;
};

} // namespace quorvel
