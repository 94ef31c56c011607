#pragma once

#include <QObject>

// Frameless tool windows (login, settings, about, ...) have no window manager
// decoration to place them; without this they open in the screen's corner.
// Installed once on the application, it centres every tool window and notice
// box over the window it belongs to each time it is shown.
class WindowPlacer : public QObject
{
    Q_OBJECT
public:
    explicit WindowPlacer(QObject *parent = nullptr);

    static QPoint centeredPosition(const QRect &owner, const QSize &size);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
