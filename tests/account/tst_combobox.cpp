#include "account/combobox.h"

#include <QFocusEvent>
#include <QListWidget>
#include <QtTest>

class TestComboBox final : public QObject
{
    Q_OBJECT

private slots:
    void placeholderGivesWayToTypingAndComesBack();
    void popupListHoldsTheAccounts();
};

namespace {
void sendFocus(QWidget *widget, QEvent::Type type)
{
    QFocusEvent event(type, Qt::OtherFocusReason);
    QApplication::sendEvent(widget, &event);
}
}

void TestComboBox::placeholderGivesWayToTypingAndComesBack()
{
    ComboBox combo;
    combo.showPlaceholder();
    QCOMPARE(combo.currentText(), QStringLiteral("请输入账号"));
    QCOMPARE(combo.accountName(), QString());

    sendFocus(&combo, QEvent::FocusIn);
    QCOMPARE(combo.currentText(), QString());
    sendFocus(&combo, QEvent::FocusOut);
    QCOMPARE(combo.currentText(), QStringLiteral("请输入账号"));

    // A typed name survives focus changes and is read trimmed.
    sendFocus(&combo, QEvent::FocusIn);
    combo.setEditText(QStringLiteral(" korvo "));
    sendFocus(&combo, QEvent::FocusOut);
    sendFocus(&combo, QEvent::FocusIn);
    QCOMPARE(combo.accountName(), QStringLiteral("korvo"));
}

void TestComboBox::popupListHoldsTheAccounts()
{
    ComboBox combo;
    QVERIFY(combo.isEditable());
    auto *list = combo.findChild<QListWidget *>(QStringLiteral("comboAccountList"));
    QVERIFY(list);
    QCOMPARE(combo.view(), list);
    combo.addItem(QStringLiteral("first"));
    combo.addItem(QStringLiteral("second"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral("second"));
    QCOMPARE(combo.currentText(), QStringLiteral("first"));
    combo.clear();
    QCOMPARE(list->count(), 0);
}

QTEST_MAIN(TestComboBox)
#include "tst_combobox.moc"
