#include "app/autostart.h"
#include "app/extras.h"
#include "app/settings.h"
#include "testsupport.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

class TestSettings final : public QObject
{
    Q_OBJECT

private slots:
    void firstStartWritesExactlyTheFourDefaults()
    {
        TestAppDir dir;
        { Settings settings; }
        QSettings ini(dir.filePath(QStringLiteral("velmorbox.ini")), QSettings::IniFormat);
        QStringList keys = ini.allKeys();
        keys.sort();
        QCOMPARE(keys, (QStringList{QStringLiteral("bosskey/isuse"), QStringLiteral("bosskey/keys"),
                                    QStringLiteral("common/boot"), QStringLiteral("common/skin")}));
        QCOMPARE(ini.value(QStringLiteral("common/boot")).toString(), QStringLiteral("no"));
        QCOMPARE(ini.value(QStringLiteral("bosskey/isuse")).toString(), QStringLiteral("yes"));
        QCOMPARE(ini.value(QStringLiteral("bosskey/keys")).toString(), QStringLiteral("Alt+Q"));
        QCOMPARE(ini.value(QStringLiteral("common/skin")).toString(), QStringLiteral("default"));
    }

    void absentKeysReadAsNull()
    {
        TestAppDir dir;
        Settings settings;
        QVERIFY(settings.value(QStringLiteral("common/exittype")).isNull());
        QVERIFY(settings.value(QStringLiteral("update/isJump")).isNull());
        settings.remove(QStringLiteral("update/version"));  // absent: nothing to do, nothing breaks
        QVERIFY(!settings.contains(QStringLiteral("update/version")));
    }

    void userValuesSurviveRestarts()
    {
        TestAppDir dir;
        {
            Settings settings;
            settings.setValue(QStringLiteral("common/skin"), QStringLiteral("青春绿"));
            settings.setValue(QStringLiteral("bosskey/isuse"), QStringLiteral("no"));
            settings.setValue(QStringLiteral("common/exittype"), QStringLiteral("tray"));
            settings.sync();
        }
        Settings again;
        QCOMPARE(again.value(QStringLiteral("common/skin")).toString(), QStringLiteral("青春绿"));
        QCOMPARE(again.value(QStringLiteral("bosskey/isuse")).toString(), QStringLiteral("no"));
        QCOMPARE(again.value(QStringLiteral("common/exittype")).toString(), QStringLiteral("tray"));
        QCOMPARE(again.value(QStringLiteral("bosskey/keys")).toString(), QStringLiteral("Alt+Q"));
    }

    void skippedVersionIsStoredAndRemovedTogether()
    {
        TestAppDir dir;
        Settings settings;
        settings.setValue(QStringLiteral("update/isJump"), QStringLiteral("true"));
        settings.setValue(QStringLiteral("update/version"), QStringLiteral("1.6.0.0"));
        settings.sync();
        QVERIFY(Settings().value(QStringLiteral("update/isJump")).toBool());
        settings.remove(QStringLiteral("update/isJump"));
        settings.remove(QStringLiteral("update/version"));
        settings.sync();
        Settings reread;
        QVERIFY(reread.value(QStringLiteral("update/isJump")).isNull());
        QVERIFY(reread.value(QStringLiteral("update/version")).isNull());
    }

    void extrasAreOnUnlessTheirKeySaysNo_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("on");
        QTest::newRow("absent") << QVariant() << true;
        QTest::newRow("yes") << QVariant(QStringLiteral("yes")) << true;
        QTest::newRow("no") << QVariant(QStringLiteral("no")) << false;
        QTest::newRow("garbled") << QVariant(QStringLiteral("maybe")) << true;
    }

    void extrasAreOnUnlessTheirKeySaysNo()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, on);
        TestAppDir dir;
        Settings settings;
        QSet<QString> keys;
        for (int i = 0; i < Extras::FeatureCount; ++i) {
            const auto feature = Extras::Feature(i);
            keys.insert(Extras::key(feature));
            if (stored.isValid())
                settings.setValue(Extras::key(feature), stored);
            QCOMPARE(Extras::enabled(&settings, feature), on);
        }
        QCOMPARE(keys.size(), Extras::FeatureCount);
        QVERIFY(keys.contains(QStringLiteral("extras/restoregames")));

        Extras::setEnabled(&settings, Extras::Shortcuts, false);
        QCOMPARE(settings.value(QStringLiteral("extras/shortcuts")).toString(), QStringLiteral("no"));
        QVERIFY(!Extras::enabled(&settings, Extras::Shortcuts));
        Extras::setEnabled(&settings, Extras::Shortcuts, true);
        QCOMPARE(settings.value(QStringLiteral("extras/shortcuts")).toString(), QStringLiteral("yes"));
    }

    void memoryCeilingIsOffUnlessSwitchedOnWithASize_data()
    {
        QTest::addColumn<QVariant>("use");
        QTest::addColumn<QVariant>("size");
        QTest::addColumn<int>("ceiling");
        QTest::addColumn<int>("shownSize");
        QTest::newRow("absent") << QVariant() << QVariant() << 0 << 2048;
        QTest::newRow("on, no size") << QVariant(QStringLiteral("yes")) << QVariant() << 2048 << 2048;
        QTest::newRow("on, a size") << QVariant(QStringLiteral("yes")) << QVariant(QStringLiteral("512")) << 512 << 512;
        QTest::newRow("off keeps its size") << QVariant(QStringLiteral("no")) << QVariant(QStringLiteral("512")) << 0
                                            << 512;
        QTest::newRow("garbled switch") << QVariant(QStringLiteral("1")) << QVariant(QStringLiteral("512")) << 0 << 512;
        QTest::newRow("negative size") << QVariant(QStringLiteral("yes")) << QVariant(QStringLiteral("-5")) << 2048
                                       << 2048;
        QTest::newRow("zero size") << QVariant(QStringLiteral("yes")) << QVariant(QStringLiteral("0")) << 2048 << 2048;
        QTest::newRow("not a number") << QVariant(QStringLiteral("yes")) << QVariant(QStringLiteral("1e9")) << 2048
                                      << 2048;
        QTest::newRow("past int") << QVariant(QStringLiteral("yes")) << QVariant(QStringLiteral("99999999999")) << 2048
                                  << 2048;
    }

    void memoryCeilingIsOffUnlessSwitchedOnWithASize()
    {
        QFETCH(QVariant, use);
        QFETCH(QVariant, size);
        QFETCH(int, ceiling);
        QFETCH(int, shownSize);
        TestAppDir dir;
        Settings settings;
        if (use.isValid())
            settings.setValue(QStringLiteral("memory/ceilinguse"), use);
        if (size.isValid())
            settings.setValue(QStringLiteral("memory/ceilingmb"), size);
        QCOMPARE(settings.memoryCeilingMiB(), ceiling);
        QCOMPARE(settings.memoryCeilingSizeMiB(), shownSize);
    }

    void autostartEntryAppearsAndDisappears()
    {
        TestAppDir dir;
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        const QString entry = config.path() + QStringLiteral("/autostart/KorvoClient.desktop");
        QCOMPARE(AutoStart::desktopEntryPath(), entry);

        Settings::setAutoStart(false);  // never set: removing is harmless
        QVERIFY(!QFile::exists(entry));

        Settings::setAutoStart(true);
        QVERIFY(AutoStart::isEnabled());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\n")));
        QVERIFY(text.contains(QStringLiteral("Type=Application\n")));
        QVERIFY(text.contains(QStringLiteral("Exec=\"") + dir.path() + QStringLiteral("/KorvoClient\"\n")));

        Settings::setAutoStart(false);
        QVERIFY(!QFile::exists(entry));
        qunsetenv("XDG_CONFIG_HOME");
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
