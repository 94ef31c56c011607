#pragma once

#include <QAbstractNativeEventFilter>
#include <QKeySequence>
#include <QObject>

// A key grabbed on the X server's root window: pressed in any program, it
// comes to this client. An X server gives a key to one client only, so a key
// that another program holds already cannot be had.
class X11KeyGrab : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    enum class Result { Grabbed, NotOnKeyboard, Taken };

    explicit X11KeyGrab(QObject *parent = nullptr);
    ~X11KeyGrab() override;

    // Only on an X11 display; a previous grab is let go first.
    Result grab(const QKeySequence &chord);
    void release();

    bool nativeEventFilter(const QByteArray &eventType, void *message, long *result) override;

signals:
    void activated();

private:
    bool grabVariants(bool grab);

    unsigned char m_keycode = 0;
    unsigned short m_modifiers = 0;
    bool m_grabbed = false;
    bool m_held = false;
};
