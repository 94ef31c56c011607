#include "web/tabcrashguard.h"

#include "app/apppaths.h"
#include "app/extras.h"
#include "app/settings.h"
#include "app/desktopnotifier.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineView>

TabCrashGuard::TabCrashGuard(QWebEngineView *view, Settings *settings, DesktopNotifier *notifier)
    : QObject(view)
    , m_view(view)
    , m_settings(settings)
    , m_notifier(notifier)
{
    m_clock.start();
    m_reloadTimer.setSingleShot(true);
    m_reloadTimer.setInterval(CrashRecovery::kReloadDelayMs);
    connect(&m_reloadTimer, &QTimer::timeout, this, [this] {
        const QString title = m_view->title();
        reload();
        if (m_notifier)
            m_notifier->tabCameBack(title);
    });
    connect(view->page(), &QWebEnginePage::renderProcessTerminated, this, &TabCrashGuard::handleTermination);
    view->installEventFilter(this);
}

void TabCrashGuard::handleTermination(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode)
{
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    if (!Extras::enabled(m_settings, Extras::CrashReload))
        return;
    const QUrl address = m_view->url().isEmpty() ? m_view->page()->requestedUrl() : m_view->url();
    const bool byItself = m_recovery.crashed(m_clock.elapsed(), address.toString()) == CrashRecovery::ReloadByItself;
    showNotice(CrashRecovery::reason(int(status), exitCode), byItself);
    if (byItself)
        m_reloadTimer.start();
}

void TabCrashGuard::createNotice()
{
    m_notice = new QWidget(m_view);
    m_notice->setObjectName(QStringLiteral("crashNotice"));
    m_notice->setAttribute(Qt::WA_StyledBackground);
    m_notice->setStyleSheet(QStringLiteral("#crashNotice{background:#f4f5f7;}"
                                           "#crashTitle{font-size:20px;color:#333;}"
                                           "#crashReason,#crashHint{color:#666;}"));
    auto *layout = new QVBoxLayout(m_notice);
    layout->setAlignment(Qt::AlignCenter);
    layout->setSpacing(12);
    auto *title = new QLabel(QStringLiteral("页面已崩溃"), m_notice);
    title->setObjectName(QStringLiteral("crashTitle"));
    m_reason = new QLabel(m_notice);
    m_reason->setObjectName(QStringLiteral("crashReason"));
    m_hint = new QLabel(m_notice);
    m_hint->setObjectName(QStringLiteral("crashHint"));
    auto *button = new QPushButton(QIcon(AppPaths::iconPath(QStringLiteral("icon-refresh-16.png"))),
                                   QStringLiteral("重新加载"), m_notice);
    button->setObjectName(QStringLiteral("crashReloadButton"));
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumSize(120, 32);
    connect(button, &QPushButton::clicked, this, &TabCrashGuard::reload);
    for (QWidget *item : {static_cast<QWidget *>(title), static_cast<QWidget *>(m_reason),
                          static_cast<QWidget *>(m_hint), static_cast<QWidget *>(button)})
        layout->addWidget(item, 0, Qt::AlignHCenter);
}

void TabCrashGuard::showNotice(const QString &reason, bool reloadsByItself)
{
    if (!m_notice)
        createNotice();
    m_reason->setText(reason);
    m_hint->setText(reloadsByItself ? QStringLiteral("3 秒后自动重新加载")
                                    : QStringLiteral("页面多次崩溃,请点击重新加载"));
    m_notice->setGeometry(m_view->rect());
    m_notice->show();
    m_notice->raise();
}

void TabCrashGuard::reload()
{
    m_reloadTimer.stop();
    if (m_notice)
        m_notice->hide();
    // A page that crashed before its first address committed has no URL to reload.
    if (m_view->url().isEmpty())
        m_view->load(m_view->page()->requestedUrl());
    else
        m_view->reload();
}

bool TabCrashGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && m_notice && m_notice->isVisible()) {
        // The engine adds a new drawing surface for a new render process; the notice stays on top.
        if (event->type() == QEvent::Resize)
            m_notice->setGeometry(m_view->rect());
        else if (event->type() == QEvent::ChildAdded)
            m_notice->raise();
    }
    return QObject::eventFilter(watched, event);
}
