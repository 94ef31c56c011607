#include "enginearguments.h"

#include <QtTest>

class TestEngineArguments final : public QObject
{
    Q_OBJECT

private slots:
    void switchesFollowEveryProcessArgument()
    {
        char program[] = "/opt/korvo/KorvoClient";
        char first[] = "--lang=zh-CN";
        std::string longArgument = "--note=" + std::string(4000, 'x');  // longer than the usual buffer
        char *argv[] = {program, first, longArgument.data(), nullptr};

        EngineArguments arguments(3, argv);
        QCOMPARE(arguments.argc(), 5);
        QCOMPARE(QByteArray(arguments.argv()[0]), QByteArray(program));
        QCOMPARE(QByteArray(arguments.argv()[1]), QByteArray(first));
        QCOMPARE(QByteArray(arguments.argv()[2]), QByteArray::fromStdString(longArgument));
        QCOMPARE(QByteArray(arguments.argv()[3]), QByteArray("--ppapi-flash-path=pepflashplayer.dll"));
        QCOMPARE(QByteArray(arguments.argv()[4]), QByteArray("--ppapi-flash-version=30.0.0.235"));
        QCOMPARE(arguments.argv()[5], nullptr);
    }
};

QTEST_GUILESS_MAIN(TestEngineArguments)
#include "tst_enginearguments.moc"
