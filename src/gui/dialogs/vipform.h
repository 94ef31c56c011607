#pragma once

#include <QWidget>

namespace Ui { class VipForm; }

class QWebChannel;
struct AppServices;
class WebView;

// The VIP privileges page of the logged-in user, reloaded on every opening
// with the cookies of that moment.
class VipForm : public QWidget
{
    Q_OBJECT
public:
    VipForm(const AppServices &services, QWebChannel *channel, QWidget *parent);
    ~VipForm() override;

    void reloadVip();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString vipUrl() const;

    Ui::VipForm *ui;
    const AppServices &m_services;
    WebView *m_view = nullptr;
};
