#include "app/storagenotices.h"

#include <QtTest>

class TestStorageNotices final : public QObject
{
    Q_OBJECT

private slots:
    void kindOfResultCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind");
        QTest::newRow("not a database") << 26 << int(StorageNotices::Damaged);
        QTest::newRow("malformed") << 11 << int(StorageNotices::Damaged);
        QTest::newRow("busy") << 5 << int(StorageNotices::Locked);
        QTest::newRow("busy, extended: recovery") << (5 | (1 << 8)) << int(StorageNotices::Locked);
        QTest::newRow("read-only") << 8 << int(StorageNotices::ReadOnly);
        QTest::newRow("read-only, extended: cannot lock") << (8 | (3 << 8)) << int(StorageNotices::ReadOnly);
        QTest::newRow("cannot open") << 14 << int(StorageNotices::Unavailable);
        QTest::newRow("disk full") << 13 << int(StorageNotices::Unavailable);
        QTest::newRow("no such table: the statement's") << 1 << int(StorageNotices::None);
        QTest::newRow("duplicate name: the row's") << 19 << int(StorageNotices::None);
    }

    void kindOfResultCode()
    {
        QFETCH(int, code);
        QFETCH(int, kind);
        QCOMPARE(int(StorageNotices::kindOf(code)), kind);
    }

    // Every failed statement reports; the user hears of each kind once.
    void eachKindIsToldOnce()
    {
        StorageNotices notices;
        QSignalSpy pending(&notices, &StorageNotices::noticePending);
        notices.report(StorageNotices::None, QStringLiteral("/a/vmgamebox.db"));
        QVERIFY(!notices.hasPending());
        notices.report(StorageNotices::Locked, QStringLiteral("/a/vmgamebox.db"));
        notices.report(StorageNotices::Locked, QStringLiteral("/a/vmgamebox.db"));
        notices.report(StorageNotices::Damaged, QStringLiteral("/a/vmgamebox.db.damaged-20261208-101500"));
        QCOMPARE(pending.size(), 2);
        const QStringList texts = notices.takePending();
        QCOMPARE(texts.size(), 2);
        QVERIFY(texts.at(0).contains(QStringLiteral("/a/vmgamebox.db")));
        QVERIFY(texts.at(1).contains(QStringLiteral("/a/vmgamebox.db.damaged-20261208-101500")));
        QVERIFY(!notices.hasPending());

        notices.report(StorageNotices::Locked, QStringLiteral("/a/vmgamebox.db"));
        notices.report(StorageNotices::ReadOnly, QStringLiteral("/a/vmgamebox.db"));
        QCOMPARE(notices.takePending().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestStorageNotices)
#include "tst_storagenotices.moc"
