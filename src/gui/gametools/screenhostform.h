#pragma once

#include <QPointer>
#include <QWidget>

namespace Ui { class ScreenhostForm; }

class QMessageBox;
class ScreenshotShare;
class TabWidget;

// The share window of the game toolbars' screenshot button: a picture of the
// current game, a comment of at most 140 characters, and the send button that
// puts both on the portal's feed. One per tab manager, kept for later uses.
class ScreenhostForm : public QWidget
{
    Q_OBJECT
public:
    // Shares a picture of the tab manager's current tab as the main account.
    explicit ScreenhostForm(TabWidget *tabs);
    ~ScreenhostForm() override;

    // Captures the tab manager's current tab into the form and shows it.
    static void showFor(TabWidget *tabs);
    // Takes the screenshot of a tab page; false when there is no usable picture.
    bool capture(QWidget *page);
    ScreenshotShare *share() const { return m_share; }

public slots:
    void handlerDynamicPublic();
    void uploadImage();
    void handlerUploadImageFinished();
    void handlerDynamicPublicResult();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void countCharacters();
    void handlerFailed(const QString &message);

    Ui::ScreenhostForm *ui;
    TabWidget *m_tabs;
    ScreenshotShare *m_share;
    QPointer<QMessageBox> m_notice;
};
