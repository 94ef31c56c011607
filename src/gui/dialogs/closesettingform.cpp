#include "dialogs/closesettingform.h"
#include "ui_closesettingform.h"

#include "app/settings.h"
#include "app/toolwindow.h"

#include <QSystemTrayIcon>

CloseSettingForm::CloseSettingForm(Settings *settings, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::CloseSettingForm)
    , m_settings(settings)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("BoxSettingForm"));
    ToolWindow::setup(this);
    ui->CancenBtn->setCursor(Qt::PointingHandCursor);
    ui->SaveBtn->setCursor(Qt::PointingHandCursor);
    connect(ui->CloseSettingForm_CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->CancenBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->SaveBtn, &QPushButton::clicked, this, &CloseSettingForm::handlerSaveSetting);
}

void CloseSettingForm::showEvent(QShowEvent *event)
{
    const bool tray = QSystemTrayIcon::isSystemTrayAvailable();
    ui->CloseChooseHideRadio->setVisible(tray);
    (tray ? ui->CloseChooseHideRadio : ui->CloseChooseExitRadio)->setChecked(true);
    QWidget::showEvent(event);
}

CloseSettingForm::~CloseSettingForm()
{
    delete ui;
}

void CloseSettingForm::handlerSaveSetting()
{
    Settings *settings = m_settings;
    const QString boot = ui->BootCheckBox->isChecked() ? QStringLiteral("yes") : QStringLiteral("no");
    const QString exitType = ui->CloseChooseExitRadio->isChecked() ? QStringLiteral("exit") : QStringLiteral("tray");
    settings->setValue(QStringLiteral("common/exittype"), exitType);
    settings->setValue(QStringLiteral("common/boot"), boot);
    settings->sync();
    Settings::setAutoStart(boot == QLatin1String("yes"));
    close();
    if (exitType == QLatin1String("tray"))
        emit signalHideToTray();
    else
        emit signalQuit();
}
