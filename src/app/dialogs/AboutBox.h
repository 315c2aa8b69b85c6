// The about box: the game's icon, title and version, and the support address that opens mail.
#pragma once

#include "support/UrlOpener.h"

#include <QDialog>

class QLabel;
class QVBoxLayout;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(UrlOpener opener, QWidget* parent = nullptr);

    QLabel* mailLabel() const { return m_mail; }
    // The mail the label opens: to support, the subject starting with this box's caption.
    QUrl supportMail() const;

    static QPixmap gameIcon(qreal pixelRatio = 1.0);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createPanel();
    QVBoxLayout* createWords(QWidget* panel);
    void createMailLabel(QWidget* panel);
    void setMailColour(const QColor& colour);

    UrlOpener m_open;
    QWidget* m_panel = nullptr;
    QLabel* m_mail = nullptr;
};
