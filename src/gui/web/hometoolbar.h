#pragma once

#include <QHash>
#include <QList>
#include <QUrl>
#include <QWidget>

namespace Ui { class HomeToolBar; }

class QPushButton;

// The bar over the home tab: the four home sections, points and balance, and
// the small-account, recharge, service, gift, cache and hide buttons.
class HomeToolBar : public QWidget
{
    Q_OBJECT
public:
    explicit HomeToolBar(QWidget *parent = nullptr);
    ~HomeToolBar() override;

    // Shows a section as selected without asking for it to load; names other
    // than the four section buttons are ignored.
    void selectNavButton(const QString &buttonName);
    // The logged-in account's points and balance.
    void showAccountFigures(const QString &points, const QString &balance);
    void showPoints(const QString &points);
    QString points() const;

    // The portal page (after the root and "/") of a link button, empty for other buttons.
    static QString linkPath(const QString &buttonName);

signals:
    void signalHomePage();
    void signalWebGame();
    void signalMobileGame();
    void signalH5Game();
    void signalBossKey();
    void signalSmallAccount();
    void signalFullScreen();
    void signalCleanCache();
    // A link button's portal page, for a logged-in account.
    void signalPortalPageRequested(QUrl url);

public slots:
    void handlerHomePage();
    void handlerWebGame();
    void handlerMobileGame();
    void handlerH5Game();
    void handlerCommonBtn();

private:
    void connectButtons();
    void buildHighlightStyles();
    void applyToolBarStyle();
    void setCursors();
    void highlight(QPushButton *button);

    Ui::HomeToolBar *ui;
    QHash<QString, QString> m_highlightStyles;   // button name -> style sheet
    QList<QPushButton *> m_navButtons;          // home, web, mobile, H5
    QString m_styleSheet;
};
