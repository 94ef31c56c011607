#pragma once

#include <QLabel>

// A label that acts as a link: a left click emits signalClicked().
class Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);

signals:
    void signalClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
