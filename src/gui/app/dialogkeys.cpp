#include "app/dialogkeys.h"

#include "shell/screenplacement.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QTimer>

namespace {
bool takesText(const QWidget *widget)
{
    if (auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->isEditable();
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget)
        || qobject_cast<const QTextEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget);
}

bool reachable(const QWidget *widget, const QWidget *dialog)
{
    return widget->isVisibleTo(dialog) && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus);
}

QPushButton *defaultButton(const QWidget *dialog)
{
    const auto buttons = dialog->findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->isDefault() && button->isVisibleTo(dialog))
            return button;
    }
    return nullptr;
}
}

DialogKeys::DialogKeys(QWidget *dialog)
    : QObject(dialog)
    , m_dialog(dialog)
{
    auto *cancel = new QShortcut(QKeySequence(Qt::Key_Escape), dialog);
    connect(cancel, &QShortcut::activated, this, &DialogKeys::escape);
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *enter = new QShortcut(QKeySequence(key), dialog);
        enter->setAutoRepeat(false);
        connect(enter, &QShortcut::activated, this, &DialogKeys::enter);
    }
    dialog->installEventFilter(this);
}

QAbstractButton *DialogKeys::closeButton(const QWidget *dialog)
{
    // Each form names its own: CloseButton, closeBtn, login_CloseBtn, ...
    const auto buttons = dialog->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : buttons) {
        const QString name = button->objectName().toLower();
        if ((name.endsWith(QLatin1String("closebtn")) || name.endsWith(QLatin1String("closebutton")))
            && button->isVisibleTo(dialog))
            return button;
    }
    return nullptr;
}

QWidget *DialogKeys::firstField(const QWidget *dialog)
{
    // The tab order is the order a user goes through the fields.
    for (QWidget *widget = dialog->nextInFocusChain(); widget && widget != dialog;
         widget = widget->nextInFocusChain()) {
        if (dialog->isAncestorOf(widget) && takesText(widget) && reachable(widget, dialog))
            return widget;
    }
    QPushButton *button = defaultButton(dialog);
    if (button && button->isEnabled())
        return button;
    // A dialog that is one web page: the page gets the keyboard when it is
    // clicked, and until then the keys reach the dialog.
    return closeButton(dialog);
}

void DialogKeys::escape()
{
    if (QAbstractButton *button = closeButton(m_dialog))
        button->click();
    else
        m_dialog->close();
}

void DialogKeys::enter()
{
    QPushButton *button = defaultButton(m_dialog);
    if (button && button->isEnabled())
        button->click();
}

void DialogKeys::focusFirstField()
{
    QWidget *focus = m_dialog->focusWidget();
    if (focus && takesText(focus) && reachable(focus, m_dialog))
        return;
    if (QWidget *field = firstField(m_dialog))
        field->setFocus(Qt::ActiveWindowFocusReason);
}

bool DialogKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dialog && event->type() == QEvent::Show) {
        focusFirstField();
        // Once the caller of show() is done, which may have focused the dialog itself.
        QTimer::singleShot(0, this, [this] {
            if (!m_dialog->isVisible())
                return;
            focusFirstField();
            // Wayland gives a new window the keyboard itself and refuses requests for it.
            if (ScreenPlacement::clientActivatesWindows(QGuiApplication::platformName()))
                m_dialog->activateWindow();
        });
    }
    return QObject::eventFilter(watched, event);
}
