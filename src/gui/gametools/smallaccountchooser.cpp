#include "gametools/smallaccountchooser.h"
#include "ui_smallaccountchooser.h"

#include "app/toolwindow.h"

SmallAccountChooser::SmallAccountChooser(const QStringList &userNames, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SmallAccountChooser)
{
    ui->setupUi(this);
    ToolWindow::setup(this);
    setAttribute(Qt::WA_DeleteOnClose);
    for (const QString &name : userNames) {
        auto *item = new QListWidgetItem(name, ui->chooser_AccountList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    connect(ui->CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->SureButton, &QPushButton::clicked, this, &SmallAccountChooser::confirm);
    connect(ui->chooser_AccountList, &QListWidget::itemChanged, this,
            [this] { ui->SureButton->setEnabled(!chosen().isEmpty()); });
}

SmallAccountChooser::~SmallAccountChooser()
{
    delete ui;
}

QStringList SmallAccountChooser::chosen() const
{
    QStringList names;
    for (int row = 0; row < ui->chooser_AccountList->count(); ++row) {
        const QListWidgetItem *item = ui->chooser_AccountList->item(row);
        if (item->checkState() == Qt::Checked)
            names.append(item->text());
    }
    return names;
}

void SmallAccountChooser::confirm()
{
    const QStringList names = chosen();
    if (names.isEmpty())
        return;
    emit signalChosen(names);
}

void SmallAccountChooser::showProgress(const QString &text)
{
    ui->chooser_HintLabel->setText(text);
    ui->chooser_AccountList->setEnabled(false);
    ui->SureButton->setEnabled(false);
}
