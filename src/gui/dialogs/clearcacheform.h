#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

namespace Ui { class ClearCacheForm; }

#include <QThread>

// "清理缓存": the size of the web engine's data folder, and "一键清理", which
// clears the HTTP caches of the live profiles and empties the folders of the
// others (the stored logins of small accounts not in use; the dialog says
// so). The main account's folder is never emptied. Measuring and deleting
// run on a thread of their own, so a large cache never holds the window.
class ClearCacheForm : public QWidget
{
    Q_OBJECT
public:
    explicit ClearCacheForm(QWidget *parent = nullptr);
    ~ClearCacheForm() override;

    // Measures the cache again and hides the freed amount.
    void refresh();
    bool isWorking() const { return m_work; }

signals:
    // The size shown is up to date (after a refresh or a cleaning).
    void signalSizeShown();

public slots:
    void handlerClearWebCache();

private:
    // Runs work off the GUI thread; done gets its result on this window's thread.
    void runAside(const std::function<qint64()> &work, const std::function<void(qint64)> &done);
    void showSize(qint64 bytes);
    static QStringList keptFolders();

    Ui::ClearCacheForm *ui;
    QString m_cacheDir;
    qint64 m_sizeBefore = 0;
    qint64 m_sizeAfter = 0;
    QPointer<QThread> m_work;
};
