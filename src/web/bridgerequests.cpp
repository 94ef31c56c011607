#include "bridgerequests.h"

#include "external.h"
#include "pagenotice.h"
#include "tabwidget.h"
#include "userinput.h"

#include <QWebChannel>

BridgeRequests::BridgeRequests(TabWidget *tabs)
    : QObject(tabs)
    , m_tabs(tabs)
{
    connectExternal();
}

void BridgeRequests::connectExternal()
{
    External *external = External::instance();
    TabWidget *tabs = m_tabs;
    tabs->webChannel()->registerObject(QStringLiteral("external"), external);
    // The bridge serves the home views and the client's own windows alike.
    connect(external, &External::signalOpenUrl, this, [this, tabs](const QString &url, const QString &option) {
        if (option != QLatin1String("open") || mayOpenFromPage())
            tabs->handlerOpenUrl(url, option);
    });
    connect(external, &External::signalOpenJFSC, this, [this, tabs] {
        if (mayOpenFromPage())
            tabs->handlerOpenJFSC();
    });
    connect(external, &External::signalSign, tabs, &TabWidget::handlerSign);
    connect(external, &External::signalOpenGame_app, tabs, &TabWidget::openAppDownload);
    connect(external, &External::signalOpenGame, this, [this, tabs](const QString &host, const QString &game) {
        if (mayOpenFromPage())
            tabs->createHostTab(host, game);
    });
    connect(external, &External::signalOpenGame_h5, this, [this, tabs](const QString &host, const QString &game) {
        if (mayOpenFromPage())
            tabs->createH5HostTab(host, game);
    });
}

bool BridgeRequests::mayOpenFromPage()
{
    UserInput *input = UserInput::instance();
    const NewTabGate::Verdict verdict = m_gate.ask(input->now(), input->lastInputIn(nullptr));
    if (verdict == NewTabGate::Open)
        return true;
    ++m_blocked;
    // One notice for the bridge, over the tab in front.
    QWidget *front = m_tabs->currentWidget() ? m_tabs->currentWidget() : m_tabs;
    PageNotice *notice = PageNotice::of(front);
    if (m_notice && m_notice != notice)
        m_notice->hide();
    m_notice = notice;
    notice->say(NewTabGate::blockedText(verdict, m_blocked));
    return false;
}
