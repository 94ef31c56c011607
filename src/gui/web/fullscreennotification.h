#pragma once

#include <QPushButton>

// The button that floats over a game view in full screen and brings it back
// into its tab, by a click or Escape.
class FullScreenNotification : public QPushButton
{
    Q_OBJECT
public:
    explicit FullScreenNotification(QWidget *parent = nullptr);

    // Centred at the top of a screen of that width.
    static QRect placement(int screenWidth);

public slots:
    void handlerExitFullscreen();

protected:
    void keyReleaseEvent(QKeyEvent *event) override;
};
