#include "toolwindow.h"

#include <QMessageBox>
#include <QWidget>

void ToolWindow::setup(QWidget *window)
{
    // Bypassing the window manager keeps a frameless dialog where the client
    // places it (centred over its owner), whatever the desktop does.
    window->setWindowFlags(Qt::Tool | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint
                           | Qt::WindowSystemMenuHint);
    window->setWindowModality(Qt::ApplicationModal);
}

void ToolWindow::notice(QWidget *owner, const QString &text)
{
    auto *box = new QMessageBox(owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("提示"));
    box->setText(text);
    box->addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}
