#pragma once

#include "app/appservices.h"
#include "web/tabwidget.h"
#include "standinportal.h"
#include "testsupport.h"

#include <QPointer>

class LoginForm;
class NetworkCookie;
class TabWidget;
class WebView;

// A tab container as the main window builds it, on the stand-in portal: the
// "default" profile, a login dialog with its cookie jar, the home tab.
class TabFixture
{
public:
    TabFixture();
    ~TabFixture();

    bool start();
    TabWidget *tabs() const { return m_tabs; }
    // The context new tabs take over, changed as a click, a route or a login would.
    template <class Change>
    void changeContext(Change change)
    {
        TabContext context = m_tabs->currentContext();
        change(context);
        m_tabs->setCurrentContext(context);
    }
    StandInPortal &portal() { return m_portal; }
    LoginForm *loginForm() const { return m_loginForm; }
    NetworkCookie *jar() const;

    // The identity cookies of a login the portal issued for name.
    bool logIn(const QString &name);
    // No identity, no dialog, only the home tab.
    void logOut();

    QString portalRoot() const;
    static WebView *view(QWidget *tab, const QString &name);

private:
    TestAppDir m_app;
    StandInPortal m_portal;
    AppServices m_services;
    QPointer<LoginForm> m_loginForm;
    QPointer<TabWidget> m_tabs;
};
