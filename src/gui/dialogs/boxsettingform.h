#pragma once

#include <QWidget>

namespace Ui { class BoxSettingForm; }

class MainFrame;
class QCheckBox;

// The settings dialog: start with the session, what closing does, the boss key,
// the optional additions.
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

protected:
    void showEvent(QShowEvent *event) override;

private:
    void loadSettings();
    // The check box of an Extras::Feature.
    QCheckBox *extraCheckBox(int feature) const;

    Ui::BoxSettingForm *ui;
    MainFrame *m_mainFrame;
};
