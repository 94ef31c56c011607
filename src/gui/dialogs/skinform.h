#pragma once

#include <QWidget>

namespace Ui { class SkinForm; }

class MainFrame;
class SkinInstaller;
class WebView;

// The skin window: the portal's skin list in a view whose page reaches
// "external". A skin chosen there arrives at handlerSkinDownload, is
// installed when it is not yet, applied and remembered in "common/skin".
class SkinForm : public QWidget
{
    Q_OBJECT
public:
    explicit SkinForm(QWidget *parent = nullptr);
    ~SkinForm() override;

    SkinInstaller *installer() const { return m_installer; }

signals:
    void signalClose();

public slots:
    void handlerSkinDownload(QString url, QString skinOption);

private:
    static QString skinPageUrl(const QString &skinName);
    void createView();
    void applyAndStore(const QString &name);
    void handlerInstalled(const QString &name);
    void handlerFailed(const QString &name);

    Ui::SkinForm *ui;
    MainFrame *m_mainFrame;
    SkinInstaller *m_installer;
    WebView *m_view = nullptr;
    // The user's latest choice: a skin that arrives after another was chosen is not applied.
    QString m_wanted;
};
