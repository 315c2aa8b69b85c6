// The daily results window: a day's result, the streaks of days solved, and Copy Result.
#pragma once

#include "records/DailyRecords.h"

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QPushButton;

namespace quorvel {

// What the window shows: a day's record (none before the first daily game), the streaks, a
// note about the game just played, and the text Copy Result shares.
struct DailyResultsView {
    std::optional<DailyRecord> record;
    DailyStreaks streaks;
    QString note;
    QString summary;
};

class DailyResultsWindow : public QDialog {
    Q_OBJECT
public:
    explicit DailyResultsWindow(QWidget* parent = nullptr);

    void setView(const DailyResultsView& view);

    // The words the window gives a result letter.
    static QString resultText(char result);

    // The shown value of a line, by its caption ("Date", "Result", "Moves left", "Clues used",
    // "Current streak", "Best streak"), as a player reads it.
    QString value(const QString& caption) const;
    QString note() const;

public slots:
    void copyResult(); // the summary to the clipboard

private:
    QLabel* addLine(const QString& caption);
    void setValue(QLabel* label, const QString& caption, const QString& text);

    QString m_summary;
    QLabel* m_date = nullptr;
    QLabel* m_result = nullptr;
    QLabel* m_movesLeft = nullptr;
    QLabel* m_cluesUsed = nullptr;
    QLabel* m_currentStreak = nullptr;
    QLabel* m_bestStreak = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace quorvel
