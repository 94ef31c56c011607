#pragma once

#include <QPointer>
#include <QWidget>

namespace Ui { class WebToolBar; }

class QTabWidget;
class WebView;

// The bar over an ordinary web-page tab: back, forward and reload. Back and
// forward act on the current tab's page view.
class WebToolBar : public QWidget
{
    Q_OBJECT
public:
    explicit WebToolBar(QTabWidget *parent = nullptr);
    ~WebToolBar() override;

signals:
    void signalReload();

public slots:
    void handlerBack();
    void handlerAhead();

private:
    // The current tab's page view: the bar acts on the tab shown, not the one it was made for.
    WebView *currentPageView() const;

    Ui::WebToolBar *ui;
    QPointer<QTabWidget> tabWidget;
};
