#include "dialogs/auxwindows.h"

#include "app/backgroundtasks.h"
#include "dialogs/clearcacheform.h"
#include "shell/hometoolbar.h"
#include "shell/mainframe.h"
#include "app/settings.h"
#include "dialogs/skinform.h"
#include "web/tabwidget.h"
#include "shell/toolwindow.h"
#include "dialogs/updateform.h"
#include "dialogs/vipform.h"

#include <QDebug>

AuxWindows::AuxWindows(MainFrame *mainFrame)
    : QObject(mainFrame)
    , m_mainFrame(mainFrame)
{
    TabWidget *tabs = mainFrame->tabWidget();
    connect(tabs, &TabWidget::signalSkinRequested, this,
            [this](const QString &url, const QString &option) { skinForm()->handlerSkinDownload(url, option); });
    connect(tabs, &TabWidget::signalCleanCacheRequested, mainFrame, &MainFrame::handlerClearCache);
    if (HomeToolBar *homeBar = tabs->homeToolBar())
        connect(homeBar, &HomeToolBar::signalCleanCache, mainFrame, &MainFrame::handlerClearCache);
}

SkinForm *AuxWindows::skinForm()
{
    return ToolWindow::kept(m_skin, m_mainFrame);
}

UpdateForm *AuxWindows::updateForm() const
{
    return m_update;
}

ClearCacheForm *AuxWindows::clearCacheForm() const
{
    return m_cache;
}

VipForm *AuxWindows::vipForm() const
{
    return m_vip;
}

void AuxWindows::showSkin()
{
    qDebug() << "showSkinWindow";
    skinForm()->show();
}

void AuxWindows::showUpdate()
{
    // A dialog made now asks at once; one made earlier asks again, so that
    // "检查更新" never shows a stale or failed answer.
    const bool existed = m_update;
    UpdateForm *form = ToolWindow::kept(m_update, m_mainFrame);
    if (existed)
        form->handlerCheckUpdate();
    form->show();
}

void AuxWindows::showClearCache()
{
    const bool existed = m_cache;
    ClearCacheForm *form = ToolWindow::kept(m_cache, m_mainFrame);
    if (existed)
        form->refresh();
    form->show();
}

void AuxWindows::showVip()
{
    if (!m_mainFrame->tabWidget()->checkLogin())
        return;
    // A window made now has just loaded the page with the present cookies.
    const bool existed = m_vip;
    VipForm *form = ToolWindow::kept(m_vip, m_mainFrame);
    if (existed)
        form->reloadVip();
    form->show();
}

void AuxWindows::startUpdateCheck()
{
    Settings *settings = m_mainFrame->settings();
    m_mainFrame->backgroundTasks()->startUpdateCheck(
        settings->value(QStringLiteral("update/isJump")).toBool(),
        settings->value(QStringLiteral("update/version")).toString(), m_mainFrame,
        [this] { m_mainFrame->handlerUpdate(); });
}
