#pragma once

#include "web/tabcontext.h"

#include <QWidget>

// The widget a tab of the tab manager shows: it holds the tab's context and
// publishes it as the container's dynamic properties, written here alone.
class TabContainer : public QWidget
{
    Q_OBJECT
public:
    explicit TabContainer(const TabContext &context, QWidget *parent = nullptr);

    const TabContext &context() const { return m_context; }
    void setContext(const TabContext &context);

    // The context of a tab's widget; a default one for anything else.
    static TabContext contextOf(const QWidget *tab);

signals:
    void signalContextChanged(const TabContext &context);

private:
    TabContext m_context;
};
