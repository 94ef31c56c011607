#pragma once

#include <QWidget>

namespace Ui { class SignForm; }

class MainFrame;
class QWebChannel;
class WebView;

// The sign-in calendar of the user logged in when the window was built. It
// is built once and then only shown; the points mall closes it.
class SignForm : public QWidget
{
    Q_OBJECT
public:
    SignForm(QWebChannel *channel, QWidget *parent = nullptr);
    ~SignForm() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Ui::SignForm *ui;
    MainFrame *mainFrame;
    WebView *m_view = nullptr;
};
