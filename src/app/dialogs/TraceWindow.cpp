// The trace window.
#include "dialogs/TraceWindow.h"

#include <QVBoxLayout>

namespace quorvel {

TraceWindow::TraceWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmDebug"));
    setWindowTitle(QStringLiteral("frmDebug"));
    resize(188, 300);
    m_debug = new QPlainTextEdit(this);
    m_debug->setObjectName(QStringLiteral("debug"));
    m_debug->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_debug);
}

} // namespace quorvel
