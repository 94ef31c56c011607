#pragma once

#include <QWidget>

#include <functional>

namespace Ui { class BoxSettingForm; }

class QCheckBox;
class Settings;

// The settings dialog: start with the session, what closing does, the boss key,
// the optional additions.
class BoxSettingForm : public QWidget
{
    Q_OBJECT
public:
    // What the dialog says of the boss key it shows: which way it applies on
    // this desktop, for that switch and key text.
    using BossKeyLabel = std::function<QString(bool enabled, const QString &keys)>;

    // Reads and writes the given settings.
    BoxSettingForm(Settings *settings, QWidget *parent);
    ~BoxSettingForm() override;

    // Without one (a dialog on its own) the rule alone speaks, knowing no portal.
    void setBossKeyLabel(BossKeyLabel label);

signals:
    void signalClearCache();
    // The settings were saved: whoever carries them out takes them up.
    void signalSaved();

public slots:
    void handlerSaveSetting();
    // Which way the key being shown applies, as it is edited.
    void showBossKeyWay();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void loadSettings();
    // The check box of an Extras::Feature.
    QCheckBox *extraCheckBox(int feature) const;

    Ui::BoxSettingForm *ui;
    Settings *m_settings;
    BossKeyLabel m_bossKeyLabel;
};
