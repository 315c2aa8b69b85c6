// The puzzle code dialog: a code box, what is wrong with the code, OK and Cancel.
#include "dialogs/PuzzleCodeDialog.h"

#include "support/Speech.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace quorvel {

namespace {

// Longer than any code, with room for the blanks and dashes a chat may add.
constexpr int kLongestTyped = 40;

} // namespace

PuzzleCodeDialog::PuzzleCodeDialog(Checker checker, QWidget* parent)
    : QDialog(parent), m_checker(std::move(checker)) {
    setObjectName(QStringLiteral("PuzzleCodeDialog"));
    setWindowTitle(QStringLiteral("Play Puzzle Code"));
    setModal(true);

    auto* caption = new QLabel(QStringLiteral("&Puzzle code:"), this);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("PuzzleCode"));
    m_code->setMaxLength(kLongestTyped);
    // A whole code in sight, with room to spare for the dashes a chat adds.
    m_code->setMinimumWidth(
        m_code->fontMetrics().horizontalAdvance(QStringLiteral("MMMM-MMMM-MMMM-MMMM-MMMM")) + 16);
    m_code->setAccessibleName(QStringLiteral("Puzzle code"));
    m_code->setToolTip(QStringLiteral("The code a friend sent you, as in XXXX-XXXX-XXXX"));
    caption->setBuddy(m_code);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("CodeProblem"));
    m_problem->setWordWrap(true);
    // Room for the longest reason, so the dialog does not jump when one shows.
    m_problem->setMinimumSize(m_problem->fontMetrics().averageCharWidth() * 44,
                              m_problem->fontMetrics().lineSpacing() * 2 + 4);
    m_problem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette warning = m_problem->palette();
    warning.setColor(QPalette::WindowText, QColor(0x80, 0, 0));
    m_problem->setPalette(warning);
    updateSpokenText(m_problem, QStringLiteral("Code problem"), QString());

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("CodeOk"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CodeCancel"));
    connect(m_ok, &QPushButton::clicked, this, &PuzzleCodeDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    // A corrected code is a new one: the old reason would only mislead.
    connect(m_code, &QLineEdit::textEdited, this, [this] {
        m_problem->clear();
        updateSpokenText(m_problem, QStringLiteral("Code problem"), QString());
    });

    auto* grid = new QGridLayout(this);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(m_code, 0, 1);
    grid->addWidget(m_problem, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
}

bool PuzzleCodeDialog::looksLikeCode(const QString& text) {
    static const QRegularExpression code(QStringLiteral("^[A-Za-z0-9-]{6,%1}$").arg(kLongestTyped));
    return code.match(text.trimmed()).hasMatch();
}

void PuzzleCodeDialog::start(const QString& code) {
    m_code->setText(code.trimmed());
    m_code->selectAll();
    m_code->setFocus();
    m_problem->clear();
    updateSpokenText(m_problem, QStringLiteral("Code problem"), QString());
}

// A code pasted from a chat may come broken over two lines: the blanks are no part of it.
QString PuzzleCodeDialog::code() const {
    return m_code->text().simplified().remove(QLatin1Char(' '));
}

QString PuzzleCodeDialog::problem() const {
    return m_problem->text();
}

void PuzzleCodeDialog::accept() {
    const QString problem =
        code().isEmpty() ? QStringLiteral("Type or paste a puzzle code.") : m_checker(code());
    if (problem.isEmpty()) {
        QDialog::accept();
        return;
    }
    m_problem->setText(problem);
    adjustSize(); // a longer reason than the room kept for it still shows whole
    speakText(m_problem, QStringLiteral("Code problem"), problem);
    m_code->setFocus();
    m_code->selectAll();
}

} // namespace quorvel
