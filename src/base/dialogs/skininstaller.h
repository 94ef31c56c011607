#pragma once

#include "net/replyguard.h"
#include "dialogs/skinarchive.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class HttpRequest;
#include <QThread>

// Brings a skin onto the disk: downloads its package (with a size limit and
// a deadline; an error status or a page that is no archive is not kept),
// and unpacks it on a thread of its own. A skin that is installed already is
// ready at once, without a request. One skin at a time: a newer choice
// replaces a download still out, and waits for an unpacking under way.
class SkinInstaller : public QObject
{
    Q_OBJECT
public:
    explicit SkinInstaller(QObject *parent = nullptr);
    ~SkinInstaller() override;

    void install(const QUrl &packageUrl);
    void setArchiveLimits(const SkinArchive::Limits &limits) { m_archiveLimits = limits; }
    void setDownloadLimits(const ReplyGuard::Limits &limits);
    bool isBusy() const;

signals:
    // The skin's folder holds its style sheet and picture: it may be applied.
    void signalInstalled(QString name);
    void signalFailed(QString name, QString why);

private:
    void handlerDownloaded(const QByteArray &package);
    void handlerDownloadFailed(const QString &why);
    void unpack(const QString &packagePath);
    void handlerUnpacked(const QString &packagePath, SkinArchive::Error error);

    HttpRequest *m_request;
    SkinArchive::Limits m_archiveLimits = SkinArchive::defaultLimits();
    QString m_downloading;
    QString m_unpacking;
    QUrl m_waiting;
    QPointer<QThread> m_thread;
};
