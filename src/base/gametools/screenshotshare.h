#pragma once

#include "net/identity.h"

#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <QUrl>

class HttpRequest;
class QImage;

// Sharing a picture of a game on the portal's feed: the picture is kept in a
// private temporary JPEG file, uploaded as a multipart form, and the answer
// (an attachment reference) is published with the user's comment. The file
// goes once the publish has been answered, or with this object.
class ScreenshotShare : public QObject
{
    Q_OBJECT
public:
    static constexpr int maxComment = 140;

    explicit ScreenshotShare(QObject *parent = nullptr);
    ~ScreenshotShare() override;

    // The part of a tab page a screenshot shows: below the toolbar strip (38
    // pixels) and without the rightmost 24 pixels.
    static QRect captureRect(const QSize &page);
    // A picture of one colour shows no game.
    static bool isBlank(const QImage &image);
    // The comment as the editor keeps it: its first 140 characters.
    static QString cutComment(const QString &text);
    // The upload names the file by its file name only, never its folders.
    static QString uploadDisposition(const QString &path);
    // Every value encoded, so the comment arrives as typed.
    static QUrl publishUrl(const Identity &who, const QString &content, const QString &attachment);
    static QUrl uploadUrl();

    // Saves the picture to a new private temporary file; the file of an
    // earlier picture not sent goes.
    bool keep(const QImage &image);
    QString filePath() const { return m_filePath; }
    bool isBusy() const { return m_busy; }
    HttpRequest *request() const { return m_request; }

    // Uploads the kept picture, then publishes it; false when nothing was sent
    // (the reason arrives on signalFailed).
    bool send(const Identity &who, const QString &comment);

signals:
    void signalUploaded();
    void signalPublished();
    void signalFailed(QString message);

private:
    void handlerUploaded(const QByteArray &attachment);
    void handlerPublished(const QByteArray &reply);
    void handlerFailed(const QString &error);
    void removeFile();

    HttpRequest *m_request;
    QString m_filePath;
    Identity m_who;
    QString m_comment;
    bool m_busy = false;
    bool m_publishing = false;
};
