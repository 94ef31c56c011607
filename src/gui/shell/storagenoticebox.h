#pragma once

#include <QObject>
#include <QPointer>

class QMessageBox;
class QWidget;
class Settings;
class Sqlite;
class StorageNotices;

// Tells the user in a notice box over the window what went wrong with the
// account store or the settings file: each kind of problem once per run, and not before the window
// shows. What to say is decided by StorageNotices; this only shows it.
class StorageNoticeBox : public QObject
{
    Q_OBJECT
public:
    StorageNoticeBox(Sqlite *store, Settings *settings, QWidget *window);

    StorageNotices *notices() const { return m_notices; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void showPending();

private:
    QWidget *m_window;
    StorageNotices *m_notices;
    QPointer<QMessageBox> m_box;
};
