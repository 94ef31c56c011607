#include "web/tabcontainer.h"

TabContainer::TabContainer(const TabContext &context, QWidget *parent)
    : QWidget(parent)
{
    setContext(context);
}

void TabContainer::setContext(const TabContext &context)
{
    m_context = context;
    const QVariantMap properties = context.properties();
    // A property without a value is not there at all, as on tabs that never had it.
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        const bool empty = it.value().toString().isEmpty() || it.value() == QVariant(false);
        setProperty(it.key().toLatin1().constData(), empty ? QVariant() : it.value());
    }
    emit signalContextChanged(m_context);
}

TabContext TabContainer::contextOf(const QWidget *tab)
{
    const auto *container = qobject_cast<const TabContainer *>(tab);
    return container ? container->context() : TabContext();
}
