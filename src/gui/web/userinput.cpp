#include "web/userinput.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

UserInput *UserInput::instance()
{
    static UserInput *const watcher = new UserInput;
    return watcher;
}

UserInput::UserInput()
    : QObject(QCoreApplication::instance())
{
    m_clock.start();
    QCoreApplication::instance()->installEventFilter(this);
}

qint64 UserInput::lastInputIn(const QWidget *widget) const
{
    if (!m_target)
        return -1;
    if (!widget)
        return m_lastMs;
    return widget == m_target || widget->isAncestorOf(m_target) ? m_lastMs : -1;
}

bool UserInput::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
        // Only spontaneous events are the user's; an event a program sends is not.
        if (event->spontaneous() && watched->isWidgetType()) {
            m_target = static_cast<QWidget *>(watched);
            m_lastMs = m_clock.elapsed();
        }
        break;
    default:
        break;
    }
    return false;
}
