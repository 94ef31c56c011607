#include "shell/globalbosskey.h"

#include "app/settings.h"
#include "dialogs/boxsettingform.h"
#include "shell/singleapplication.h"
#include "shell/bossmute.h"
#include "shell/portalshortcut.h"
#include "shell/windowactivator.h"
#include "shell/x11keygrab.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
QString platform()
{
    return QGuiApplication::platformName();
}
}

GlobalBossKey::GlobalBossKey(QWidget *window, Settings *settings, BossMute *mute)
    : QObject(window)
    , m_window(window)
    , m_settings(settings)
    , m_mute(mute)
{
    // Keys the window's widgets leave come up to the window.
    window->installEventFilter(this);
    if (auto *app = qobject_cast<SingleApplication *>(qApp))
        connect(app, &SingleApplication::signalToggleRequested, this, &GlobalBossKey::toggle);
    if (platform() == QLatin1String("xcb")) {
        m_grab = new X11KeyGrab(this);
        connect(m_grab, &X11KeyGrab::activated, this, &GlobalBossKey::toggle);
    } else {
        m_portal = new PortalShortcut(this);
        connect(m_portal, &PortalShortcut::availabilityKnown, this, &GlobalBossKey::portalAnswered);
        connect(m_portal, &PortalShortcut::bound, this, &GlobalBossKey::portalBound);
        connect(m_portal, &PortalShortcut::activated, this, &GlobalBossKey::toggle);
        m_portal->probe();
    }
    apply();
}

void GlobalBossKey::apply()
{
    m_enabled = m_settings->value(QStringLiteral("bosskey/isuse")).toString() == QLatin1String("yes");
    m_keys = m_settings->value(QStringLiteral("bosskey/keys")).toString();
    m_way = BossKeyRule::decide(m_enabled, platform(), m_portalAvailable, m_keys);
    const QKeySequence chord = BossKeyRule::parse(m_keys);
    if (m_grab) {
        if (m_way != BossKeyRule::Way::X11Grab) {
            m_grab->release();
            settle(BossKeyRule::Failure::None);
            return;
        }
        const X11KeyGrab::Result result = m_grab->grab(chord);
        settle(result == X11KeyGrab::Result::Grabbed  ? BossKeyRule::Failure::None
               : result == X11KeyGrab::Result::Taken ? BossKeyRule::Failure::Taken
                                                     : BossKeyRule::Failure::NotOnKeyboard);
    } else if (m_portal) {
        const QString trigger = m_way == BossKeyRule::Way::Portal ? BossKeyRule::portalTrigger(chord) : QString();
        // The desktop may ask the user at each binding: a key bound or being
        // bound is left as it is.
        if (trigger != m_trigger || m_failure != BossKeyRule::Failure::None) {
            m_trigger = trigger;
            m_failure = BossKeyRule::Failure::None;
            if (trigger.isEmpty())
                m_portal->unbind();
            else
                m_portal->bind(trigger);
        }
        emit changed();
    }
}

void GlobalBossKey::portalAnswered(bool available)
{
    m_portalKnown = true;
    m_portalAvailable = available;
    apply();
}

void GlobalBossKey::portalBound(bool ok)
{
    settle(ok ? BossKeyRule::Failure::None : BossKeyRule::Failure::Refused);
}

void GlobalBossKey::settle(BossKeyRule::Failure failure)
{
    m_failure = failure;
    emit changed();
}

void GlobalBossKey::attach(BoxSettingForm *form)
{
    form->setBossKeyLabel([this](bool enabled, const QString &keys) { return labelFor(enabled, keys); });
    connect(form, &BoxSettingForm::signalSaved, this, &GlobalBossKey::apply);
    connect(this, &GlobalBossKey::changed, form, &BoxSettingForm::showBossKeyWay);
}

QString GlobalBossKey::labelFor(bool enabled, const QString &keyText) const
{
    const BossKeyRule::Way way = BossKeyRule::decide(enabled, platform(), m_portalAvailable, keyText);
    // A failure belongs to the key that was tried; another key may yet work.
    const bool applied = enabled == m_enabled && BossKeyRule::parse(keyText) == BossKeyRule::parse(m_keys);
    return BossKeyRule::label(way, applied ? m_failure : BossKeyRule::Failure::None);
}

bool GlobalBossKey::isLocalKey(int key, Qt::KeyboardModifiers modifiers) const
{
    // The settings as they are now, saved or set by hand.
    return m_settings->value(QStringLiteral("bosskey/isuse")).toString() == QLatin1String("yes")
        && BossKeyRule::isLocalKey(m_settings->value(QStringLiteral("bosskey/keys")).toString(), key, modifiers);
}

void GlobalBossKey::toggle()
{
    if (m_window->isVisible() && !m_window->isMinimized())
        m_mute->hideWindow();
    else
        WindowActivator::bringToFront(m_window);
}

bool GlobalBossKey::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isLocalKey(key->key(), key->modifiers())) {
            m_mute->hideWindow();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
