#pragma once

#include "net/identity.h"

#include <QPointer>
#include <QWidget>

namespace Ui { class SmallLeftBarForm; }

class QMessageBox;
class LoginService;
class TabWidget;
class WebView;

// The side bar of a game tab: the main account's small accounts as avatar
// tiles over a recommendation page. A click on a tile logs that account in
// and opens the current tab's game again, in a new tab played by it in its
// own web profile; the main account stays logged in. Hidden (width 0) until
// its toolbar button opens it.
class SmallLeftBarForm : public QWidget
{
    Q_OBJECT
public:
    static constexpr int openWidth = 210;

    // The side bar of one of the tab manager's game tabs.
    explicit SmallLeftBarForm(TabWidget *tabs, QWidget *parent = nullptr);
    ~SmallLeftBarForm() override;

    // Rebuilds the tiles from the account store.
    void refreshAccountList();
    // Shows the side bar; the recommendation page loads on the first opening.
    void open();
    LoginService *login() const { return m_login; }

public slots:
    void smallLogin(int row, int column);
    void handlerLoginResult(Identity who);

private:
    void setupTable();
    QWidget *newTile(const QString &userName);
    void loadRecommendations();
    void showNotice(const QString &text);
    QWidget *ownTab(TabWidget *tabs) const;

    Ui::SmallLeftBarForm *ui;
    TabWidget *m_tabs;
    LoginService *m_login = nullptr;
    QPointer<WebView> m_recommendations;
    QPointer<QMessageBox> m_notice;
};
