#pragma once

#include <QWidget>

namespace Ui { class BoxSettingForm; }

class QCheckBox;
class Settings;

// The settings dialog: start with the session, what closing does, the boss key,
// the optional additions.
class BoxSettingForm : public QWidget
{
    Q_OBJECT
public:
    // Reads and writes the given settings; nothing else.
    BoxSettingForm(Settings *settings, QWidget *parent);
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
    Settings *m_settings;
};
