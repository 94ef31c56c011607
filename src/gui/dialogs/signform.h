#pragma once

#include <QWidget>

namespace Ui { class SignForm; }

struct AppServices;
class QWebChannel;
class WebView;

// The sign-in calendar of the user logged in. The window is built once and
// then only shown; its page is loaded again only when another user has
// logged in meanwhile. The points mall closes it. The points the calendar
// shows after a sign-in are passed on, since nothing else tells the client.
class SignForm : public QWidget
{
    Q_OBJECT
public:
    SignForm(const AppServices &services, QWebChannel *channel, QWidget *parent);
    ~SignForm() override;

    // The calendar page of that user.
    static QString calendarUrl(const QString &userId);

signals:
    // The points the calendar page shows for the user logged in.
    void signalPointsShown(QString points);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QString currentUserId() const;
    void readPoints(bool loaded);

    Ui::SignForm *ui;
    const AppServices &m_services;
    WebView *m_view = nullptr;
    QString m_userId;
};
