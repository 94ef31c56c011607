#include "app/noticebox.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
QMessageBox *newBox(QWidget *parent, const QString &text)
{
    auto *box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("提示"));
    box->setText(text);
    return box;
}
}

QMessageBox *NoticeBox::show(QWidget *parent, const QString &text)
{
    QMessageBox *box = newBox(parent, text);
    box->addButton(QStringLiteral("确定"), QMessageBox::ActionRole);
    box->open();
    return box;
}

QMessageBox *NoticeBox::showCopyable(QWidget *parent, const QString &text)
{
    QMessageBox *box = show(parent, text);
    box->setTextFormat(Qt::PlainText);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return box;
}

QMessageBox *NoticeBox::show(QWidget *parent, const QString &text, QPointer<QMessageBox> &slot)
{
    if (slot)
        slot->close();
    slot = show(parent, text);
    return slot;
}

QMessageBox *NoticeBox::tell(QWidget *parent, const QString &text, QPointer<QMessageBox> &slot)
{
    if (slot && slot->isVisible())
        return slot;
    QMessageBox *box = newBox(parent, text);
    box->addButton(QStringLiteral("确定"), QMessageBox::ActionRole);
    box->setWindowModality(Qt::NonModal);
    box->show();
    slot = box;
    return box;
}

QMessageBox *NoticeBox::showTitled(QWidget *parent, const QString &title, const QString &text,
                                   const std::function<void()> &closed)
{
    QMessageBox *box = newBox(parent, text);
    box->setWindowTitle(title);
    box->addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box->setWindowModality(Qt::WindowModal);
    QObject::connect(box, &QMessageBox::finished, parent, closed);
    box->open();
    return box;
}

QMessageBox *NoticeBox::ask(QWidget *parent, const QString &text, const std::function<void()> &confirmed)
{
    QMessageBox *box = newBox(parent, text);
    QPushButton *yes = box->addButton(QStringLiteral("确定"), QMessageBox::ActionRole);
    box->addButton(QStringLiteral("取消"), QMessageBox::ActionRole);
    QObject::connect(yes, &QPushButton::clicked, parent, confirmed);
    box->open();
    return box;
}
