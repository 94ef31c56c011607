#pragma once

#include <QWidget>

namespace Ui { class CloseSettingForm; }

class Settings;

// Asked once, on the first click of the close button: hide to the tray or quit.
class CloseSettingForm : public QWidget
{
    Q_OBJECT
public:
    CloseSettingForm(Settings *settings, QWidget *parent);
    ~CloseSettingForm() override;

signals:
    // The choice is stored; the window that asked carries it out.
    void signalHideToTray();
    void signalQuit();

public slots:
    void handlerSaveSetting();

protected:
    // A desktop without a tray is offered quitting only.
    void showEvent(QShowEvent *event) override;

private:
    Ui::CloseSettingForm *ui;
    Settings *m_settings;
};
