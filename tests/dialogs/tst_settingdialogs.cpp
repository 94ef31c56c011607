#include "app/autostart.h"
#include "dialogs/boxsettingform.h"
#include "dialogs/closesettingform.h"
#include "app/settings.h"
#include "testmainframe.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestSettingDialogs final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;

    static QString stored(MainFrame &frame, const char *key)
    {
        return frame.settings()->value(QLatin1String(key)).toString();
    }

    template<typename T>
    static T *child(QWidget *parent, const char *name)
    {
        T *widget = parent->findChild<T *>(QLatin1String(name));
        if (!widget)
            qWarning("missing child %s", name);
        return widget;
    }

    static QString iniText(const TestAppDir &dir)
    {
        QFile file(dir.filePath(QStringLiteral("velmorbox.ini")));
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void settingsDialogLoadsTheStoredValues_data()
    {
        QTest::addColumn<QString>("exitType");
        QTest::addColumn<QString>("boot");
        QTest::addColumn<bool>("hideChecked");
        QTest::newRow("absent exit type selects quit") << QString() << "no" << false;
        QTest::newRow("tray") << "tray" << "yes" << true;
        QTest::newRow("exit") << "exit" << "no" << false;
    }

    void settingsDialogLoadsTheStoredValues()
    {
        QFETCH(QString, exitType);
        QFETCH(QString, boot);
        QFETCH(bool, hideChecked);
        TestAppDir dir;
        TestMainFrame frame;
        if (!exitType.isNull())
            frame.settings()->setValue(QStringLiteral("common/exittype"), exitType);
        frame.settings()->setValue(QStringLiteral("common/boot"), boot);
        frame.settings()->setValue(QStringLiteral("bosskey/keys"), QStringLiteral("Alt + Q"));
        BoxSettingForm form(&frame);
        QCOMPARE(child<QRadioButton>(&form, "CloseChooseHideRadio")->isChecked(), hideChecked);
        QCOMPARE(child<QRadioButton>(&form, "CloseChooseExitRadio")->isChecked(), !hideChecked);
        QCOMPARE(child<QCheckBox>(&form, "BootCheckBox")->isChecked(), boot == QLatin1String("yes"));
        QVERIFY(child<QCheckBox>(&form, "BossKeyCheckBox")->isChecked());
        QCOMPARE(child<QLineEdit>(&form, "BossKeyEdit")->text(), QStringLiteral("Alt + Q"));
        QVERIFY(!child<QWidget>(&form, "DownFrame")->isVisibleTo(&form));
    }

    void savingWritesEveryKeyAndTheAutostartEntry()
    {
        TestAppDir dir;
        TestMainFrame frame;
        auto *form = new BoxSettingForm(&frame);
        form->show();
        child<QCheckBox>(form, "BootCheckBox")->setChecked(true);
        child<QRadioButton>(form, "CloseChooseHideRadio")->setChecked(true);
        auto *bossKey = child<QCheckBox>(form, "BossKeyCheckBox");
        bossKey->setChecked(false);
        bossKey->setChecked(true);
        QVERIFY(child<QLineEdit>(form, "BossKeyEdit")->isEnabled());
        child<QLineEdit>(form, "BossKeyEdit")->setText(QStringLiteral("Alt + W"));
        QTest::mouseClick(child<QPushButton>(form, "SaveBtn"), Qt::LeftButton);

        QVERIFY(!form->isVisible());
        const QString ini = iniText(dir);  // written to disk at once
        QVERIFY(ini.contains(QStringLiteral("boot=yes")));
        QVERIFY(ini.contains(QStringLiteral("exittype=tray")));
        QVERIFY(ini.contains(QStringLiteral("isuse=yes")));
        QVERIFY(ini.contains(QStringLiteral("keys=Alt + W")));
        QVERIFY(AutoStart::isEnabled());
    }

    void bossKeyOffKeepsThePreviousKeyText()
    {
        TestAppDir dir;
        TestMainFrame frame;
        BoxSettingForm form(&frame);
        child<QCheckBox>(&form, "BossKeyCheckBox")->setChecked(false);
        child<QCheckBox>(&form, "BootCheckBox")->setChecked(false);
        child<QRadioButton>(&form, "CloseChooseExitRadio")->setChecked(true);
        form.handlerSaveSetting();
        QCOMPARE(stored(frame, "bosskey/isuse"), QStringLiteral("no"));
        QCOMPARE(stored(frame, "bosskey/keys"), QStringLiteral("Alt+Q"));
        QCOMPARE(stored(frame, "common/exittype"), QStringLiteral("exit"));
        QCOMPARE(stored(frame, "common/boot"), QStringLiteral("no"));
        QVERIFY(!AutoStart::isEnabled());
    }

    void extrasCheckBoxesShowAndStoreTheirKeys()
    {
        TestAppDir dir;
        TestMainFrame frame;
        frame.settings()->setValue(QStringLiteral("extras/bossmute"), QStringLiteral("no"));
        BoxSettingForm form(&frame);
        form.show();
        screenShot(QStringLiteral("settings-extras"));
        // Absent keys read as on; the one stored "no" as off.
        const char *const names[] = {"CrashReloadCheckBox", "BossMuteCheckBox", "ResourcesCheckBox",
                                     "RestoreGamesCheckBox", "ShortcutsCheckBox", "BackgroundPlayCheckBox"};
        for (const char *name : names)
            QCOMPARE(child<QCheckBox>(&form, name)->isChecked(), qstrcmp(name, "BossMuteCheckBox") != 0);
        child<QCheckBox>(&form, "BossMuteCheckBox")->setChecked(true);
        child<QCheckBox>(&form, "ShortcutsCheckBox")->setChecked(false);
        child<QCheckBox>(&form, "BackgroundPlayCheckBox")->setChecked(false);
        form.handlerSaveSetting();
        QCOMPARE(stored(frame, "extras/backgroundplay"), QStringLiteral("no"));
        QCOMPARE(stored(frame, "extras/bossmute"), QStringLiteral("yes"));
        QCOMPARE(stored(frame, "extras/shortcuts"), QStringLiteral("no"));
        QCOMPARE(stored(frame, "extras/crashreload"), QStringLiteral("yes"));
        QCOMPARE(stored(frame, "extras/resources"), QStringLiteral("yes"));
        QCOMPARE(stored(frame, "extras/restoregames"), QStringLiteral("yes"));
    }

    void enterSavesAndEscapeCancels()
    {
        TestAppDir dir;
        TestMainFrame frame;
        auto *form = new BoxSettingForm(&frame);
        form->show();
        form->activateWindow();
        // The keys are the window's shortcuts: they act only once it is the active window.
        QVERIFY(QTest::qWaitForWindowActive(form));
        child<QRadioButton>(form, "CloseChooseHideRadio")->setChecked(true);
        QTest::keyClick(form, Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        QVERIFY(frame.settings()->value(QStringLiteral("common/exittype")).isNull());

        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form, Qt::Key_Return);
        QVERIFY(!form->isVisible());
        QCOMPARE(stored(frame, "common/exittype"), QStringLiteral("tray"));
    }

    void firstCloseWithDefaultsHidesToTrayAndStartsWithTheSession()
    {
        TestAppDir dir;
        TestMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.windowClose();
        auto *dialog = frame.findChild<CloseSettingForm *>();
        QVERIFY(dialog && dialog->isVisible());
        QTest::mouseClick(child<QPushButton>(dialog, "SaveBtn"), Qt::LeftButton);
        QCOMPARE(stored(frame, "common/exittype"), QStringLiteral("tray"));
        QCOMPARE(stored(frame, "common/boot"), QStringLiteral("yes"));
        QVERIFY(iniText(dir).contains(QStringLiteral("exittype=tray")));
        QVERIFY(AutoStart::isEnabled());
        QVERIFY(!dialog->isVisible());
        QVERIFY(!frame.isVisible());
        QCOMPARE(frame.quitRequests, 0);

        frame.show();
        frame.windowClose();  // decided once: no second question
        QVERIFY(!dialog->isVisible());
        QVERIFY(!frame.isVisible());
    }

    void closeDialogExitChoiceQuits()
    {
        TestAppDir dir;
        TestMainFrame frame;
        frame.show();
        frame.windowClose();
        auto *dialog = frame.findChild<CloseSettingForm *>();
        QVERIFY(dialog);
        child<QRadioButton>(dialog, "CloseChooseExitRadio")->setChecked(true);
        child<QCheckBox>(dialog, "BootCheckBox")->setChecked(false);
        dialog->handlerSaveSetting();
        QCOMPARE(frame.quitRequests, 1);
        QCOMPARE(stored(frame, "common/exittype"), QStringLiteral("exit"));
        QVERIFY(!AutoStart::isEnabled());
    }

    void closeDialogCancelDecidesNothing()
    {
        TestAppDir dir;
        TestMainFrame frame;
        frame.show();
        frame.windowClose();
        auto *dialog = frame.findChild<CloseSettingForm *>();
        QTest::mouseClick(child<QPushButton>(dialog, "CancenBtn"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(frame.isVisible());
        QVERIFY(frame.settings()->value(QStringLiteral("common/exittype")).isNull());
    }

    void dialogsWithoutMainWindowWriteNothing()
    {
        TestAppDir dir;
        QWidget plain;
        BoxSettingForm settings(&plain);
        settings.show();
        settings.handlerSaveSetting();
        QVERIFY(!settings.isVisible());
        CloseSettingForm close(&plain);
        close.show();
        close.handlerSaveSetting();
        QVERIFY(close.isVisible());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("velmorbox.ini"))));
    }
};

QTEST_MAIN(TestSettingDialogs)
#include "tst_settingdialogs.moc"
