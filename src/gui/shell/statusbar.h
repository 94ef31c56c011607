#pragma once

#include <QWidget>

namespace Ui { class StatusBar; }

// The footer of the main window with the publisher's notice and, after a
// login, the offer to reopen the games of the last session.
class StatusBar : public QWidget
{
    Q_OBJECT
public:
    explicit StatusBar(QWidget *parent = nullptr);
    ~StatusBar() override;

    // "Copyright © 2012-<year> ..." for the given year.
    static QString copyrightText(int currentYear);

    // Shows or hides "恢复上次的游戏"; a click hides it again.
    void showRestoreOffer(bool shown);

signals:
    void signalRestoreGames();

private:
    Ui::StatusBar *ui;
};
