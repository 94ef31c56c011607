#pragma once

#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>

// What tests of windows share; header-only, since the support library links no widgets.
namespace WindowChecks {

// A key the user pressed in the widget: what a page needs before it may open a tab.
inline void userInput(QWidget *widget)
{
    QTest::keyClick(widget, Qt::Key_Shift);
}

// The text of the notice box that opened last over the window, closed after reading.
inline QString takeNotice(QWidget *window)
{
    QMessageBox *box = nullptr;
    const bool opened = QTest::qWaitFor([&] {
        for (QMessageBox *open : window->findChildren<QMessageBox *>()) {
            if (open->isVisible())
                box = open;
        }
        return box != nullptr;
    }, 10000);
    if (!opened)
        return QString();
    const QString text = box->text();
    box->buttons().first()->click();
    return text;
}

}
