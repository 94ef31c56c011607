#include "dialogs/resourceform.h"
#include "ui_resourceform.h"

#include "app/apppaths.h"
#include "app/processsampler.h"
#include "dialogs/tabresources.h"
#include "app/toolwindow.h"

#include <QHeaderView>

ResourceForm::ResourceForm(TabResources *resources, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ResourceForm)
    , m_resources(resources)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("ResourceForm"));
    ToolWindow::setup(this);
    // The games keep running while the user watches what they cost.
    setWindowModality(Qt::NonModal);
    ui->reloadTabBtn->setIcon(QIcon(AppPaths::iconPath(QStringLiteral("icon-refresh-16.png"))));
    ui->reloadTabBtn->setCursor(Qt::PointingHandCursor);
    QHeaderView *header = ui->resourceTable->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    ui->resourceTable->verticalHeader()->hide();

    m_refresh.setInterval(2000);
    connect(&m_refresh, &QTimer::timeout, m_resources, &TabResources::sampleAll);
    connect(m_resources->sampler(), &ProcessSampler::sampled, this, &ResourceForm::fillTable);
    connect(ui->closeBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->reloadTabBtn, &QPushButton::clicked, this, &ResourceForm::reloadSelectedTab);
}

ResourceForm::~ResourceForm()
{
    delete ui;
}

void ResourceForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fillTable();
    m_resources->sampleAll();
    m_refresh.start();
}

void ResourceForm::hideEvent(QHideEvent *event)
{
    m_refresh.stop();
    QWidget::hideEvent(event);
}

void ResourceForm::fillTable()
{
    if (!isVisible())
        return;
    const QList<TabResources::Row> rows = m_resources->rows();
    const int selected = ui->resourceTable->currentRow();
    ui->resourceTable->setRowCount(rows.size());
    for (int index = 0; index < rows.size(); ++index) {
        const TabResources::Row &row = rows.at(index);
        const QString texts[] = {row.title, row.account.isEmpty() ? QStringLiteral("-") : row.account,
                                 ProcessUsage::memoryText(row.pssKiB), ProcessUsage::cpuText(row.cpuPercent)};
        for (int column = 0; column < 4; ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            if (column >= 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            ui->resourceTable->setItem(index, column, item);
        }
    }
    if (selected >= 0 && selected < rows.size())
        ui->resourceTable->selectRow(selected);
}

void ResourceForm::reloadSelectedTab()
{
    const int row = ui->resourceTable->currentRow();
    if (row >= 0)
        m_resources->reloadTab(row);
}
