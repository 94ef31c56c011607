#include "tabfixture.h"

#include "account/loginform.h"
#include "account/loginservice.h"
#include "gametools/gametabtools.h"
#include "net/networkcookie.h"
#include "net/portal.h"
#include "net/session.h"
#include "web/tabwidget.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineCookieStore>

TabFixture::TabFixture()
    : m_portal(m_app.path())
{
}

TabFixture::~TabFixture()
{
    delete m_tabs;
    delete m_loginForm;
}

bool TabFixture::start()
{
    if (!m_portal.start())
        return false;
    WebEngineProfile *profile = WebEngineProfile::profileFor(QStringLiteral("default"));
    m_loginForm = new LoginForm;
    m_loginForm->setWebProfile(profile);
    m_loginForm->setCookieJar(new NetworkCookie(profile->cookieStore()));
    m_services.profile = profile;
    m_services.session = m_loginForm->session();
    m_tabs = new TabWidget(m_services, std::make_unique<GameTabTools>());
    // Wired as the main window wires them.
    QObject::connect(m_loginForm->loginService(), &LoginService::signalLoggedIn, m_tabs, &TabWidget::handlerMainLogin);
    QObject::connect(m_tabs, &TabWidget::signalLoginRequested, m_loginForm, &QWidget::show);
    m_tabs->resize(1000, 600);
    m_tabs->createHomeTab();
    m_tabs->show();
    return true;
}

NetworkCookie *TabFixture::jar() const
{
    return m_loginForm->cookieJar();
}

bool TabFixture::logIn(const QString &name)
{
    const QJsonObject login = m_portal.control({{QStringLiteral("op"), QStringLiteral("login")},
                                                {QStringLiteral("user_name"), name}});
    if (!login.value(QStringLiteral("ok")).toBool())
        return false;
    QSignalSpy added(WebEngineProfile::profileFor(QStringLiteral("default"))->cookieStore(),
                     &QWebEngineCookieStore::cookieAdded);
    const QStringList keys{QStringLiteral("user_name"), QStringLiteral("user_id"), QStringLiteral("user_token")};
    for (const QString &key : keys)
        jar()->setCookie(key, login.value(key).toString(), QStringLiteral("/"), 0, Portal::cookieDomain(),
                         false, false);
    m_tabs->setCurrentUserName(name);
    // The store reports in order: once it has reported these, it has reported
    // the removals of a logout just before, which drop the same values from
    // the jar, and the jar holds the login again.
    return QTest::qWaitFor([&added, &keys] { return added.count() >= keys.size(); }, 10000)
        && m_tabs->session()->isLoggedIn();
}

void TabFixture::logOut()
{
    jar()->clearCookies();
    m_loginForm->hide();
    for (int open = m_tabs->count(); open > 1; --open)
        m_tabs->closeTab();
}

QString TabFixture::portalRoot() const
{
    return Portal::portalRoot();
}

WebView *TabFixture::view(QWidget *tab, const QString &name)
{
    return tab ? tab->findChild<WebView *>(name) : nullptr;
}
