#pragma once

#include <QWidget>

namespace Ui { class CloseSettingForm; }

class MainFrame;

// Asked once, on the first click of the close button: hide to the tray or quit.
class CloseSettingForm : public QWidget
{
    Q_OBJECT
public:
    explicit CloseSettingForm(QWidget *parent = nullptr);
    ~CloseSettingForm() override;

public slots:
    void handlerSaveSetting();

protected:
    // A desktop without a tray is offered quitting only.
    void showEvent(QShowEvent *event) override;

private:
    Ui::CloseSettingForm *ui;
    MainFrame *m_mainFrame;
};
