#pragma once

#include <QString>
#include <QWidget>

namespace Ui { class UpdateForm; }

class HttpRequest;
class Settings;

// The update dialog: the client's and the portal's latest version, the
// download page in the system browser, and "跳过这个版本", kept in
// "update/isJump" and "update/version". Each opening asks the portal again.
class UpdateForm : public QWidget
{
    Q_OBJECT
public:
    UpdateForm(Settings *settings, QWidget *parent);
    ~UpdateForm() override;

    QString latestVersion() const { return m_latest; }

signals:
    void signalJumpThisVersion(QString version);

public slots:
    void handlerCheckUpdate();
    void handlerCheckUpdateResult(QString body);
    void handlerJumpThisVersion(QString version);

private:
    void handlerCheckFailed();
    void handlerButton();
    void handlerSkipToggled(bool checked);
    void showWaiting();

    Ui::UpdateForm *ui;
    Settings *m_settings;
    HttpRequest *m_request;
    QString m_latest;
    QString m_downloadUrl;
    bool m_newer = false;
};
