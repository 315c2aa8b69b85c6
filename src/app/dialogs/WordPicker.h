// The borderless word picker of the look-up: the found words, sorted, with what the game's own
// dictionary says of the word under the mouse or the keyboard, and "Cancel".
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class WordPicker : public QDialog {
    Q_OBJECT
public:
    using DefinitionSource = std::function<QString(const QString& word)>;

    explicit WordPicker(QWidget* parent = nullptr);

    // The words in the order given (the core sorts them); the first one's meaning is shown.
    void setWords(const QStringList& words, DefinitionSource definitionOf);
    // The word the player picked; empty after Cancel or when closed without a pick.
    QString selectedWord() const { return m_selected; }

    QListWidget* list() const { return m_list; }
    QLabel* definitionLabel() const { return m_definition; }
    QPushButton* cancelButton() const { return m_cancel; }

    static const QString& noDefinitionText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void pick(QListWidgetItem* item);
    void showDefinition(QListWidgetItem* item);

    DefinitionSource m_definitionOf;
    QString m_selected;
    QListWidget* m_list = nullptr;
    QLabel* m_definition = nullptr;
    QPushButton* m_cancel = nullptr;
};
