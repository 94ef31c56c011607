#include "statusbar.h"
#include "ui_statusbar.h"

#include <QDate>

StatusBar::StatusBar(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::StatusBar)
{
    ui->setupUi(this);
    ui->footNewsLabel->hide();
    ui->footMsgBtn->hide();
    ui->footCopyrightLabel->setText(copyrightText(QDate::currentDate().year()));
}

StatusBar::~StatusBar()
{
    delete ui;
}

QString StatusBar::copyrightText(int currentYear)
{
    return QStringLiteral("Copyright © 2012-%1 Korvo游戏盒 科沃网络 版权所有").arg(currentYear);
}
