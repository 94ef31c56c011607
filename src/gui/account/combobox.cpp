#include "account/combobox.h"

#include <QListWidget>

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
    , m_list(new QListWidget(this))
{
    setEditable(true);
    m_list->setObjectName(QStringLiteral("comboAccountList"));
    setModel(m_list->model());
    setView(m_list);
}

QString ComboBox::placeholder()
{
    return QStringLiteral("请输入账号");
}

QString ComboBox::accountName() const
{
    const QString name = currentText().trimmed();
    return name == placeholder() ? QString() : name;
}

void ComboBox::showPlaceholder()
{
    setCurrentText(placeholder());
}

void ComboBox::focusInEvent(QFocusEvent *event)
{
    if (currentText() == placeholder())
        setEditText(QString());
    QComboBox::focusInEvent(event);
}

void ComboBox::focusOutEvent(QFocusEvent *event)
{
    if (currentText().isEmpty())
        showPlaceholder();
    QComboBox::focusOutEvent(event);
}
