#include "shell/x11keygrab.h"

#include <QCoreApplication>
#include <QX11Info>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <iterator>

namespace {
// Caps Lock and Num Lock must not stop the key: it is grabbed with each.
const unsigned short kLockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

KeySym keysymOf(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return KeySym(XK_a + (key - Qt::Key_A));
    // Qt's codes for the other printable ASCII keys are their keysyms.
    if (key >= 0x20 && key <= 0x7e)
        return KeySym(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return KeySym(XK_F1 + (key - Qt::Key_F1));
    static const std::pair<int, KeySym> special[] = {
        {Qt::Key_Escape, XK_Escape}, {Qt::Key_Tab, XK_Tab}, {Qt::Key_Backspace, XK_BackSpace},
        {Qt::Key_Return, XK_Return}, {Qt::Key_Enter, XK_KP_Enter}, {Qt::Key_Insert, XK_Insert},
        {Qt::Key_Delete, XK_Delete}, {Qt::Key_Pause, XK_Pause}, {Qt::Key_Print, XK_Print},
        {Qt::Key_Home, XK_Home}, {Qt::Key_End, XK_End}, {Qt::Key_Left, XK_Left}, {Qt::Key_Up, XK_Up},
        {Qt::Key_Right, XK_Right}, {Qt::Key_Down, XK_Down}, {Qt::Key_PageUp, XK_Prior},
        {Qt::Key_PageDown, XK_Next}, {Qt::Key_ScrollLock, XK_Scroll_Lock}};
    for (const auto &[qtKey, keysym] : special) {
        if (qtKey == key)
            return keysym;
    }
    return NoSymbol;
}

unsigned short x11Modifiers(int combined)
{
    unsigned short mask = 0;
    if (combined & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (combined & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (combined & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (combined & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}
}

X11KeyGrab::X11KeyGrab(QObject *parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11KeyGrab::~X11KeyGrab()
{
    release();
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

X11KeyGrab::Result X11KeyGrab::grab(const QKeySequence &chord)
{
    release();
    if (!QX11Info::isPlatformX11() || chord.isEmpty())
        return Result::NotOnKeyboard;
    const int combined = chord[0];
    const KeySym keysym = keysymOf(combined & ~int(Qt::KeyboardModifierMask));
    const KeyCode keycode = keysym == NoSymbol ? 0 : XKeysymToKeycode(QX11Info::display(), keysym);
    if (keycode == 0)
        return Result::NotOnKeyboard;
    m_keycode = keycode;
    m_modifiers = x11Modifiers(combined);
    if (!grabVariants(true)) {
        grabVariants(false);
        return Result::Taken;
    }
    m_grabbed = true;
    return Result::Grabbed;
}

void X11KeyGrab::release()
{
    if (m_grabbed)
        grabVariants(false);
    m_grabbed = false;
}

// All requests first, then their answers: one round trip for the lot.
bool X11KeyGrab::grabVariants(bool grab)
{
    xcb_connection_t *connection = QX11Info::connection();
    const xcb_window_t root = QX11Info::appRootWindow();
    xcb_void_cookie_t cookies[std::size(kLockVariants)];
    for (size_t i = 0; i < std::size(kLockVariants); ++i) {
        const uint16_t modifiers = m_modifiers | kLockVariants[i];
        cookies[i] = grab ? xcb_grab_key_checked(connection, 1, root, modifiers, m_keycode, XCB_GRAB_MODE_ASYNC,
                                                 XCB_GRAB_MODE_ASYNC)
                          : xcb_ungrab_key_checked(connection, m_keycode, root, modifiers);
    }
    bool all = true;
    for (const xcb_void_cookie_t &cookie : cookies) {
        if (xcb_generic_error_t *error = xcb_request_check(connection, cookie)) {
            all = false;
            std::free(error);
        }
    }
    return all;
}

bool X11KeyGrab::nativeEventFilter(const QByteArray &eventType, void *message, long *result)
{
    Q_UNUSED(result);
    if (!m_grabbed || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & ~0x80;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    // Press and release events have the same layout.
    const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event);
    if (key->detail != m_keycode)
        return false;
    if (type == XCB_KEY_RELEASE) {
        m_held = false;
        return false;
    }
    // The state also carries the mouse buttons held and the lock keys.
    const uint16_t keyboard = 0xff & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2);
    if ((key->state & keyboard) != m_modifiers)
        return false;
    // A key held down repeats its press: one toggle per press.
    if (!m_held)
        emit activated();
    m_held = true;
    return true;
}
