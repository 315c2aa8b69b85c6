// The level picker: a track bar over the levels, a number box and a preview of the layout.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace quorvel {

class LevelPicker : public QDialog {
    Q_OBJECT
public:
    static constexpr int NewGameResult = 4;
    static constexpr int CancelResult = 1;

    explicit LevelPicker(QWidget* parent = nullptr);

    // The preview's rows for a level: one line per row, 0x7F on letter cells.
    void setPreviewSource(std::function<std::vector<std::string>(int level)> source);
    // How a box that holds no number is reported (the application's error box by default).
    void setErrorReporter(std::function<void(const QString&)> reporter);

    void setLevelCount(int count); // tbLevel's maximum and the label max
    int position() const;          // the track bar's level
    void setPosition(int level);   // kept within 1..LevelCount; a change runs levelChange
    void setLevelText(const QString& text);
    QString levelText() const;
    QStringList previewLines() const;

    QSlider* trackBar() const { return m_tbLevel; }
    QLineEdit* levelBox() const { return m_level; }

public slots:
    void reject() override;

signals:
    void positionChanged(int level);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createPreview();
    void placeControls(QLabel* caption);
    void levelChange(int position); // the box and the preview follow the track bar
    void showPreview(int level);
    void levelExit(); // a typed level moves the track bar; text that is no number is reported

    QSlider* m_tbLevel;
    QLabel* m_max;
    QLineEdit* m_level;
    QPlainTextEdit* m_v;
    QPushButton* m_newGame;
    QPushButton* m_cancel;
    std::function<std::vector<std::string>(int)> m_preview;
    std::function<void(const QString&)> m_reportError;
};

} // namespace quorvel
