#include "dialogs/boxsettingform.h"
#include "ui_boxsettingform.h"

#include "app/extras.h"
#include "app/settings.h"
#include "app/toolwindow.h"
#include "shell/bosskeyrule.h"

#include <QSystemTrayIcon>

#include <QGuiApplication>

BoxSettingForm::BoxSettingForm(Settings *settings, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::BoxSettingForm)
    , m_settings(settings)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("BoxSettingForm"));
    ToolWindow::setup(this);
    ui->DownFrame->hide();
    ui->line_3->hide();
    for (QWidget *button : {ui->ClearCacheBtn, ui->CancenBtn, ui->SaveBtn})
        button->setCursor(Qt::PointingHandCursor);

    connect(ui->closeBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->CancenBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->SaveBtn, &QPushButton::clicked, this, &BoxSettingForm::handlerSaveSetting);
    connect(ui->ClearCacheBtn, &QPushButton::clicked, this, &BoxSettingForm::signalClearCache);
    connect(ui->BossKeyCheckBox, &QCheckBox::stateChanged, this,
            [this](int state) { ui->BossKeyEdit->setEnabled(state == Qt::Checked); });
    connect(ui->BossKeyCheckBox, &QCheckBox::toggled, this, &BoxSettingForm::showBossKeyWay);
    connect(ui->BossKeyEdit, &QLineEdit::textChanged, this, &BoxSettingForm::showBossKeyWay);
    connect(ui->MemoryCeilingCheckBox, &QCheckBox::toggled, ui->MemoryCeilingSpinBox, &QWidget::setEnabled);
    loadSettings();
    // The key means what the field shows, so it can be changed while switched on.
    ui->BossKeyEdit->setEnabled(ui->BossKeyCheckBox->isChecked());
    showBossKeyWay();
}

BoxSettingForm::~BoxSettingForm()
{
    delete ui;
}

void BoxSettingForm::showEvent(QShowEvent *event)
{
    // Without a tray hiding to it is not offered; a "tray" already saved stays
    // (the close button minimizes meanwhile) for when a tray comes back.
    ui->CloseChooseHideRadio->setVisible(QSystemTrayIcon::isSystemTrayAvailable());
    QWidget::showEvent(event);
}

void BoxSettingForm::loadSettings()
{
    Settings *settings = m_settings;
    ui->BootCheckBox->setChecked(settings->value(QStringLiteral("common/boot")).toString() == QLatin1String("yes"));
    if (settings->value(QStringLiteral("common/exittype")).toString() == QLatin1String("tray"))
        ui->CloseChooseHideRadio->setChecked(true);
    else
        ui->CloseChooseExitRadio->setChecked(true);
    const bool bossKey = settings->value(QStringLiteral("bosskey/isuse")).toString() == QLatin1String("yes");
    ui->BossKeyCheckBox->setChecked(bossKey);
    if (bossKey)
        ui->BossKeyEdit->setText(settings->value(QStringLiteral("bosskey/keys")).toString());
    for (int i = 0; i < Extras::FeatureCount; ++i)
        extraCheckBox(i)->setChecked(Extras::enabled(settings, Extras::Feature(i)));
    ui->MemoryCeilingSpinBox->setValue(settings->memoryCeilingSizeMiB());
    ui->MemoryCeilingCheckBox->setChecked(settings->memoryCeilingOn());
    ui->MemoryCeilingSpinBox->setEnabled(ui->MemoryCeilingCheckBox->isChecked());
}

void BoxSettingForm::showBossKeyWay()
{
    const bool enabled = ui->BossKeyCheckBox->isChecked();
    const QString keys = ui->BossKeyEdit->text();
    ui->BossKeyWayLabel->setText(
        m_bossKeyLabel ? m_bossKeyLabel(enabled, keys)
                  : BossKeyRule::label(BossKeyRule::decide(enabled, QGuiApplication::platformName(), false, keys),
                                       BossKeyRule::Failure::None));
}

void BoxSettingForm::setBossKeyLabel(BossKeyLabel label)
{
    m_bossKeyLabel = std::move(label);
    showBossKeyWay();
}

QCheckBox *BoxSettingForm::extraCheckBox(int feature) const
{
    // In the order of Extras::Feature.
    QCheckBox *const boxes[Extras::FeatureCount] = {ui->CrashReloadCheckBox, ui->BossMuteCheckBox,
                                                    ui->ResourcesCheckBox, ui->RestoreGamesCheckBox,
                                                    ui->ShortcutsCheckBox, ui->BackgroundPlayCheckBox};
    return boxes[feature];
}

void BoxSettingForm::handlerSaveSetting()
{
    Settings *settings = m_settings;
    const QString boot = ui->BootCheckBox->isChecked() ? QStringLiteral("yes") : QStringLiteral("no");
    const QString exitType = ui->CloseChooseExitRadio->isChecked() ? QStringLiteral("exit") : QStringLiteral("tray");
    QString isUse = QStringLiteral("no");
    if (ui->BossKeyCheckBox->isChecked()) {
        isUse = QStringLiteral("yes");
        settings->setValue(QStringLiteral("bosskey/keys"), ui->BossKeyEdit->text());
    }
    settings->setValue(QStringLiteral("bosskey/isuse"), isUse);
    settings->setValue(QStringLiteral("common/exittype"), exitType);
    settings->setValue(QStringLiteral("common/boot"), boot);
    Settings::setAutoStart(boot == QLatin1String("yes"));
    for (int i = 0; i < Extras::FeatureCount; ++i)
        Extras::setEnabled(settings, Extras::Feature(i), extraCheckBox(i)->isChecked());
    settings->setMemoryCeiling(ui->MemoryCeilingCheckBox->isChecked(), ui->MemoryCeilingSpinBox->value());
    settings->sync();
    emit signalSaved();
    close();
}
