#include "dialogs/skinform.h"
#include "ui_skinform.h"

#include "app/noticebox.h"
#include "net/portal.h"
#include "app/settings.h"
#include "dialogs/skininstaller.h"
#include "app/skinstyle.h"
#include "app/toolwindow.h"
#include "web/webengineprofile.h"
#include "web/webview.h"

#include <QDebug>
#include <QDir>
#include <QVBoxLayout>

SkinForm::SkinForm(Settings *settings, QWebChannel *channel, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SkinForm)
    , m_settings(settings)
    , m_installer(new SkinInstaller(this))
{
    ui->setupUi(this);
    ToolWindow::setup(this);
    ui->CloseButton->setCursor(Qt::PointingHandCursor);
    connect(ui->CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_installer, &SkinInstaller::signalInstalled, this, &SkinForm::handlerInstalled);
    connect(m_installer, &SkinInstaller::signalFailed, this, &SkinForm::handlerFailed);
    QDir().mkpath(SkinStyle::themesDirectory());
    createView(channel);
}

SkinForm::~SkinForm()
{
    delete ui;
}

QString SkinForm::skinPageUrl(const QString &skinName)
{
    const QString code = SkinStyle::isDefault(skinName) ? QString() : skinName;
    return Portal::webPage(QStringLiteral("skin")) + QStringLiteral("&v2&skin_code=") + code;
}

void SkinForm::createView(QWebChannel *channel)
{
    const QString skin = m_settings->value(QStringLiteral("common/skin")).toString();
    // The main account's profile: the page knows who is choosing.
    m_view = WebView::createView(skinPageUrl(skin), WebEngineProfile::profileFor(QStringLiteral("default")),
                                 channel);
    m_view->setObjectName(QStringLiteral("skinWebView"));
    auto *layout = new QVBoxLayout(ui->BrowseFrame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

void SkinForm::handlerSkinDownload(QString url, QString skinOption)
{
    QDir().mkpath(SkinStyle::themesDirectory());
    if (skinOption == QLatin1String("default")) {
        m_wanted = QStringLiteral("default");
        applyAndStore(m_wanted);
        return;
    }
    m_wanted = SkinStyle::nameFromPackageUrl(QUrl(url));
    m_installer->install(QUrl(url));
}

void SkinForm::applyAndStore(const QString &name)
{
    m_settings->setValue(QStringLiteral("common/skin"), name);
    emit signalApplySkin(name);
    // The list marks the skin in use.
    if (m_view)
        m_view->load(QUrl(skinPageUrl(name)));
}

void SkinForm::handlerInstalled(const QString &name)
{
    if (name == m_wanted)
        applyAndStore(name);
}

void SkinForm::handlerFailed(const QString &name)
{
    if (name != m_wanted)
        return;
    QWidget *owner = isVisible() ? this : parentWidget();
    if (owner)
        NoticeBox::show(owner, QStringLiteral("皮肤下载失败，请稍后再试"));
}
