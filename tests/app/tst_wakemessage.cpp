#include "app/wakemessage.h"

#include <QtTest>

// What a later start hands the running copy, read back as it was meant.
class TestWakeMessage final : public QObject
{
    Q_OBJECT

private slots:
    void messageReadsBackAsSent_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("token");
        QTest::newRow("plain wake-up") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("address alone") << QByteArray("korvo://play?host=a") << QByteArray("korvo://play?host=a")
                                       << QByteArray();
        QTest::newRow("token and address") << QByteArray("activation-token:abc_TIME5\nkorvo://play?host=a")
                                           << QByteArray("korvo://play?host=a") << QByteArray("abc_TIME5");
        QTest::newRow("token alone") << QByteArray("activation-token:abc\n") << QByteArray() << QByteArray("abc");
        QTest::newRow("cut off before the end of the token") << QByteArray("activation-token:abc") << QByteArray()
                                                             << QByteArray("abc");
        QTest::newRow("a token with a space is none") << QByteArray("activation-token:a b\nx") << QByteArray("x")
                                                      << QByteArray();
        QTest::newRow("an empty token is none") << QByteArray("activation-token:\nx") << QByteArray("x")
                                                << QByteArray();
        QTest::newRow("an overlong token is none")
            << QByteArray("activation-token:" + QByteArray(600, 'a') + "\nx") << QByteArray("x") << QByteArray();
    }

    void messageReadsBackAsSent()
    {
        QFETCH(QByteArray, message);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, token);
        const WakeMessage wake = WakeMessage::parse(message);
        QCOMPARE(wake.text, text);
        QCOMPARE(wake.token, token);
        // Composed again, it reads back the same.
        const WakeMessage again = WakeMessage::parse(wake.compose());
        QCOMPARE(again.text, text);
        QCOMPARE(again.token, token);
    }

    // An address that merely contains the word must still open, not toggle.
    void toggleIsTheWholeTextOnly_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<bool>("toggle");
        QTest::newRow("the command") << QByteArray("--toggle") << true;
        QTest::newRow("the command with a token") << QByteArray("activation-token:abc\n--toggle") << true;
        QTest::newRow("plain wake-up") << QByteArray() << false;
        QTest::newRow("an address containing it") << QByteArray("korvo://play?x=--toggle") << false;
        QTest::newRow("a longer word") << QByteArray("--toggled") << false;
    }

    void toggleIsTheWholeTextOnly()
    {
        QFETCH(QByteArray, message);
        QFETCH(bool, toggle);
        QCOMPARE(WakeMessage::parse(message).isToggle(), toggle);
    }

    void tokenOfTheStartAndItsTime_data()
    {
        QTest::addColumn<QByteArray>("activationToken");
        QTest::addColumn<QByteArray>("startupId");
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<qulonglong>("time");
        QTest::newRow("Wayland first") << QByteArray("wl1") << QByteArray("x11_TIME9") << QByteArray("wl1")
                                       << qulonglong(0);
        QTest::newRow("X11 startup id") << QByteArray() << QByteArray("launcher/KorvoClient/1-2-host_TIME2614")
                                        << QByteArray("launcher/KorvoClient/1-2-host_TIME2614") << qulonglong(2614);
        QTest::newRow("startup id without a time") << QByteArray() << QByteArray("abc") << QByteArray("abc")
                                                   << qulonglong(0);
        QTest::newRow("time that is not a number") << QByteArray() << QByteArray("abc_TIMEx") << QByteArray("abc_TIMEx")
                                                   << qulonglong(0);
        QTest::newRow("neither") << QByteArray() << QByteArray() << QByteArray() << qulonglong(0);
        QTest::newRow("a broken Wayland token falls back") << QByteArray("a\nb") << QByteArray("id") << QByteArray("id")
                                                           << qulonglong(0);
    }

    void tokenOfTheStartAndItsTime()
    {
        QFETCH(QByteArray, activationToken);
        QFETCH(QByteArray, startupId);
        QFETCH(QByteArray, token);
        QFETCH(qulonglong, time);
        const QByteArray chosen = WakeMessage::tokenFrom(activationToken, startupId);
        QCOMPARE(chosen, token);
        QCOMPARE(qulonglong(WakeMessage::startupTime(chosen)), time);
    }
};

QTEST_APPLESS_MAIN(TestWakeMessage)
#include "tst_wakemessage.moc"
