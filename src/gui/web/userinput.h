#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QWidget;

// When the user last clicked, touched or typed, and into which widget: what
// a page needs before it may open a tab. Watches the whole application from
// its first use on.
class UserInput : public QObject
{
    Q_OBJECT
public:
    static UserInput *instance();

    // Milliseconds on the clock of now().
    qint64 now() const { return m_clock.elapsed(); }
    // The time of the last input into the widget or one of its children
    // (null: into any window of the client); -1 for none.
    qint64 lastInputIn(const QWidget *widget) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    UserInput();

    QElapsedTimer m_clock;
    qint64 m_lastMs = -1;
    QPointer<QWidget> m_target;
};
