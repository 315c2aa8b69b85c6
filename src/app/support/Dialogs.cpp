// Message boxes for questions, warnings and notices.
#include "support/Dialogs.h"

#include <QMessageBox>

namespace {
const QString Title = QStringLiteral("Quorvel");
}

bool MessageBoxDialogs::ask(QWidget* parent, const QString& text) {
    return QMessageBox::warning(parent, Title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void MessageBoxDialogs::warn(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, Title, text, QMessageBox::Ok);
}

void MessageBoxDialogs::inform(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, Title, text, QMessageBox::Ok);
}
