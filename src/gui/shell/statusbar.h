#pragma once

#include <QWidget>

class QTimer;

namespace Ui { class StatusBar; }

// The footer of the main window with the publisher's notice, after a login
// the offer to reopen the games of the last session, and short notices of
// what the client did on its own.
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

    // Shows text as it stands (never as markup) for a while; a newer notice replaces it.
    void showNotice(const QString &text);
    QString notice() const;

signals:
    void signalRestoreGames();

private:
    Ui::StatusBar *ui;
    QTimer *m_noticeTimer;
};
