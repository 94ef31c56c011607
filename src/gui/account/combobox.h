#pragma once

#include <QComboBox>

class QListWidget;

// The account field of the login dialog: an editable combo whose pop-up is a
// list widget ("comboAccountList") and which shows "请输入账号" while empty.
class ComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent = nullptr);

    static QString placeholder();   // "请输入账号"
    QListWidget *accountList() const { return m_list; }
    // The typed account name; the placeholder reads as no name at all.
    QString accountName() const;
    void showPlaceholder();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QListWidget *m_list;
};
