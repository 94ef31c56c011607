#pragma once

#include <QMenu>

// The title bar's main menu: settings, resource use, the portal's site, update check, about.
class MainMenu : public QMenu
{
    Q_OBJECT
public:
    explicit MainMenu(QWidget *parent = nullptr);

signals:
    void signalSettings();
    void signalResources();
    void signalCheckUpdate();
    void signalAbout();
};
