// The stand-in's pages in a real web engine: the channel script loads from the
// portal, buttons reach "external" with the right arguments, and game links ask
// for new windows with the addresses the client routes.

#include "BridgeRecorder.h"
#include "WindowCatcher.h"

#include <QNetworkCookie>
#include <QProcess>
#include <QTemporaryDir>
#include <QWebChannel>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtTest>

class tst_DevportalBridge final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void channelScriptComesFromThePortal();
    void leftColumnShowsTheCookieNickname();
    void pageCallsReachExternal_data();
    void pageCallsReachExternal();
    void gameLinksAskForNewWindows_data();
    void gameLinksAskForNewWindows();

private:
    void load(const QString &url);
    QVariant evaluate(const QString &script);
    QString portalUrl(const QString &path) const { return QStringLiteral("http://") + m_portal + path; }
    QString webUrl(const QString &action) const
    {
        return portalUrl(QStringLiteral("/DODev_C/index.php?type=web&action=") + action);
    }

    QTemporaryDir m_dir;
    QProcess m_server;
    QString m_portal;
    QString m_h5;
    QString m_token;
    QWebEngineProfile *m_profile = nullptr;
    WindowCatcher *m_page = nullptr;
    QWebEngineView *m_view = nullptr;
    QWebChannel m_channel;
    BridgeRecorder m_recorder;
};

void tst_DevportalBridge::initTestCase()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QSKIP("no display for the web engine; run under xvfb-run");
    QVERIFY(m_dir.isValid());
    m_server.start(QStringLiteral(DEVPORTAL_BIN),
                   {QStringLiteral("--portal-port"), QStringLiteral("0"), QStringLiteral("--h5-port"),
                    QStringLiteral("0"), QStringLiteral("--key-dir"), m_dir.path()});
    QVERIFY(m_server.waitForStarted(5000));
    QByteArray out;
    while (!out.contains("h5 ") || !out.endsWith('\n')) {
        QVERIFY2(m_server.waitForReadyRead(10000), "portal did not report its ports");
        out += m_server.readAllStandardOutput();
    }
    for (const QByteArray &line : out.split('\n')) {
        if (line.startsWith("portal ")) m_portal = QString::fromLatin1(line.mid(7));
        if (line.startsWith("h5 ")) m_h5 = QString::fromLatin1(line.mid(3));
    }
    QVERIFY(!m_portal.isEmpty() && !m_h5.isEmpty());

    m_profile = new QWebEngineProfile(this);
    m_profile->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    m_page = new WindowCatcher(m_profile, this);
    m_channel.registerObject(QStringLiteral("external"), &m_recorder);
    m_page->setWebChannel(&m_channel);
    m_view = new QWebEngineView;
    m_view->setPage(m_page);
    m_view->resize(1000, 700);
    m_view->show();

    // A token and the identity cookies, written the way the client writes them.
    load(portalUrl(QStringLiteral("/__control?op=login&user_name=korvo")));
    m_token = evaluate(QStringLiteral("JSON.parse(document.body.innerText).user_token")).toString();
    QCOMPARE(m_token.size(), 32);
    const QList<QPair<QByteArray, QByteArray>> cookies {
        {"user_id", "10001"}, {"user_name", "korvo"}, {"user_nick", QStringLiteral("科沃玩家").toUtf8()},
        {"user_token", m_token.toLatin1()}};
    for (const auto &c : cookies) {
        QNetworkCookie cookie(c.first, c.second);
        cookie.setPath(QStringLiteral("/"));
        m_profile->cookieStore()->setCookie(cookie, QUrl(portalUrl(QStringLiteral("/"))));
    }
}

void tst_DevportalBridge::cleanupTestCase()
{
    if (!m_profile) return;
    // Pages go before their profile.
    delete m_view;
    delete m_page;
    delete m_profile;
    m_server.terminate();
    QVERIFY(m_server.waitForFinished(5000));
    QCOMPARE(m_server.exitCode(), 0);
}

void tst_DevportalBridge::load(const QString &url)
{
    QSignalSpy finished(m_page, &QWebEnginePage::loadFinished);
    m_page->load(QUrl(url));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 20000);
    QVERIFY2(finished.first().first().toBool(), qPrintable(url));
}

QVariant tst_DevportalBridge::evaluate(const QString &script)
{
    QVariant result;
    bool done = false;
    m_page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&done] { return done; }, 10000)) qWarning("script timed out: %s", qPrintable(script));
    return result;
}

void tst_DevportalBridge::channelScriptComesFromThePortal()
{
    load(webUrl(QStringLiteral("index&v2")));
    QCOMPARE(evaluate(QStringLiteral("typeof QWebChannel")).toString(), QStringLiteral("function"));
    QCOMPARE(evaluate(QStringLiteral("korvo.inClient()")).toBool(), true);
    // The home page reports itself once the channel is up.
    QTRY_VERIFY_WITH_TIMEOUT(m_recorder.calls.contains(QStringLiteral("GetHttpData|index:loaded")), 10000);
}

void tst_DevportalBridge::leftColumnShowsTheCookieNickname()
{
    load(webUrl(QStringLiteral("left&v2&user_id=10001")));
    QCOMPARE(evaluate(QStringLiteral("document.getElementById('nick').textContent")).toString(),
             QStringLiteral("科沃玩家"));
}

void tst_DevportalBridge::pageCallsReachExternal_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("call");
    const QString click = QStringLiteral("document.querySelector(\"%1\").click()");
    QTest::newRow("web game") << QStringLiteral("index&v2") << click.arg(QStringLiteral("a[onclick*=\\\"openGame('xianxia'\\\"]"))
                              << QStringLiteral("OpenGame|xianxia|仙侠传说|");
    QTest::newRow("h5 game") << QStringLiteral("index&v2") << click.arg(QStringLiteral("a[onclick*=\\\"'h5'\\\"]"))
                             << QStringLiteral("OpenGame|snake|贪吃蛇大作战|h5");
    QTest::newRow("app") << QStringLiteral("index&v2") << click.arg(QStringLiteral("a[onclick*=\\\"'app'\\\"]"))
                         << QStringLiteral("OpenGame|1031|口袋江湖|app");
    QTest::newRow("today's servers") << QStringLiteral("index&v2") << click.arg(QStringLiteral("a[onclick*=todayserver]"))
                                     << QStringLiteral("OpenUrl|") + webUrl(QStringLiteral("web_game&v2&tab=today")) + QStringLiteral("|todayserver");
    QTest::newRow("search") << "index&v2"
                            << "document.querySelector('form.search input').value = '三国';"
                               "document.querySelector('form.search button').click()"
                            << QStringLiteral("OpenUrl|") + webUrl(QStringLiteral("web_game&v2&keyword=%E4%B8%89%E5%9B%BD")) + QStringLiteral("|search");
    QTest::newRow("feed") << QStringLiteral("index&v2") << click.arg(QStringLiteral("a[onclick*=dynamic]"))
                          << QStringLiteral("OpenUrl|") + portalUrl(QStringLiteral("/dynamic.php")) + QStringLiteral("|open");
    QTest::newRow("back") << QStringLiteral("web_game&v2") << click.arg(QStringLiteral("a[onclick*=back]")) << QStringLiteral("OpenUrl||back");
    for (const char *method : {"Sign", "OpenJFSC", "SwitchUser", "LoginOut"}) {
        QTest::newRow(method) << "left&v2&user_id=10001"
                              << click.arg(QStringLiteral("button[onclick*=%1]").arg(QLatin1String(method)))
                              << QString::fromLatin1(method);
    }
    QTest::newRow("user centre") << QStringLiteral("left&v2&user_id=10001") << click.arg(QStringLiteral("button[onclick*='user.php']"))
                                 << QStringLiteral("OpenUrl|") + portalUrl(QStringLiteral("/user.php")) + QStringLiteral("|open");
    QTest::newRow("skin") << QStringLiteral("skin&v2") << click.arg(QStringLiteral("a[onclick*='blue.zip']"))
                          << QStringLiteral("OpenUrl|") + portalUrl(QStringLiteral("/skins/blue.zip")) + QStringLiteral("|blue");
    QTest::newRow("default skin") << QStringLiteral("skin&v2") << click.arg(QStringLiteral("a[onclick*=default]"))
                                  << QStringLiteral("OpenUrl||default");
    QTest::newRow("mall from the calendar") << "user_signCalendar&v2&user_id=10001"
                                            << click.arg(QStringLiteral("a[onclick*=OpenJFSC]")) << QStringLiteral("OpenJFSC");
}

void tst_DevportalBridge::pageCallsReachExternal()
{
    QFETCH(QString, page);
    QFETCH(QString, script);
    QFETCH(QString, call);
    load(webUrl(page));
    m_recorder.calls.clear();
    evaluate(script);
    QTRY_VERIFY2_WITH_TIMEOUT(m_recorder.calls.contains(call), qPrintable(m_recorder.calls.join(QLatin1String(", "))),
                              10000);
}

void tst_DevportalBridge::gameLinksAskForNewWindows_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("target");
    const QString home = webUrl(QStringLiteral("index&v2"));
    QTest::newRow("game host") << home << QStringLiteral("a[href='/xianxia']") << portalUrl(QStringLiteral("/xianxia"));
    QTest::newRow("game server") << home << QStringLiteral("a[href^='/game_server.php']") << portalUrl(QStringLiteral("/game_server.php?id=1"));
    QTest::newRow("game play") << home << QStringLiteral("a[href='/game_play/108.html']") << portalUrl(QStringLiteral("/game_play/108.html"));
    QTest::newRow("H5 game") << home << QStringLiteral("a[href$='/snake']") << QStringLiteral("http://") + m_h5 + QStringLiteral("/snake");
    QTest::newRow("diverted payment") << home << QStringLiteral("a[href^='/pay/']") << portalUrl(QStringLiteral("/pay/recharge.php?from=index"));
    QTest::newRow("server list") << portalUrl(QStringLiteral("/game.php?client=pcclient&host=longcheng"))
                                 << QStringLiteral("ul.servers a") << portalUrl(QStringLiteral("/game_play/204.html"));
    QTest::newRow("H5 play") << QStringLiteral("http://") + m_h5 + QStringLiteral("/bricks") << QStringLiteral("#start")
                             << QStringLiteral("http://") + m_h5 + QStringLiteral("/games/bricks/1/play");
}

void tst_DevportalBridge::gameLinksAskForNewWindows()
{
    QFETCH(QString, page);
    QFETCH(QString, selector);
    QFETCH(QString, target);
    load(page);
    m_page->requested.clear();
    evaluate(QStringLiteral("document.querySelector(\"%1\").click()").arg(selector));
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->requested.isEmpty(), 10000);
    QCOMPARE(m_page->requested.first().toString(), target);
}

int main(int argc, char **argv)
{
    // The web engine needs a display (Xvfb will do); without one the test skips.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_DevportalBridge test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bridge.moc"
