// The statistics window: the player's history as a histogram of wins and losses with filters.
#pragma once

#include "records/StatisticsHistogram.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace quorvel {

class HistogramView;

class StatisticsWindow : public QDialog {
    Q_OBJECT
public:
    // Where the statistics file is, asked again on every paint: the player's own copy may
    // appear while the window lives. The file is read here, never written.
    using PathSource = std::function<std::string()>;
    explicit StatisticsWindow(PathSource statisticsPath, QWidget* parent = nullptr);

    // The Levels button reads "Levels 1-" and the number of levels loaded.
    void setLevelCount(int count);

    // What the controls select now; they keep their state from one showing to the next.
    StatisticsFilter filter() const;
    // The counts of the last painting, which the hover details report.
    HistogramView* histogram() const { return m_histogram; }

    // Counts the file again, shows the totals and repaints the bars.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createHistogram();
    void createFilters();
    QGroupBox* createShowByGroup(QWidget* parent);
    QGroupBox* createHandicapGroup(QWidget* parent);
    QGroupBox* createOptionsGroup(QWidget* parent);
    void connectFilters();
    QWidget* createTotals(QWidget* parent);
    void setAxis(StatisticsView view);
    void recount();
    void showDetails(QPoint at);

    PathSource m_path;
    StatisticsView m_axisView = StatisticsView::Levels; // the axis set up last
    StatisticsCount m_count;

    HistogramView* m_histogram = nullptr;
    std::array<QLabel*, 11> m_axisLabels{};
    QLabel* m_top = nullptr;
    QLabel* m_details = nullptr;
    QRadioButton* m_byLevels = nullptr;
    QRadioButton* m_byLetters = nullptr;
    QRadioButton* m_byScore = nullptr;
    QRadioButton* m_easy = nullptr;
    QRadioButton* m_neutral = nullptr;
    QRadioButton* m_harder = nullptr;
    QRadioButton* m_overall = nullptr;
    QCheckBox* m_withDefs = nullptr;
    QCheckBox* m_withVowels = nullptr;
    QCheckBox* m_timedGames = nullptr;
    QLabel* m_lost = nullptr;
    QLabel* m_completed = nullptr;
    QLabel* m_played = nullptr;
    QLabel* m_success = nullptr;
};

} // namespace quorvel
