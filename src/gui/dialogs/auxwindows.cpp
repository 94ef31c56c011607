#include "dialogs/auxwindows.h"

#include "dialogs/allsignform.h"
#include "account/loginservice.h"
#include "web/webengineprofile.h"

#include "web/backgroundtasks.h"
#include "dialogs/clearcacheform.h"
#include "app/appservices.h"
#include "app/settings.h"
#include "dialogs/signform.h"
#include "app/desktopnotifier.h"
#include "dialogs/skinform.h"
#include "web/tabwidget.h"
#include "app/toolwindow.h"
#include "dialogs/updateform.h"
#include "dialogs/vipform.h"

#include <QDebug>

AuxWindows::AuxWindows(const AppServices &services, TabWidget *tabs, QWidget *owner)
    : QObject(owner)
    , m_services(services)
    , m_tabs(tabs)
    , m_owner(owner)
{
    connect(tabs, &TabWidget::signalSkinRequested, this,
            [this](const QString &url, const QString &option) { skinForm()->handlerSkinDownload(url, option); });
    connect(tabs, &TabWidget::signalCleanCacheRequested, this, &AuxWindows::showClearCache);
    connect(tabs, &TabWidget::signalSignRequested, this, &AuxWindows::showSign);
    connect(tabs, &TabWidget::signalPointsShopOpened, this, [this] {
        if (m_sign)
            m_sign->close();
        if (m_allSign)
            m_allSign->close();
    });
}

SkinForm *AuxWindows::skinForm()
{
    if (!m_skin) {
        m_skin = new SkinForm(m_services.settings, m_tabs->webChannel(), m_owner);
        connect(m_skin, &SkinForm::signalApplySkin, this, &AuxWindows::signalApplySkin);
    }
    return m_skin;
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
    UpdateForm *form = ToolWindow::kept(m_update, m_services.settings, m_owner);
    if (existed)
        form->handlerCheckUpdate();
    form->show();
}

void AuxWindows::showClearCache()
{
    const bool existed = m_cache;
    ClearCacheForm *form = ToolWindow::kept(m_cache, m_owner);
    if (existed)
        form->refresh();
    form->show();
}

void AuxWindows::showVip()
{
    if (!m_tabs->checkLogin())
        return;
    // A window made now has just loaded the page with the present cookies.
    const bool existed = m_vip;
    VipForm *form = ToolWindow::kept(m_vip, m_services, m_tabs->webChannel(), m_owner);
    if (existed)
        form->reloadVip();
    form->show();
}

void AuxWindows::startUpdateCheck()
{
    Settings *settings = m_services.settings;
    m_services.tasks->startUpdateCheck(settings->value(QStringLiteral("update/isJump")).toBool(),
                                       settings->value(QStringLiteral("update/version")).toString(), this,
                                       [this] {
                                           showUpdate();
                                           if (m_services.notifier)
                                               m_services.notifier->updateFound();
                                       });
}

void AuxWindows::showSign()
{
    if (!m_sign) {
        m_sign = new SignForm(m_services, m_tabs->webChannel(), m_owner);
        connect(m_sign, &SignForm::signalPointsShown, m_tabs, &TabWidget::showSignInPoints);
    }
    m_sign->show();
}

void AuxWindows::showAllSign()
{
    if (!m_tabs->checkLogin())
        return;
    if (!m_smallLogin) {
        m_smallLogin = new LoginService(LoginService::SmallAccount, m_services.sqlite, this);
        m_smallLogin->setCookieStoreFor(&WebEngineProfile::cookieStoreOf);
    }
    // Made anew each time: the accounts, their logins and their days are those of the moment.
    delete m_allSign;
    m_allSign = new AllSignForm(m_services, m_smallLogin, m_tabs->webChannel(), m_owner);
    m_allSign->start();
    m_allSign->show();
}

AllSignForm *AuxWindows::allSignForm() const
{
    return m_allSign;
}
