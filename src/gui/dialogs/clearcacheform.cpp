#include "dialogs/clearcacheform.h"
#include "ui_clearcacheform.h"

#include "app/apppaths.h"
#include "shell/iconpixmap.h"
#include "dialogs/cachedirectory.h"
#include "app/toolwindow.h"
#include "web/webengineprofile.h"

#include <QThread>

#include <memory>

ClearCacheForm::ClearCacheForm(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ClearCacheForm)
    , m_cacheDir(CacheDirectory::path())
{
    ui->setupUi(this);
    ToolWindow::setup(this);
    ui->clearButton->setCursor(Qt::PointingHandCursor);
    ui->CloseButton->setCursor(Qt::PointingHandCursor);
    connect(ui->CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->clearButton, &QPushButton::clicked, this, &ClearCacheForm::handlerClearWebCache);
    ui->label_2->setPixmap(IconPixmap::load(AppPaths::iconPath(QStringLiteral("icon-clear-cache-1.png")),
                                            ui->label_2->size(), devicePixelRatioF()));
    refresh();
}

ClearCacheForm::~ClearCacheForm()
{
    // A window closed while it measures: its finished() never reaches the
    // window again, so the thread is ended and freed here.
    if (m_work) {
        m_work->wait();
        delete m_work;
    }
    delete ui;
}

void ClearCacheForm::runAside(const std::function<qint64()> &work, const std::function<void(qint64)> &done)
{
    ui->clearButton->setEnabled(false);
    auto result = std::make_shared<qint64>(0);
    m_work = QThread::create([work, result] { *result = work(); });
    connect(m_work, &QThread::finished, this, [this, done, result] {
        m_work->deleteLater();
        m_work = nullptr;
        ui->clearButton->setEnabled(true);
        done(*result);
        emit signalSizeShown();
    });
    m_work->start(QThread::LowPriority);
}

void ClearCacheForm::showSize(qint64 bytes)
{
    ui->cachesizeLabel->setText(CacheDirectory::sizeText(bytes));
}

void ClearCacheForm::refresh()
{
    ui->tipLabel->hide();
    ui->tipTextLabel->hide();
    if (m_work)
        return;
    ui->cachesizeLabel->setText(QStringLiteral("计算中…"));
    const QString dir = m_cacheDir;
    runAside([dir] { return CacheDirectory::size(dir); },
             [this](qint64 size) {
                 m_sizeBefore = size;
                 showSize(size);
             });
}

QStringList ClearCacheForm::keptFolders()
{
    // The main account's login stays, whether or not its profile is open.
    QStringList kept{WebEngineProfile::storageFolder(QStringLiteral("default"))};
    for (WebEngineProfile *profile : WebEngineProfile::liveProfiles())
        kept << profile->storageName();
    return kept;
}

void ClearCacheForm::handlerClearWebCache()
{
    if (m_work)
        return;
    // The engine's own HTTP cache clearing starts the profile's network anew,
    // which drops its session cookies: every open page would lose its login.
    // The cache entries of live profiles are deleted from disk instead.
    for (WebEngineProfile *profile : WebEngineProfile::liveProfiles())
        profile->clearAllVisitedLinks();
    const QString dir = m_cacheDir;
    const QStringList kept = keptFolders();
    ui->cachesizeLabel->setText(QStringLiteral("清理中…"));
    runAside(
        [dir, kept] {
            CacheDirectory::emptyProfilesExcept(dir, kept);
            for (const QString &folder : kept)
                CacheDirectory::emptyHttpCache(dir + QLatin1Char('/') + folder);
            return CacheDirectory::size(dir);
        },
        [this](qint64 size) {
            m_sizeAfter = size;
            showSize(size);
            ui->tipLabel->setText(CacheDirectory::sizeText(qMax<qint64>(0, m_sizeBefore - m_sizeAfter)));
            ui->tipLabel->show();
            ui->tipTextLabel->show();
        });
}
