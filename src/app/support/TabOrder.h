// The order Tab walks a dialog's controls in, when the order they were made in is not the
// order they are read in.
#pragma once

#include <QList>
#include <QWidget>

// Tab goes from each control to the next one listed; controls not listed keep their places
// around them.
inline void orderTabs(const QList<QWidget*>& readingOrder) {
    QWidget* previous = nullptr;
    for (QWidget* control : readingOrder) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}
