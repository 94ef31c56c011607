#include "dialogs/aboutform.h"
#include "ui_aboutform.h"

#include "app/apppaths.h"
#include "shell/iconpixmap.h"
#include "app/toolwindow.h"

#include <QDate>

AboutForm::AboutForm(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::AboutForm)
{
    ui->setupUi(this);
    ToolWindow::setup(this);
    connect(ui->CloseButton, &QPushButton::clicked, this, &AboutForm::CloseForm);
    connect(ui->SureButton, &QPushButton::clicked, this, &AboutForm::CloseForm);
    ui->SureButton->setCursor(Qt::PointingHandCursor);

    ui->TitleLabel->setText(QStringLiteral("关于") + QStringLiteral("Korvo游戏盒"));
    setWindowTitle(ui->TitleLabel->text());
    ui->title->setText(QStringLiteral("Korvo游戏盒"));
    ui->level->setText(QStringLiteral("当前版本:") + AppPaths::clientVersion());
    ui->company->setText(QStringLiteral("© 2012-%1 科沃网络").arg(QDate::currentDate().year()));
    ui->logo->setScaledContents(false);
    ui->logo->setPixmap(
        IconPixmap::load(AppPaths::iconPath(QStringLiteral("logo-2.png")), ui->logo->size(), devicePixelRatioF()));
    resize(425, 235);
}

AboutForm::~AboutForm()
{
    delete ui;
}

void AboutForm::CloseForm()
{
    close();
}
