#include "app/settings.h"
#include "web/findbar.h"
#include "web/pagekeys.h"
#include "web/pagezoom.h"
#include "web/webview.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {
const QString page = QStringLiteral(
    "<html><body style='margin:0;font-size:30px'>"
    "<a id='web' href='http://portal.example/news.html' style='position:absolute;left:0;top:0'>news</a>"
    "<a id='file' href='file:///etc/passwd' style='position:absolute;left:0;top:100px'>file</a>"
    "<p style='position:absolute;top:200px'>the needle is here</p></body></html>");

// Serves the page above for every request, as a game host on loopback would.
class GameHost : public QTcpServer
{
public:
    GameHost()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    const QByteArray body = page.toUtf8();
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
                                  "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/play/").arg(serverPort())); }
};

// Receives what the page hands to the desktop instead of a real browser.
class BrowserCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};
}

// The page keys and the context menu in a window of real web tabs: the home
// tab first, as in the client, then game pages.
class TestPageKeys final : public QObject
{
    Q_OBJECT

private:
    TestAppDir *m_dir = nullptr;
    Settings *m_settings = nullptr;
    QWidget *m_window = nullptr;
    QTabWidget *m_tabs = nullptr;
    PageKeys *m_keys = nullptr;
    GameHost m_host;

    WebView *addTab(const QString &title)
    {
        auto *view = new WebView;
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        m_tabs->addTab(view, title);
        view->load(m_host.url());
        if (!loaded.wait(30000))
            return nullptr;
        return view;
    }

    WebView *current() const { return qobject_cast<WebView *>(m_tabs->currentWidget()); }

    // A key as the user presses it, into the page that has the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : m_window, Qt::Key(key), modifiers);
    }

    bool focusPage(WebView *view)
    {
        // Focus reaches a view only in the active window, and the page's own
        // widget may come after the view: asked again until both hold.
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window, 30000))
            return false;
        return QTest::qWaitFor(
            [view] {
                if (!view->focusProxy() || !view->focusProxy()->hasFocus())
                    view->setFocus();
                return view->focusProxy() && view->focusProxy()->hasFocus();
            },
            30000);
    }

    QMenu *rightClick(WebView *view, const QPoint &at)
    {
        QTest::mouseClick(view->focusProxy(), Qt::RightButton, Qt::NoModifier, at);
        QMenu *menu = nullptr;
        if (!QTest::qWaitFor([&menu] { return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); },
                             10000))
            return nullptr;
        return menu;
    }

    static QAction *action(QMenu *menu, const char *name)
    {
        return menu->findChild<QAction *>(QLatin1String(name));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_host.listen(QHostAddress::LocalHost));
        m_dir = new TestAppDir;
        m_settings = new Settings;
        m_window = new QWidget;
        m_tabs = new QTabWidget(m_window);
        (new QVBoxLayout(m_window))->addWidget(m_tabs);
        connect(m_tabs, &QTabWidget::tabCloseRequested, m_tabs, &QTabWidget::removeTab);
        m_keys = new PageKeys(m_window, m_tabs, m_settings);
        m_window->resize(900, 600);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        m_window->activateWindow();
        QTRY_VERIFY(m_window->isActiveWindow());
        for (const char *title : {"home", "game 1", "game 2"})
            QVERIFY(addTab(QLatin1String(title)));
        m_tabs->setCurrentIndex(1);
        QVERIFY(focusPage(current()));
    }

    void cleanupTestCase()
    {
        delete m_window;
        delete m_settings;
        delete m_dir;
    }

    void reloadKeysReload()
    {
        QSignalSpy loads(current(), &QWebEngineView::loadFinished);
        press(Qt::Key_F5);
        QTRY_COMPARE_WITH_TIMEOUT(loads.count(), 1, 30000);
        QVERIFY(focusPage(current()));
        press(Qt::Key_R, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(loads.count(), 2, 30000);
        QVERIFY(focusPage(current()));
    }

    void ctrlFFindsInThePage()
    {
        press(Qt::Key_F, Qt::ControlModifier);
        auto *bar = current()->findChild<FindBar *>();
        QVERIFY(bar && bar->isVisible());
        QTRY_VERIFY(bar->field()->hasFocus());
        auto *status = bar->findChild<QLabel *>(QStringLiteral("pageFindStatus"));
        QTest::keyClicks(bar->field(), QStringLiteral("haystack"));
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("无结果"), 10000);
        bar->field()->clear();
        QTest::keyClicks(bar->field(), QStringLiteral("needle"));
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QString(), 10000);
        QTest::keyClick(bar->field(), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QVERIFY(focusPage(current()));
    }

    void zoomKeysZoomAndTheHostRemembers()
    {
        const QString key = PageZoom::key(m_host.url().authority());
        press(Qt::Key_Plus, Qt::ControlModifier);
        QTRY_COMPARE(current()->zoomFactor(), 1.1);
        QCOMPARE(m_settings->value(key).toString(), QStringLiteral("1.1"));
        press(Qt::Key_Equal, Qt::ControlModifier);
        QTRY_COMPARE(current()->zoomFactor(), 1.25);
        press(Qt::Key_Minus, Qt::ControlModifier);
        QTRY_COMPARE(current()->zoomFactor(), 1.1);
        press(Qt::Key_0, Qt::ControlModifier);
        QTRY_COMPARE(current()->zoomFactor(), 1.0);
        QVERIFY(!m_settings->contains(key));

        // Another page of the same game opens at the zoom it was left at.
        press(Qt::Key_Plus, Qt::ControlModifier);
        press(Qt::Key_Plus, Qt::ControlModifier);
        QTRY_COMPARE(current()->zoomFactor(), 1.25);
        WebView *other = addTab(QStringLiteral("game 3"));
        QVERIFY(other);
        m_tabs->setCurrentWidget(other);
        QTRY_COMPARE(other->zoomFactor(), 1.25);
        m_tabs->removeTab(m_tabs->indexOf(other));
        delete other;
        m_tabs->setCurrentIndex(1);
        QVERIFY(focusPage(current()));
        press(Qt::Key_0, Qt::ControlModifier);
        QTRY_COMPARE(current()->zoomFactor(), 1.0);
    }

    void f11TogglesFullScreen()
    {
        press(Qt::Key_F11);
        QTRY_VERIFY(m_window->isFullScreen());
        QVERIFY(focusPage(current()));
        press(Qt::Key_F11);
        QTRY_VERIFY(!m_window->isFullScreen());
        QVERIFY(focusPage(current()));
    }

    void ctrlTabSwitchesAndCtrlWNeverClosesHome()
    {
        QCOMPARE(m_tabs->currentIndex(), 1);
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(m_tabs->currentIndex(), 2);
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(m_tabs->currentIndex(), 0);
        press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_tabs->currentIndex(), 2);

        press(Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(m_tabs->count(), 2);
        m_tabs->setCurrentIndex(0);
        QVERIFY(focusPage(current()));
        press(Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(m_tabs->count(), 2);
        m_tabs->setCurrentIndex(1);
        QVERIFY(focusPage(current()));
    }

    void contextMenuCopiesAndOpensLinksByTheBrowserRule()
    {
        BrowserCatcher browser;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
        QMenu *menu = rightClick(current(), QPoint(20, 15));
        QVERIFY(menu);
        for (const char *name : {"pageCopyAction", "pagePasteAction", "pageSelectAllAction"})
            QVERIFY2(action(menu, name), name);
        QVERIFY(action(menu, "pageOpenLinkAction")->isEnabled());
        action(menu, "pageCopyLinkAction")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("http://portal.example/news.html"));
        action(menu, "pageOpenLinkAction")->trigger();
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(QStringLiteral("http://portal.example/news.html"))});
        menu->close();

        // A link the browser rule refuses is only copied.
        menu = rightClick(current(), QPoint(15, 115));
        QVERIFY(menu);
        QVERIFY(!action(menu, "pageOpenLinkAction")->isEnabled());
        menu->close();

        // Away from links: no link entries; select all selects the page.
        menu = rightClick(current(), QPoint(600, 400));
        QVERIFY(menu);
        QVERIFY(!action(menu, "pageCopyLinkAction"));
        action(menu, "pageSelectAllAction")->trigger();
        menu->close();
        QTRY_VERIFY(current()->selectedText().contains(QStringLiteral("needle")));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    }
};

QTEST_MAIN(TestPageKeys)
#include "tst_pagekeys.moc"
