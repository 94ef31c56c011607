#pragma once

#include <QWidget>

namespace Ui { class BoxSettingForm; }

class GlobalBossKey;
class QCheckBox;
class Settings;

// The settings dialog: start with the session, what closing does, the boss key,
// the optional additions.
class BoxSettingForm : public QWidget
{
    Q_OBJECT
public:
    // Reads and writes the given settings; the boss key, where given, says
    // which way the key applies on this desktop and takes up a saved key.
    BoxSettingForm(Settings *settings, QWidget *parent, GlobalBossKey *bossKey = nullptr);
    ~BoxSettingForm() override;

signals:
    void signalClearCache();

public slots:
    void handlerSaveSetting();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void loadSettings();
    // Which way the key being shown applies, as it is edited.
    void showBossKeyWay();
    // The check box of an Extras::Feature.
    QCheckBox *extraCheckBox(int feature) const;

    Ui::BoxSettingForm *ui;
    Settings *m_settings;
    GlobalBossKey *m_bossKey;
};
