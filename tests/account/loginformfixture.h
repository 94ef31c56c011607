#pragma once

// What the login dialog's tests share: the stand-in portal, the main
// profile's cookie store as the pages see it, a fresh dialog for each test
// and the typing and clicking of a login.
#include "account/loginform.h"
#include "standinportal.h"
#include "testsupport.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <memory>

class QMessageBox;
class WebEngineProfile;

using Info = QMap<QString, QString>;

namespace LoginFormTesting {
QString md5(const QString &text);
// What the gateway logs for a login of name with the password's digest.
QString loginText(const QString &name, const QString &digest);
QMessageBox *noticeBox();
QString noticeText();
}

class LoginFormFixture : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl &url) { m_openedUrls << url; }

protected:
    void setUp();
    void reset();
    void tearDown();

    void newForm();
    template<typename T> T *child(const char *name) const
    {
        return m_form->findChild<T *>(QLatin1String(name));
    }
    void enter(const QString &name, const QString &password, bool remember = false, bool autoLogin = false);
    Info logIn(const QString &name, const QString &password, bool remember = false, bool autoLogin = false);
    QString tool(const QString &sql) const;
    QString storedCookie(const QString &name) const { return m_storeCookies.value(name); }

    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<StandInPortal> m_portal;
    WebEngineProfile *m_profile = nullptr;
    QPointer<LoginForm> m_form;
    QHash<QString, QString> m_storeCookies;
    QList<QUrl> m_openedUrls;
};
