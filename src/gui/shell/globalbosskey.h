#pragma once

#include "shell/bosskeyrule.h"

#include <QObject>
#include <QString>

class BossMute;
class BoxSettingForm;
class PortalShortcut;
class QWidget;
class Settings;
class X11KeyGrab;

// The boss key. While the window has focus its own key hides it. Beyond the
// window the key is grabbed on X11 or bound through the desktop's portal where
// there is one (BossKeyRule decides), and "KorvoClient --toggle" from a second
// start works on every desktop; each of these shows a hidden or minimized
// window and hides one in view. What applies is said in the settings dialog,
// which asks here.
class GlobalBossKey : public QObject
{
    Q_OBJECT
public:
    GlobalBossKey(QWidget *window, Settings *settings, BossMute *mute);

    BossKeyRule::Way way() const { return m_way; }
    BossKeyRule::Failure failure() const { return m_failure; }
    // Whether the portal's answer to the question if it is there has come.
    bool portalKnown() const { return m_portalKnown; }
    // What the dialog says for the key and switch it shows, saved or not yet.
    QString labelFor(bool enabled, const QString &keyText) const;
    // The settings dialog speaks of this key and its saves are taken up here.
    void attach(BoxSettingForm *form);

public slots:
    // Takes up "bosskey/isuse" and "bosskey/keys" as they are now.
    void apply();
    void toggle();

signals:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The key the window itself answers to while it has focus, by the
    // settings as they are at that moment.
    bool isLocalKey(int key, Qt::KeyboardModifiers modifiers) const;
    void portalAnswered(bool available);
    void portalBound(bool ok);
    void settle(BossKeyRule::Failure failure);

    QWidget *m_window;
    Settings *m_settings;
    BossMute *m_mute;
    X11KeyGrab *m_grab = nullptr;
    PortalShortcut *m_portal = nullptr;
    bool m_portalKnown = false;
    bool m_portalAvailable = false;
    bool m_enabled = false;
    QString m_keys;
    // What the portal was last asked to bind; empty for nothing.
    QString m_trigger;
    BossKeyRule::Way m_way = BossKeyRule::Way::Off;
    BossKeyRule::Failure m_failure = BossKeyRule::Failure::None;
};
