#pragma once

#include <QPointer>
#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

// The client's notice box: modal, titled "提示", one button "确定". Opened
// without a nested event loop, so a reply handler returns at once.
class NoticeBox
{
public:
    // A notice with "确定" over the parent's window.
    static QMessageBox *show(QWidget *parent, const QString &text);
    // One notice per slot: a newer one replaces an unanswered one.
    static QMessageBox *show(QWidget *parent, const QString &text, QPointer<QMessageBox> &slot);
    // A notice whose text is shown as it stands and can be selected and
    // copied, for addresses and other texts that come from outside.
    static QMessageBox *showCopyable(QWidget *parent, const QString &text);
    // A notice that blocks nothing, told once: while the slot's notice is
    // still shown, a later one is dropped.
    static QMessageBox *tell(QWidget *parent, const QString &text, QPointer<QMessageBox> &slot);
    // A notice with a title of its own and "确定", modal to the parent's
    // window; closed runs once it is dismissed, however.
    static QMessageBox *showTitled(QWidget *parent, const QString &title, const QString &text,
                                   const std::function<void()> &closed);
    // Asks with "确定" and "取消"; confirmed runs on "确定" only.
    static QMessageBox *ask(QWidget *parent, const QString &text, const std::function<void()> &confirmed);
};
