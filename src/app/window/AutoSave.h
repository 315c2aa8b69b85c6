// Saving the game in play as it goes: shortly after each move that changed it, and at once
// when the program is about to end.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

// A move marks the game unsaved and the save follows QuietMs after the last move, or
// LongestWaitMs after the first unsaved one while moves keep coming: a crash or a kill loses at
// most a couple of seconds of play. The save itself is the window's (it knows the game and its
// file); it returns the problem when the game could not be written.
class AutoSave : public QObject {
    Q_OBJECT
public:
    static constexpr int QuietMs = 500;
    static constexpr int LongestWaitMs = 2000;

    using Save = std::function<std::optional<QString>()>;
    explicit AutoSave(Save save, QObject* parent = nullptr);
    ~AutoSave() override;

    // A move changed the game.
    void gameChanged();
    // Writes now when a move is still unsaved (the session ends, a signal, the display went);
    // the problem when it could not be written.
    std::optional<QString> saveNow();
    bool isUnsaved() const { return m_unsaved; }

signals:
    // A save failed after the one before had worked: the player hears of it once, not every
    // two seconds.
    void saveFailed(const QString& problem);

private:
    void save();

    Save m_save;
    QTimer m_quiet;
    QTimer m_longest;
    bool m_unsaved = false;
    bool m_failing = false;
};
