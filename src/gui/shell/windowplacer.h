#pragma once

#include <QObject>

// Dialogs (login, settings, about, ...) and notice boxes open centred over the
// window they belong to, each time they are shown: a window manager would
// otherwise put a frameless dialog wherever it puts new windows. Installed
// once on the application; where the platform keeps placement to itself
// (Wayland), the compositor places them over their owner instead.
class WindowPlacer : public QObject
{
    Q_OBJECT
public:
    explicit WindowPlacer(QObject *parent = nullptr);

    static QPoint centeredPosition(const QRect &owner, const QSize &size);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
