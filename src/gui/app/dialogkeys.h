#pragma once

#include <QObject>

class QAbstractButton;
class QWidget;

// What people expect of any dialog, the same in all of them: Escape does what
// the title strip's close button does, Return and the keypad's Enter press the
// default button (one press for a held key), and the first field has the
// keyboard focus each time the dialog opens. Made by ToolWindow::setup, it
// lives as a child of its dialog.
class DialogKeys : public QObject
{
    Q_OBJECT
public:
    explicit DialogKeys(QWidget *dialog);

    // The button of the title strip that closes the dialog, if it has one.
    static QAbstractButton *closeButton(const QWidget *dialog);
    // The first field a user would type into, else the default button, else the close button.
    static QWidget *firstField(const QWidget *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void escape();
    void enter();
    void focusFirstField();

    QWidget *m_dialog;
};
