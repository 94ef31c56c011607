#pragma once

#include <QMenu>

// The title bar's main menu: settings, resource use, the sign-in of all accounts, the
// portal's site, update check, about.
class MainMenu : public QMenu
{
    Q_OBJECT
public:
    explicit MainMenu(QWidget *parent = nullptr);

signals:
    void signalSettings();
    void signalResources();
    void signalAllSign();
    void signalCheckUpdate();
    void signalAbout();
};
