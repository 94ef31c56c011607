#pragma once

#include <QObject>
#include <QPointer>

class AllSignForm;
class ClearCacheForm;
class LoginService;
class QWidget;
class TabWidget;
struct AppServices;
class SignForm;
class SkinForm;
class UpdateForm;
class VipForm;

// The main window's auxiliary windows (skins, update, cache cleaning, VIP),
// each made on first use and kept, with what reaches them: the skin choices
// of pages, the clean buttons of the toolbars, and the update check at start.
class AuxWindows : public QObject
{
    Q_OBJECT
public:
    // The windows are made over the owner, with the tab manager's page channel.
    AuxWindows(const AppServices &services, TabWidget *tabs, QWidget *owner);

    void showSkin();
    void showUpdate();
    void showClearCache();
    void showVip();
    // The sign-in calendar; the tab manager has checked the login.
    void showSign();
    // The sign-in calendars of the main account and all its small accounts.
    void showAllSign();
    // Once, after the home views have started loading.
    void startUpdateCheck();

    // The skin window, made (not shown) when a page chooses a skin first.
    SkinForm *skinForm();
    UpdateForm *updateForm() const;
    ClearCacheForm *clearCacheForm() const;
    VipForm *vipForm() const;
    AllSignForm *allSignForm() const;

signals:
    // A skin chosen in the skin window, stored; the owner applies it.
    void signalApplySkin(const QString &name);

private:
    const AppServices &m_services;
    TabWidget *m_tabs;
    QWidget *m_owner;
    QPointer<SkinForm> m_skin;
    QPointer<UpdateForm> m_update;
    QPointer<ClearCacheForm> m_cache;
    QPointer<VipForm> m_vip;
    QPointer<SignForm> m_sign;
    QPointer<AllSignForm> m_allSign;
    // Logs the small accounts of the all-accounts window in.
    LoginService *m_smallLogin = nullptr;
};
