#pragma once

#include <QWidget>

namespace Ui { class VipForm; }

class MainFrame;
class WebView;

// The VIP privileges page of the logged-in user, reloaded on every opening
// with the cookies of that moment.
class VipForm : public QWidget
{
    Q_OBJECT
public:
    explicit VipForm(MainFrame *parent);
    ~VipForm() override;

    void reloadVip();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString vipUrl() const;

    Ui::VipForm *ui;
    MainFrame *mainFrame;
    WebView *m_view = nullptr;
};
