#pragma once

#include <QPointer>
#include <QWidget>

class HttpRequest;
class QMessageBox;
class QPushButton;
class TabWidget;

// What the bars over web-game and H5 tabs have in common: the buttons that
// only ask the tab manager for something, muting the game, the link buttons,
// the portal calls and the notice box. A bar names its buttons with a prefix
// ("hostBar_" or none) before the shared names ("RefreshBtn", "VoiceBtn", ...).
class GameToolBar : public QWidget
{
    Q_OBJECT
public:
    ~GameToolBar() override;

signals:
    void signalSmallAccount();
    void signalFullscreen();
    void signalReload();
    void signalBossKey();
    void signalCleanCache();
    void signalScreenhost();

public slots:
    // Mutes or unmutes the game view of the current tab and shows which.
    void handlerAudioMuted();
    // Opens the page of the clicked link button, once the user is logged in.
    void handlerBtnLink();

protected:
    // viewName: the object name of the game view that the voice button mutes.
    GameToolBar(const QString &buttonPrefix, const QString &viewName, QWidget *parent);

    // Called once the form is set up: connects the shared buttons.
    void connectButtons();
    QPushButton *button(const QString &name) const;
    TabWidget *tabWidget() const;
    // Opens the page of a link button; the web-game bar looks some up first.
    virtual void openLink(TabWidget *tabs, const QString &buttonName);

    // A new portal call of one kind, replacing any that is still pending;
    // when it fails, the user is told so. The caller connects its answer.
    HttpRequest *startCall(QPointer<HttpRequest> &pending);
    // The answer came: the bar stops listening and the call's request goes.
    void endCall(QPointer<HttpRequest> &pending);
    void showNotice(const QString &text);

private:
    void showSoundState(bool muted);

    QString m_prefix;
    QString m_viewName;
    QPointer<QMessageBox> m_notice;
};
