// The daily results window's lines and buttons.
#include "dialogs/DailyResultsWindow.h"

#include "support/Speech.h"

#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel {

namespace {

QString daysText(int days) {
    return days == 1 ? QStringLiteral("1 day") : QStringLiteral("%1 days").arg(days);
}

} // namespace

DailyResultsWindow::DailyResultsWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DailyResults"));
    setWindowTitle(QStringLiteral("Daily Results"));
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    column->addLayout(form);
    m_date = addLine(QStringLiteral("Date"));
    m_result = addLine(QStringLiteral("Result"));
    m_movesLeft = addLine(QStringLiteral("Moves left"));
    m_cluesUsed = addLine(QStringLiteral("Clues used"));
    m_currentStreak = addLine(QStringLiteral("Current streak"));
    m_bestStreak = addLine(QStringLiteral("Best streak"));
    for (QLabel* value : findChildren<QLabel*>())
        form->addRow(value->property("caption").toString() + QLatin1Char(':'), value);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("DailyNote"));
    m_note->setWordWrap(true);
    // Two lines kept for a note at all times, so one appearing squeezes no line above it.
    m_note->setMinimumSize(m_note->fontMetrics().averageCharWidth() * 40,
                           m_note->fontMetrics().lineSpacing() * 2 + 4);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(m_note);

    m_copy = new QPushButton(QStringLiteral("&Copy Result"), this);
    m_copy->setObjectName(QStringLiteral("CopyResult"));
    m_copy->setToolTip(QStringLiteral("Puts your result on the clipboard, without the words"));
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setObjectName(QStringLiteral("CloseResults"));
    m_close->setDefault(true);
    connect(m_copy, &QPushButton::clicked, this, &DailyResultsWindow::copyResult);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_copy);
    buttons->addWidget(m_close);
    column->addLayout(buttons);
}

QLabel* DailyResultsWindow::addLine(const QString& caption) {
    auto* value = new QLabel(this);
    value->setProperty("caption", caption);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setValue(value, caption, QString());
    return value;
}

void DailyResultsWindow::setValue(QLabel* label, const QString& caption, const QString& text) {
    label->setText(text);
    updateSpokenText(label, caption, text);
}

QString DailyResultsWindow::resultText(char result) {
    switch (result) {
    case 'W':
        return QStringLiteral("Solved");
    case 'Q':
        return QStringLiteral("Given up");
    default:
        return QStringLiteral("Not solved: out of moves");
    }
}

void DailyResultsWindow::setView(const DailyResultsView& view) {
    m_summary = view.summary;
    const std::optional<DailyRecord>& record = view.record;
    const auto number = [](int n) { return QString::number(n); };
    const QString none = QStringLiteral("-");
    if (record) {
        const QDate date(record->date.year, record->date.month, record->date.day);
        setValue(m_date, QStringLiteral("Date"), QLocale().toString(date, QLocale::LongFormat));
    } else {
        setValue(m_date, QStringLiteral("Date"), QStringLiteral("No daily puzzle played yet"));
    }
    setValue(m_result, QStringLiteral("Result"), record ? resultText(record->result) : none);
    setValue(m_movesLeft, QStringLiteral("Moves left"), record ? number(record->movesLeft) : none);
    setValue(m_cluesUsed, QStringLiteral("Clues used"), record ? number(record->cluesUsed) : none);
    setValue(m_currentStreak, QStringLiteral("Current streak"), daysText(view.streaks.current));
    setValue(m_bestStreak, QStringLiteral("Best streak"), daysText(view.streaks.best));
    m_note->setText(view.note);
    updateSpokenText(m_note, QStringLiteral("Note"), view.note);
    m_copy->setEnabled(!m_summary.isEmpty());
    adjustSize();
}

QString DailyResultsWindow::value(const QString& caption) const {
    for (const QLabel* label : findChildren<QLabel*>())
        if (label->property("caption").toString() == caption)
            return label->text();
    return {};
}

QString DailyResultsWindow::note() const {
    return m_note->text();
}

void DailyResultsWindow::copyResult() {
    if (m_summary.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(m_summary);
    m_note->setText(QStringLiteral("Your result is on the clipboard, ready to paste."));
    speakText(m_note, QStringLiteral("Note"), m_note->text());
}

} // namespace quorvel
