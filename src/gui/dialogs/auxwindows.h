#pragma once

#include <QObject>
#include <QPointer>

class ClearCacheForm;
class MainFrame;
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
    explicit AuxWindows(MainFrame *mainFrame);

    void showSkin();
    void showUpdate();
    void showClearCache();
    void showVip();
    // Once, after the home views have started loading.
    void startUpdateCheck();

    // The skin window, made (not shown) when a page chooses a skin first.
    SkinForm *skinForm();
    UpdateForm *updateForm() const;
    ClearCacheForm *clearCacheForm() const;
    VipForm *vipForm() const;

private:
    MainFrame *m_mainFrame;
    QPointer<SkinForm> m_skin;
    QPointer<UpdateForm> m_update;
    QPointer<ClearCacheForm> m_cache;
    QPointer<VipForm> m_vip;
};
