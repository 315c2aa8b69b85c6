// The statistics window's controls, and how a filter choice becomes a new count and picture.
#include "dialogs/StatisticsWindow.h"

#include "dialogs/HistogramView.h"
#include "support/Speech.h"
#include "support/Text.h"

#include "base/Files.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel {

namespace {

constexpr int kClientWidth = 620;
constexpr int kClientHeight = 223;
constexpr QPoint kHistogramAt{8, 8};
constexpr int kAxisLabelsY = 112;
constexpr int kControlsY = 126;
constexpr qreal kFontPoints = 8;
// Where each axis label starts, from "1" on the left to the range on the right.
constexpr std::array<int, 11> kAxisLabelX = {8, 61, 118, 182, 240, 298, 356, 414, 472, 536, 595};
constexpr const char* kAxisLabelNames[] = {"x1",  "x10", "x20", "x30", "x40", "x50",
                                           "x60", "x70", "x80", "x90", "x100"};

constexpr Colour kSuccessColour = 13829567;
constexpr Colour kNavy = 0x800000;
constexpr Colour kBlue = 0xFF0000;

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

void setTextColour(QLabel* l, Colour colour) {
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, colourFromWindows(colour));
    l->setPalette(palette);
}

QGroupBox* group(QWidget* parent, const QString& title) {
    return new QGroupBox(title, parent);
}

template <typename Button>
Button* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new Button(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

StatisticsWindow::StatisticsWindow(PathSource statisticsPath, QWidget* parent)
    : QDialog(parent), m_path(std::move(statisticsPath)) {
    setObjectName(QStringLiteral("TfrmStats"));
    setWindowTitle(QStringLiteral("Statistics"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    // Everything has to fit the fixed client area, so the window keeps to a small type size.
    QFont small = font();
    small.setPointSizeF(kFontPoints);
    setFont(small);
    createHistogram();
    createFilters();
    m_details->raise();
    setAxis(StatisticsView::Levels);
}

void StatisticsWindow::createHistogram() {
    m_histogram = new HistogramView(this);
    m_histogram->move(kHistogramAt);
    for (std::size_t i = 0; i < m_axisLabels.size(); ++i) {
        m_axisLabels[i] = label(this, kAxisLabelNames[i], QString());
        m_axisLabels[i]->move(kAxisLabelX[i], kAxisLabelsY);
    }
    // The scale sits at the top right of the bars and grows to the left, so it stays inside.
    m_top = label(this, "zzTop", QStringLiteral("0 -"));
    m_top->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_top->setGeometry(kHistogramAt.x() + kHistogramWidth - 80, kHistogramAt.y(), 80,
                       m_top->sizeHint().height());
    m_top->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_details = label(this, "Details", QString());
    m_details->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_details->hide();

    m_histogram->setBarSource([this] {
        recount();
        return histogramBars(m_count, m_axisView);
    });
    m_histogram->setHoverHandlers([this](QPoint at) { showDetails(at); },
                                  [this] { m_details->hide(); });
}

void StatisticsWindow::createFilters() {
    auto* controls = new QWidget(this);
    controls->setGeometry(8, kControlsY, kClientWidth - 16, kClientHeight - kControlsY - 2);
    auto* column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    column->addLayout(row);

    for (QGroupBox* box : {createShowByGroup(controls), createHandicapGroup(controls),
                           createOptionsGroup(controls)}) {
        box->layout()->setContentsMargins(6, 2, 6, 2);
        box->layout()->setSpacing(0);
        row->addWidget(box);
    }
    row->addWidget(createTotals(controls));
    row->addStretch(1);

    // The note and "Done" share the bottom line, under the filters.
    auto* bottom = new QHBoxLayout;
    QLabel* note = label(controls, "Label1",
                         QStringLiteral("Display your stats by selecting any combination of filters."));
    setTextColour(note, kNavy);
    auto* done = button<QPushButton>(controls, "Button1", QStringLiteral("Done"));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(note, 1);
    bottom->addWidget(done);
    column->addLayout(bottom);

    connectFilters();
}

QGroupBox* StatisticsWindow::createShowByGroup(QWidget* parent) {
    QGroupBox* showBy = group(parent, QStringLiteral("Show By:"));
    auto* showColumn = new QVBoxLayout(showBy);
    m_byLevels = button<QRadioButton>(showBy, "ByLevels", QStringLiteral("Levels 1-???"));
    m_byLetters = button<QRadioButton>(showBy, "ByLetters", QStringLiteral("# of Letters"));
    m_byScore = button<QRadioButton>(showBy, "ByScore", QStringLiteral("Score"));
    m_byLevels->setChecked(true);
    for (QRadioButton* b : {m_byLevels, m_byLetters, m_byScore})
        showColumn->addWidget(b);
    return showBy;
}

QGroupBox* StatisticsWindow::createHandicapGroup(QWidget* parent) {
    QGroupBox* byHandicap = group(parent, QStringLiteral("By Handicap:"));
    auto* handicapGrid = new QGridLayout(byHandicap);
    m_easy = button<QRadioButton>(byHandicap, "byEasy", QStringLiteral("Easy"));
    m_neutral = button<QRadioButton>(byHandicap, "byNeutral", QStringLiteral("Neutral"));
    m_harder = button<QRadioButton>(byHandicap, "byHarder", QStringLiteral("Harder"));
    m_overall = button<QRadioButton>(byHandicap, "byOverall", QStringLiteral("Overall"));
    m_overall->setChecked(true);
    handicapGrid->addWidget(m_easy, 0, 0);
    handicapGrid->addWidget(m_neutral, 1, 0);
    handicapGrid->addWidget(m_harder, 0, 1);
    handicapGrid->addWidget(m_overall, 1, 1);
    return byHandicap;
}

QGroupBox* StatisticsWindow::createOptionsGroup(QWidget* parent) {
    QGroupBox* byOptions = group(parent, QStringLiteral("By Options:"));
    auto* optionColumn = new QVBoxLayout(byOptions);
    m_withDefs = button<QCheckBox>(byOptions, "WithDefs", QStringLiteral("With Definitions "));
    m_withVowels = button<QCheckBox>(byOptions, "WithVowels", QStringLiteral("With Locked Letters"));
    m_timedGames = button<QCheckBox>(byOptions, "byTimedGames", QStringLiteral("Timed Games"));
    for (QCheckBox* b : {m_withDefs, m_withVowels, m_timedGames})
        optionColumn->addWidget(b);
    return byOptions;
}

// A view button sets its axis up; any filter change counts and paints again.
void StatisticsWindow::connectFilters() {
    const std::pair<QRadioButton*, StatisticsView> views[] = {
        {m_byLevels, StatisticsView::Levels},
        {m_byLetters, StatisticsView::Letters},
        {m_byScore, StatisticsView::Score}};
    for (const auto& [b, chosen] : views) {
        const StatisticsView view = chosen;
        connect(b, &QRadioButton::toggled, this, [this, view](bool on) {
            if (on) {
                setAxis(view);
                refresh();
            }
        });
    }
    for (QRadioButton* b : {m_easy, m_neutral, m_harder, m_overall})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                refresh();
        });
    for (QCheckBox* b : {m_withDefs, m_withVowels, m_timedGames})
        connect(b, &QCheckBox::toggled, this, &StatisticsWindow::refresh);
}

QWidget* StatisticsWindow::createTotals(QWidget* parent) {
    QGroupBox* totals = group(parent, QString());
    auto* grid = new QGridLayout(totals);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(0);
    const struct {
        const char* caption;
        const char* name;
        QLabel*& value;
        Colour colour;
        const char* initial;
    } rows[] = {{"# Incomplete:", "nLost", m_lost, kLossColour, "0"},
                {"# Completed:", "nCompleted", m_completed, kWinColour, "0"},
                {"Games Played:", "nPlayed", m_played, kBlue, "0"},
                {"Success Rate:", "Success", m_success, kSuccessColour, "0%"}};
    int line = 0;
    for (const auto& r : rows) {
        grid->addWidget(new QLabel(QLatin1String(r.caption), totals), line, 0);
        r.value = label(totals, r.name, QLatin1String(r.initial));
        r.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        r.value->setMinimumWidth(r.value->fontMetrics().horizontalAdvance(QStringLiteral("000000%")));
        setTextColour(r.value, r.colour);
        grid->addWidget(r.value, line++, 1);
    }
    return totals;
}

void StatisticsWindow::setLevelCount(int count) {
    m_byLevels->setText(QStringLiteral("Levels 1-") + QString::number(count));
}

StatisticsFilter StatisticsWindow::filter() const {
    StatisticsFilter f;
    f.view = m_byScore->isChecked()     ? StatisticsView::Score
             : m_byLetters->isChecked() ? StatisticsView::Letters
                                        : StatisticsView::Levels;
    f.handicap = m_easy->isChecked()      ? HandicapFilter::Easy
                 : m_neutral->isChecked() ? HandicapFilter::Neutral
                 : m_harder->isChecked()  ? HandicapFilter::Harder
                                          : HandicapFilter::Overall;
    f.withDefinitions = m_withDefs->isChecked();
    f.withLockedLetters = m_withVowels->isChecked();
    f.timedGames = m_timedGames->isChecked();
    return f;
}

void StatisticsWindow::setAxis(StatisticsView view) {
    m_axisView = view;
    const std::array<int, 11> values = statisticsAxis(view).labels();
    for (std::size_t i = 0; i < values.size(); ++i) {
        m_axisLabels[i]->setText(QString::number(values[i]));
        m_axisLabels[i]->adjustSize();
    }
}

// The window always opens on the Levels view, with the handicap and options left as they were.
void StatisticsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_details->hide(); // whatever it said at the last showing is stale
    m_byLevels->setChecked(true);
    setAxis(StatisticsView::Levels);
    refresh();
}

void StatisticsWindow::refresh() {
    recount();
    m_histogram->update();
}

// A file that cannot be read shows as an empty history rather than keeping the window from
// opening; the file is never written here, so nothing is lost.
void StatisticsWindow::recount() {
    StatisticsFilter f = filter();
    f.view = m_axisView;
    try {
        m_count = countStatisticsFile(m_path(), f);
    } catch (const FileError&) {
        m_count = StatisticsCount();
    }
    m_top->setText(QString::fromStdString(m_count.topText()));
    m_played->setText(QString::number(m_count.played));
    m_completed->setText(QString::number(m_count.completed));
    m_lost->setText(QString::number(m_count.incomplete));
    m_success->setText(QString::fromStdString(m_count.successText()));
    // The chart's bars are only drawn; a screen reader hears the totals it sums up.
    updateSpokenText(m_histogram, QStringLiteral("Chart"),
              QStringLiteral("%1 games played, %2 completed, %3 incomplete, success rate %4")
                  .arg(m_played->text(), m_completed->text(), m_lost->text(), m_success->text()));
}

void StatisticsWindow::showDetails(QPoint at) {
    const HoverDetails details = hoverDetails(m_count, m_axisView, at.x());
    m_details->setText(QString::fromStdString(details.text));
    m_details->adjustSize();
    const int y = std::clamp(at.y() - m_details->height() - 2, 0,
                             kHistogramHeight - m_details->height());
    m_details->move(kHistogramAt.x() + details.left, kHistogramAt.y() + y);
    m_details->show();
}

} // namespace quorvel
