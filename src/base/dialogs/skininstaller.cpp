#include "dialogs/skininstaller.h"

#include "net/httprequest.h"
#include "app/skinstyle.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QThread>

#include <memory>
#include <utility>

namespace {
bool looksLikeArchive(const QByteArray &body)
{
    // A local file header, or the end record of an empty archive.
    return body.startsWith(QByteArrayLiteral("PK\x03\x04")) || body.startsWith(QByteArrayLiteral("PK\x05\x06"));
}
}

SkinInstaller::SkinInstaller(QObject *parent)
    : QObject(parent)
    , m_request(new HttpRequest(this))
{
    m_request->setLimits(ReplyGuard::skinLimits());
    m_request->setOneAttempt(true);
    connect(m_request, &HttpRequest::signalHttpSuccess, this, &SkinInstaller::handlerDownloaded);
    connect(m_request, &HttpRequest::signalHttpFailed, this, &SkinInstaller::handlerDownloadFailed);
}

SkinInstaller::~SkinInstaller()
{
    if (m_thread)
        m_thread->wait();
}

void SkinInstaller::setDownloadLimits(const ReplyGuard::Limits &limits)
{
    m_request->setLimits(limits);
}

bool SkinInstaller::isBusy() const
{
    return !m_downloading.isEmpty() || !m_unpacking.isEmpty();
}

void SkinInstaller::install(const QUrl &packageUrl)
{
    if (!m_unpacking.isEmpty()) {
        m_waiting = packageUrl;
        return;
    }
    const QString name = SkinStyle::nameFromPackageUrl(packageUrl);
    if (name.isEmpty()) {
        emit signalFailed(QString(), QStringLiteral("no skin package address"));
        return;
    }
    if (SkinArchive::isInstalled(SkinStyle::directoryFor(name))) {
        m_request->cancel();
        m_downloading.clear();
        emit signalInstalled(name);
        return;
    }
    m_downloading = name;
    m_request->get(packageUrl);
}

void SkinInstaller::handlerDownloaded(const QByteArray &package)
{
    const QString name = m_downloading;
    if (!looksLikeArchive(package)) {
        // An error page sent with a good status is no package.
        handlerDownloadFailed(QStringLiteral("reply is no archive"));
        return;
    }
    const QString themes = SkinStyle::themesDirectory();
    QDir().mkpath(themes);
    const QString packagePath = themes + name + QStringLiteral(".zip");
    QFile file(packagePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(package) != package.size()
        || !file.flush()) {
        qDebug() << "download error";
        file.remove();
        m_downloading.clear();
        emit signalFailed(name, QStringLiteral("cannot write the package"));
        return;
    }
    file.close();
    m_downloading.clear();
    m_unpacking = name;
    unpack(packagePath);
}

void SkinInstaller::handlerDownloadFailed(const QString &why)
{
    const QString name = m_downloading;
    m_downloading.clear();
    qDebug() << "skin download failed:" << why;
    emit signalFailed(name, why);
}

void SkinInstaller::unpack(const QString &packagePath)
{
    auto error = std::make_shared<SkinArchive::Error>(SkinArchive::Error::None);
    const QString themes = SkinStyle::themesDirectory();
    const QString name = m_unpacking;
    const SkinArchive::Limits limits = m_archiveLimits;
    // Thousands of entries take longer than a frame: never on the GUI thread.
    m_thread = QThread::create([=] { *error = SkinArchive::install(packagePath, themes, name, limits); });
    connect(m_thread, &QThread::finished, this, [this, packagePath, error] {
        m_thread->deleteLater();
        handlerUnpacked(packagePath, *error);
    });
    m_thread->start(QThread::LowPriority);
}

void SkinInstaller::handlerUnpacked(const QString &packagePath, SkinArchive::Error error)
{
    QFile::remove(packagePath);
    const QString name = m_unpacking;
    m_unpacking.clear();
    if (error == SkinArchive::Error::None) {
        emit signalInstalled(name);
    } else {
        qDebug() << "Decompression error:" << SkinArchive::errorText(error);
        emit signalFailed(name, SkinArchive::errorText(error));
    }
    if (!m_waiting.isEmpty())
        install(std::exchange(m_waiting, QUrl()));
}
