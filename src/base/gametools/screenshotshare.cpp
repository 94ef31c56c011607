#include "gametools/screenshotshare.h"

#include "net/httprequest.h"
#include "net/portal.h"
#include "app/privatefiles.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QImage>
#include <QTemporaryFile>

namespace {
QString queryValue(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}
}

ScreenshotShare::ScreenshotShare(QObject *parent)
    : QObject(parent)
    , m_request(new HttpRequest(this))
{
    m_request->setOneAttempt(true);
    connect(m_request, &HttpRequest::signalHttpSuccess, this, [this](const QByteArray &body) {
        if (m_publishing)
            handlerPublished(body);
        else
            handlerUploaded(body);
    });
    connect(m_request, &HttpRequest::signalHttpFailed, this, &ScreenshotShare::handlerFailed);
}

ScreenshotShare::~ScreenshotShare()
{
    m_request->cancel();
    removeFile();
}

QRect ScreenshotShare::captureRect(const QSize &page)
{
    return QRect(0, 38, qMax(0, page.width() - 24), qMax(0, page.height() - 38));
}

bool ScreenshotShare::isBlank(const QImage &image)
{
    if (image.isNull())
        return true;
    const QImage picture = image.convertToFormat(QImage::Format_RGB32);
    const QRgb first = picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (line[x] != first)
                return false;
        }
    }
    return true;
}

QString ScreenshotShare::cutComment(const QString &text)
{
    return text.left(maxComment);
}

QString ScreenshotShare::uploadDisposition(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    // The name goes between quotes in a header line.
    name.remove(QLatin1Char('"')).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    return QStringLiteral("form-data; name=\"file\"; filename=\"%1\"").arg(name);
}

QUrl ScreenshotShare::uploadUrl()
{
    return QUrl(Portal::apiCall(QStringLiteral("dynamic_upimg")));
}

QUrl ScreenshotShare::publishUrl(const Identity &who, const QString &content, const QString &attachment)
{
    const QString address = Portal::apiCall(QStringLiteral("public_dynamic")) + QStringLiteral("&user_id=")
        + queryValue(who.userId) + QStringLiteral("&account=") + queryValue(who.userName)
        + QStringLiteral("&content=") + queryValue(content) + QStringLiteral("&attachment=")
        + queryValue(attachment);
    return QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode);
}

bool ScreenshotShare::keep(const QImage &image)
{
    if (m_busy)
        return false;
    removeFile();
    // A name of its own even for two pictures of one millisecond, made
    // exclusively and readable by the user alone.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/korvobox_")
                        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmsszzz"))
                        + QStringLiteral("_XXXXXX.jpg"));
    file.setAutoRemove(false);
    if (!file.open())
        return false;
    PrivateFiles::narrow(file.fileName());
    const bool saved = image.save(&file, "JPG");
    file.close();
    if (!saved) {
        QFile::remove(file.fileName());
        return false;
    }
    m_filePath = file.fileName();
    return true;
}

bool ScreenshotShare::send(const Identity &who, const QString &comment)
{
    if (m_busy)
        return false;
    auto *file = new QFile(m_filePath);
    if (m_filePath.isEmpty() || !file->open(QIODevice::ReadOnly)) {
        qDebug() << "screenshot file missing:" << m_filePath;
        delete file;
        emit signalFailed(QStringLiteral("截图已失效,请重新截图"));
        return false;
    }
    auto *body = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("image/jpeg"));
    part.setHeader(QNetworkRequest::ContentDispositionHeader, uploadDisposition(m_filePath));
    part.setBodyDevice(file);
    file->setParent(body);
    body->append(part);
    m_who = who;
    m_comment = cutComment(comment);
    m_busy = true;
    m_publishing = false;
    m_request->post(uploadUrl(), body);
    return true;
}

void ScreenshotShare::handlerUploaded(const QByteArray &attachment)
{
    qDebug() << "screenshot uploaded:" << attachment.left(200);
    m_publishing = true;
    emit signalUploaded();
    m_request->get(publishUrl(m_who, m_comment, QString::fromUtf8(attachment.trimmed())));
}

void ScreenshotShare::handlerPublished(const QByteArray &reply)
{
    m_busy = false;
    m_publishing = false;
    // The picture has had its answer: it goes whatever the answer says.
    removeFile();
    if (Portal::isWord(reply, "success"))
        emit signalPublished();
    else
        emit signalFailed(QStringLiteral("发布失败,请重新截图后再试"));
}

void ScreenshotShare::handlerFailed(const QString &error)
{
    qDebug() << "screenshot share failed:" << error;
    m_busy = false;
    m_publishing = false;
    // An upload that failed keeps the file for another try.
    emit signalFailed(QStringLiteral("网络异常,请稍后重试"));
}

void ScreenshotShare::removeFile()
{
    if (!m_filePath.isEmpty())
        QFile::remove(m_filePath);
    m_filePath.clear();
}
