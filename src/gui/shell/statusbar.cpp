#include "shell/statusbar.h"
#include "ui_statusbar.h"

#include "app/apppaths.h"

#include <QDate>

StatusBar::StatusBar(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::StatusBar)
{
    ui->setupUi(this);
    ui->footNewsLabel->hide();
    ui->footMsgBtn->hide();
    ui->footCopyrightLabel->setText(copyrightText(QDate::currentDate().year()));
    ui->footRestoreBtn->setIcon(QIcon(AppPaths::iconPath(QStringLiteral("icon-refresh-16.png"))));
    ui->footRestoreBtn->hide();
    connect(ui->footRestoreBtn, &QPushButton::clicked, this, [this] {
        showRestoreOffer(false);
        emit signalRestoreGames();
    });
}

void StatusBar::showRestoreOffer(bool shown)
{
    ui->footRestoreBtn->setVisible(shown);
}

StatusBar::~StatusBar()
{
    delete ui;
}

QString StatusBar::copyrightText(int currentYear)
{
    return QStringLiteral("Copyright © 2012-%1 Korvo游戏盒 科沃网络 版权所有").arg(currentYear);
}
