// One copy of the game per folder: a second start brings the running copy to the front.
#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// The first copy to start on a folder listens on a local socket named after the folder (in the
// abstract namespace: no file to leave behind, gone with the process however it ends). A later
// start on the same folder finds it taken, asks the owner to show its window, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        Owner,            // this copy owns the folder
        OtherRaised,      // another copy owns it and was asked to come to the front
        OtherUnreachable, // another copy owns it and did not answer
    };
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    Claim claim() const { return m_claim; }

signals:
    // A second start asked for this copy's window.
    void raiseRequested();

private:
    void answer();

    Claim m_claim = Claim::Owner;
    int m_listener = -1;
    QSocketNotifier* m_notifier = nullptr;
};
