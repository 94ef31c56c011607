#pragma once

#include <QTimer>
#include <QWidget>

namespace Ui { class ResourceForm; }

class TabResources;

// "资源占用": every tab with its account, memory and processor share,
// refreshed every 2 s while the window is open (the timer stops with it),
// and a button that reloads the chosen tab.
class ResourceForm : public QWidget
{
    Q_OBJECT
public:
    ResourceForm(TabResources *resources, QWidget *parent = nullptr);
    ~ResourceForm() override;

    bool isRefreshing() const { return m_refresh.isActive(); }

public slots:
    void reloadSelectedTab();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void fillTable();

    Ui::ResourceForm *ui;
    TabResources *m_resources;
    QTimer m_refresh;
};
