#include "shell/storagenoticebox.h"

#include "app/settings.h"
#include "account/sqlite.h"
#include "app/storagenotices.h"

#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

StorageNoticeBox::StorageNoticeBox(Sqlite *store, Settings *settings, QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_notices(new StorageNotices(this))
{
    connect(store, &Sqlite::problemFound, m_notices, &StorageNotices::report);
    connect(m_notices, &StorageNotices::noticePending, this, &StorageNoticeBox::showPending);
    if (settings && !settings->setAsideFile().isEmpty())
        m_notices->report(StorageNotices::SettingsDamaged, settings->setAsideFile());
    window->installEventFilter(this);
}

bool StorageNoticeBox::eventFilter(QObject *watched, QEvent *event)
{
    // Once the window is on the screen, not while it is being shown.
    if (watched == m_window && event->type() == QEvent::Show)
        QTimer::singleShot(0, this, &StorageNoticeBox::showPending);
    return QObject::eventFilter(watched, event);
}

void StorageNoticeBox::showPending()
{
    if (!m_window->isVisible() || m_box || !m_notices->hasPending())
        return;
    auto *box = new QMessageBox(m_window);
    box->setObjectName(QStringLiteral("storageNoticeBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("提示"));
    box->setText(m_notices->takePending().join(QStringLiteral("\n\n")));
    box->addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    // What was reported while this box was open comes in the next one.
    connect(box, &QDialog::finished, this, [this] {
        m_box = nullptr;
        QTimer::singleShot(0, this, &StorageNoticeBox::showPending);
    });
    m_box = box;
    box->open();
}
