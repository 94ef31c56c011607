#include "shell/statusbar.h"
#include "ui_statusbar.h"

#include "app/apppaths.h"

#include <QDate>
#include <QTimer>

namespace {
// Long enough to be read when the player looks down after a stutter.
constexpr int kNoticeMs = 30 * 1000;
}

StatusBar::StatusBar(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::StatusBar)
    , m_noticeTimer(new QTimer(this))
{
    ui->setupUi(this);
    ui->footNoticeLabel->hide();
    m_noticeTimer->setSingleShot(true);
    connect(m_noticeTimer, &QTimer::timeout, ui->footNoticeLabel, &QWidget::hide);
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

void StatusBar::showNotice(const QString &text)
{
    ui->footNoticeLabel->setText(text);
    ui->footNoticeLabel->setToolTip(text);
    ui->footNoticeLabel->show();
    m_noticeTimer->start(kNoticeMs);
}

QString StatusBar::notice() const
{
    return ui->footNoticeLabel->isVisibleTo(this) ? ui->footNoticeLabel->text() : QString();
}

StatusBar::~StatusBar()
{
    delete ui;
}

QString StatusBar::copyrightText(int currentYear)
{
    return QStringLiteral("Copyright © 2012-%1 Korvo游戏盒 科沃网络 版权所有").arg(currentYear);
}
