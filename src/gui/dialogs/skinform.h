#pragma once

#include <QWidget>

namespace Ui { class SkinForm; }

class QWebChannel;
class Settings;
class SkinInstaller;
class WebView;

// The skin window: the portal's skin list in a view whose page reaches
// "external". A skin chosen there arrives at handlerSkinDownload, is
// installed when it is not yet, applied and remembered in "common/skin".
class SkinForm : public QWidget
{
    Q_OBJECT
public:
    SkinForm(Settings *settings, QWebChannel *channel, QWidget *parent);
    ~SkinForm() override;

    SkinInstaller *installer() const { return m_installer; }

signals:
    void signalClose();
    // A skin to apply to the whole client, already stored in "common/skin".
    void signalApplySkin(const QString &name);

public slots:
    void handlerSkinDownload(QString url, QString skinOption);

private:
    static QString skinPageUrl(const QString &skinName);
    void createView(QWebChannel *channel);
    void applyAndStore(const QString &name);
    void handlerInstalled(const QString &name);
    void handlerFailed(const QString &name);

    Ui::SkinForm *ui;
    Settings *m_settings;
    SkinInstaller *m_installer;
    WebView *m_view = nullptr;
    // The user's latest choice: a skin that arrives after another was chosen is not applied.
    QString m_wanted;
};
