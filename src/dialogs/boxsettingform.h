#pragma once

#include <QWidget>

namespace Ui { class BoxSettingForm; }

class MainFrame;

// The settings dialog: start with the session, what closing does, the boss key.
class BoxSettingForm : public QWidget
{
    Q_OBJECT
public:
    explicit BoxSettingForm(QWidget *parent = nullptr);
    ~BoxSettingForm() override;

signals:
    void signalClearCache();

public slots:
    void handlerSaveSetting();

private:
    void loadSettings();

    Ui::BoxSettingForm *ui;
    MainFrame *m_mainFrame;
};
