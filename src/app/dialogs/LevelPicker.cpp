// The level picker dialog "Select Level".
#include "dialogs/LevelPicker.h"

#include "support/Application.h"
#include "support/Text.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel {

namespace {

constexpr int InitialLevelCount = 200;
constexpr char LetterCell = '\x7F';

// The preview marks letter cells with a solid block, which every fixed-pitch font draws.
QString previewLine(const std::string& row) {
    QString line = fromCp1252(row);
    line.replace(QChar(LetterCell), QChar(0x2588));
    return line;
}

} // namespace

LevelPicker::LevelPicker(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLevel"));
    setWindowTitle(QStringLiteral("Select Level"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_tbLevel = new QSlider(Qt::Horizontal, this);
    m_tbLevel->setObjectName(QStringLiteral("tbLevel"));
    m_tbLevel->setAccessibleName(QStringLiteral("Level"));
    m_tbLevel->setRange(1, InitialLevelCount);
    m_tbLevel->setTickPosition(QSlider::TicksBelow);
    m_tbLevel->setTickInterval(1);
    m_tbLevel->setPageStep(1);

    m_max = new QLabel(QString::number(InitialLevelCount), this);
    m_max->setObjectName(QStringLiteral("max"));
    m_max->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont small = m_max->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_max->setFont(small);

    auto* caption = new QLabel(QStringLiteral("Level:"), this);
    m_level = new QLineEdit(QStringLiteral("1"), this);
    m_level->setObjectName(QStringLiteral("Level"));
    // Only digits reach the box: typed or pasted letters leave it as it was.
    m_level->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_level));
    m_level->setMaxLength(9);
    m_level->setFixedWidth(60);
    caption->setBuddy(m_level);

    createPreview();

    m_newGame = new QPushButton(QStringLiteral("New Game"), this);
    m_newGame->setObjectName(QStringLiteral("Button2"));
    m_newGame->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Button1"));
    m_cancel->setAutoDefault(false);

    placeControls(caption);

    connect(m_tbLevel, &QSlider::valueChanged, this, &LevelPicker::levelChange);
    connect(m_level, &QLineEdit::editingFinished, this, &LevelPicker::levelExit);
    connect(m_newGame, &QPushButton::clicked, this, [this] { done(NewGameResult); });
    connect(m_cancel, &QPushButton::clicked, this, &LevelPicker::reject);

    m_reportError = [](const QString& message) {
        if (auto* app = qobject_cast<Application*>(QCoreApplication::instance()))
            app->reportError(message);
    };
    levelChange(m_tbLevel->value());
}

// The level's rows, fixed-pitch, maroon on grey; shown, never edited.
void LevelPicker::createPreview() {
    m_v = new QPlainTextEdit(this);
    m_v->setObjectName(QStringLiteral("v"));
    m_v->setAccessibleName(QStringLiteral("Level preview"));
    m_v->setReadOnly(true);
    m_v->setEnabled(false);
    m_v->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette palette = m_v->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
        palette.setColor(group, QPalette::Text, QColor(0x80, 0x00, 0x00));
    }
    m_v->setPalette(palette);
    m_v->setMinimumSize(300, 200);
}

void LevelPicker::placeControls(QLabel* caption) {
    auto* top = new QGridLayout;
    top->addWidget(m_max, 0, 0, Qt::AlignRight);
    top->addWidget(m_tbLevel, 1, 0);
    auto* box = new QHBoxLayout;
    box->addWidget(caption);
    box->addWidget(m_level);
    box->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_newGame);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(box);
    layout->addWidget(m_v, 1);
    layout->addLayout(buttons);
}

void LevelPicker::setPreviewSource(std::function<std::vector<std::string>(int)> source) {
    m_preview = std::move(source);
    levelChange(m_tbLevel->value());
}

void LevelPicker::setErrorReporter(std::function<void(const QString&)> reporter) {
    m_reportError = std::move(reporter);
}

void LevelPicker::setLevelCount(int count) {
    const int maximum = std::max(count, 1);
    m_tbLevel->setMaximum(maximum);
    m_max->setText(QString::number(count));
}

// Escape and the window's close button answer like Cancel.
void LevelPicker::reject() {
    done(CancelResult);
}

int LevelPicker::position() const {
    return m_tbLevel->value();
}

void LevelPicker::setPosition(int level) {
    m_tbLevel->setValue(std::clamp(level, m_tbLevel->minimum(), m_tbLevel->maximum()));
}

void LevelPicker::setLevelText(const QString& text) {
    m_level->setText(text);
}

QString LevelPicker::levelText() const {
    return m_level->text();
}

QStringList LevelPicker::previewLines() const {
    QString text = m_v->toPlainText();
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

void LevelPicker::levelChange(int position) {
    m_level->setText(QString::number(position));
    showPreview(position);
    emit positionChanged(position);
}

void LevelPicker::showPreview(int level) {
    m_v->clear();
    if (!m_preview)
        return;
    QStringList lines;
    for (const std::string& row : m_preview(level))
        lines << previewLine(row);
    m_v->setPlainText(lines.join(QLatin1Char('\n')));
}

// The levels may have been loaded, or reloaded, since the track bar last moved: opened at the
// same level, the preview would still show what was there before.
// The fixed-pitch font is found and loaded when the picker is first shown, not at start-up,
// where no one sees it.
void LevelPicker::showEvent(QShowEvent* event) {
    if (!m_v->font().fixedPitch()) {
        QFont fixed(QStringLiteral("Courier New"));
        fixed.setStyleHint(QFont::Monospace);
        fixed.setFixedPitch(true);
        m_v->setFont(fixed);
    }
    showPreview(m_tbLevel->value());
    QDialog::showEvent(event);
}

void LevelPicker::levelExit() {
    bool ok = false;
    const qlonglong number = m_level->text().toLongLong(&ok);
    if (!ok) {
        if (m_reportError)
            m_reportError(QStringLiteral("'%1' is not a valid level number.").arg(m_level->text()));
        return;
    }
    const int level =
        static_cast<int>(std::clamp<qlonglong>(number, m_tbLevel->minimum(), m_tbLevel->maximum()));
    if (level != m_tbLevel->value())
        m_tbLevel->setValue(level);
}

} // namespace quorvel
