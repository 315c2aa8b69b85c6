// The order Tab walks a dialog's controls in, when the order they were made in is not the
// order they are read in.
#pragma once

#include <QWidget>

#include <initializer_list>

// Tab goes from each control to the next one listed; controls not listed keep their places
// around them.
inline void orderTabs(std::initializer_list<QWidget*> readingOrder) {
    QWidget* previous = nullptr;
    for (QWidget* control : readingOrder) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}
