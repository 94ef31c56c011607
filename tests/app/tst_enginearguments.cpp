#include "web/enginearguments.h"
#include "web/shortcutaddress.h"

#include <QtTest>

class TestEngineArguments final : public QObject
{
    Q_OBJECT

private slots:
    // Only shortcut addresses follow the program, an overlong one cut short;
    // the browser's switches come last.
    void onlyAddressesReachTheEngine()
    {
        char program[] = "/opt/korvo/KorvoClient";
        char engineSwitch[] = "--renderer-cmd-prefix=/bin/sh -c id";
        char qtOption[] = "-platform";
        char address[] = "korvo://play?account=a&host=x&server=1";
        std::string longAddress = "KORVO://play?account=" + std::string(100 * 1024, 'x');
        char *argv[] = {program, engineSwitch, qtOption, address, longAddress.data(), nullptr};

        EngineArguments arguments(5, argv);
        QCOMPARE(arguments.argc(), 8);
        QCOMPARE(QByteArray(arguments.argv()[0]), QByteArray(program));
        QCOMPARE(QByteArray(arguments.argv()[1]), QByteArray(address));
        QCOMPARE(QByteArray(arguments.argv()[2]),
                 QByteArray::fromStdString(longAddress.substr(0, ShortcutAddress::maxLength + 1)));
        QCOMPARE(QByteArray(arguments.argv()[3]), QByteArray("--ppapi-flash-path=pepflashplayer.dll"));
        QCOMPARE(QByteArray(arguments.argv()[4]), QByteArray("--ppapi-flash-version=30.0.0.235"));
        QCOMPARE(QByteArray(arguments.argv()[5]), QByteArray("--disable-background-timer-throttling"));
        QCOMPARE(QByteArray(arguments.argv()[7]), QByteArray("--disable-backgrounding-occluded-windows"));
        QCOMPARE(arguments.argv()[8], nullptr);
    }
};

QTEST_GUILESS_MAIN(TestEngineArguments)
#include "tst_enginearguments.moc"
