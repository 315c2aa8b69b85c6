// The word picker: a click picks a word for the online dictionary; resting on a word shows its
// meaning from the game's own dictionary, so a player offline still learns it.
#include "dialogs/WordPicker.h"

#include "support/Text.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr quorvel::Colour PanelColour = 0xEAEFE2;
constexpr int Width = 193;
constexpr int ListTop = 22;
constexpr int ListHeight = 85;
constexpr int DefinitionTop = ListTop + ListHeight + 4;
constexpr int DefinitionHeight = 66;
constexpr int Height = DefinitionTop + DefinitionHeight + 30;

} // namespace

WordPicker::WordPicker(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("TfrmDict"));
    setFixedSize(Width, Height);

    const QColor panelColour = quorvel::colourFromWindows(PanelColour);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pDict"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(0, 0, Width, Height);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, panelColour);
    palette.setColor(QPalette::Base, panelColour);
    panel->setPalette(palette);

    auto* caption = new QLabel(QStringLiteral("Select word for definition"), panel);
    caption->setObjectName(QStringLiteral("Label1"));
    caption->setFont(QFont(QStringLiteral("Arial"), 9));
    caption->setAlignment(Qt::AlignCenter);
    caption->setGeometry(4, 3, Width - 8, ListTop - 4);

    m_list = new QListWidget(panel);
    m_list->setObjectName(QStringLiteral("lbDict"));
    m_list->setAccessibleName(QStringLiteral("Dictionaries"));
    m_list->setGeometry(6, ListTop, 181, ListHeight);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setPalette(palette);
    QFont listFont(QStringLiteral("Verdana"), 9);
    listFont.setBold(true);
    m_list->setFont(listFont);
    m_list->setStyleSheet(QStringLiteral("QListWidget { color: #0000ff; }"));
    m_list->setMouseTracking(true);
    m_list->installEventFilter(this);

    m_definition = new QLabel(panel);
    m_definition->setObjectName(QStringLiteral("lDefinition"));
    m_definition->setGeometry(6, DefinitionTop, 181, DefinitionHeight);
    m_definition->setWordWrap(true);
    m_definition->setTextFormat(Qt::PlainText);
    m_definition->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_definition->setFont(QFont(QStringLiteral("Arial"), 8));

    m_cancel = new QPushButton(QStringLiteral("Cancel"), panel);
    m_cancel->setObjectName(QStringLiteral("Button1"));
    m_cancel->setGeometry((Width - 75) / 2, Height - 28, 75, 23);
    m_cancel->setDefault(true);

    connect(m_list, &QListWidget::itemClicked, this, &WordPicker::pick);
    connect(m_list, &QListWidget::itemEntered, this, &WordPicker::showDefinition);
    connect(m_list, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* current) { showDefinition(current); });
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_selected.clear();
        reject();
    });
}

const QString& WordPicker::noDefinitionText() {
    static const QString text = QStringLiteral("The game's dictionary has no definition of this word.");
    return text;
}

void WordPicker::setWords(const QStringList& words, DefinitionSource definitionOf) {
    m_definitionOf = std::move(definitionOf);
    m_selected.clear();
    m_list->clear();
    m_list->addItems(words);
    m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    showDefinition(m_list->item(0));
}

void WordPicker::showEvent(QShowEvent* event) {
    m_selected.clear();
    m_list->setFocus();
    QDialog::showEvent(event);
}

void WordPicker::pick(QListWidgetItem* item) {
    m_selected = item ? item->text() : QString();
    if (!m_selected.isEmpty())
        accept();
}

void WordPicker::showDefinition(QListWidgetItem* item) {
    if (!item) {
        m_definition->clear();
        return;
    }
    QString meaning = m_definitionOf ? m_definitionOf(item->text()).trimmed() : QString();
    if (meaning.isEmpty())
        meaning = noDefinitionText();
    m_definition->setText(item->text() + QStringLiteral(": ") + meaning);
}

// Enter on the list picks the word under the cursor; it must not reach the default Cancel.
bool WordPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && m_list->currentItem()) {
            pick(m_list->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
