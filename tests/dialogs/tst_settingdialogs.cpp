#include "app/autostart.h"
#include "dialogs/boxsettingform.h"
#include "dialogs/closesettingform.h"
#include "app/settings.h"
#include "shell/bosskeyrule.h"
#include "testmainframe.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

class TestSettingDialogs final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;

    static QString stored(Settings *settings, const char *key)
    {
        return settings->value(QLatin1String(key)).toString();
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
        Settings settings;
        if (!exitType.isNull())
            settings.setValue(QStringLiteral("common/exittype"), exitType);
        settings.setValue(QStringLiteral("common/boot"), boot);
        settings.setValue(QStringLiteral("bosskey/keys"), QStringLiteral("Alt + Q"));
        BoxSettingForm form(&settings, nullptr);
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
        Settings settings;
        auto *form = new BoxSettingForm(&settings, nullptr);
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
        Settings settings;
        BoxSettingForm form(&settings, nullptr);
        child<QCheckBox>(&form, "BossKeyCheckBox")->setChecked(false);
        child<QCheckBox>(&form, "BootCheckBox")->setChecked(false);
        child<QRadioButton>(&form, "CloseChooseExitRadio")->setChecked(true);
        form.handlerSaveSetting();
        QCOMPARE(stored(&settings, "bosskey/isuse"), QStringLiteral("no"));
        QCOMPARE(stored(&settings, "bosskey/keys"), QStringLiteral("Alt+Q"));
        QCOMPARE(stored(&settings, "common/exittype"), QStringLiteral("exit"));
        QCOMPARE(stored(&settings, "common/boot"), QStringLiteral("no"));
        QVERIFY(!AutoStart::isEnabled());
    }

    // On its own the dialog knows no portal; the X server of the tests grabs.
    void bossKeyLabelFollowsTheKeyBeingEdited()
    {
        TestAppDir dir;
        Settings settings;
        BoxSettingForm form(&settings, nullptr);
        auto *label = child<QLabel>(&form, "BossKeyWayLabel");
        auto *edit = child<QLineEdit>(&form, "BossKeyEdit");
        QVERIFY(edit->isEnabled());
        QCOMPARE(label->text(), BossKeyRule::label(BossKeyRule::Way::X11Grab, BossKeyRule::Failure::None));
        edit->setText(QStringLiteral("Q"));
        QVERIFY(label->text().contains(QStringLiteral("不能用作老板键")));
        child<QCheckBox>(&form, "BossKeyCheckBox")->setChecked(false);
        QVERIFY(label->text().startsWith(QStringLiteral("老板键已关闭")));
        QVERIFY(!edit->isEnabled());
    }

    void extrasCheckBoxesShowAndStoreTheirKeys()
    {
        TestAppDir dir;
        Settings settings;
        settings.setValue(QStringLiteral("extras/bossmute"), QStringLiteral("no"));
        BoxSettingForm form(&settings, nullptr);
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
        QCOMPARE(stored(&settings, "extras/backgroundplay"), QStringLiteral("no"));
        QCOMPARE(stored(&settings, "extras/bossmute"), QStringLiteral("yes"));
        QCOMPARE(stored(&settings, "extras/shortcuts"), QStringLiteral("no"));
        QCOMPARE(stored(&settings, "extras/crashreload"), QStringLiteral("yes"));
        QCOMPARE(stored(&settings, "extras/resources"), QStringLiteral("yes"));
        QCOMPARE(stored(&settings, "extras/restoregames"), QStringLiteral("yes"));
    }

    // Off by default with its size ready; the size is kept while switched off.
    void memoryCeilingRowShowsAndStoresTheCeiling()
    {
        TestAppDir dir;
        Settings settings;
        QCOMPARE(settings.memoryCeilingMiB(), 0);
        {
            BoxSettingForm form(&settings, nullptr);
            auto *box = child<QCheckBox>(&form, "MemoryCeilingCheckBox");
            auto *size = child<QSpinBox>(&form, "MemoryCeilingSpinBox");
            QCOMPARE(box->text(), QStringLiteral("内存上限"));
            QVERIFY(!box->isChecked());
            QVERIFY(!size->isEnabled());
            QCOMPARE(size->value(), 2048);
            box->setChecked(true);
            QVERIFY(size->isEnabled());
            size->setValue(1024);
            form.show();
            screenShot(QStringLiteral("settings-memoryceiling"));
            form.handlerSaveSetting();
        }
        QCOMPARE(stored(&settings, "memory/ceilinguse"), QStringLiteral("yes"));
        QCOMPARE(stored(&settings, "memory/ceilingmb"), QStringLiteral("1024"));
        QCOMPARE(settings.memoryCeilingMiB(), 1024);

        settings.setMemoryCeiling(false, 3072);
        BoxSettingForm form(&settings, nullptr);
        QVERIFY(!child<QCheckBox>(&form, "MemoryCeilingCheckBox")->isChecked());
        QCOMPARE(child<QSpinBox>(&form, "MemoryCeilingSpinBox")->value(), 3072);
        form.handlerSaveSetting();
        QCOMPARE(settings.memoryCeilingMiB(), 0);
        QCOMPARE(settings.memoryCeilingSizeMiB(), 3072);
    }

    void enterSavesAndEscapeCancels()
    {
        TestAppDir dir;
        Settings settings;
        auto *form = new BoxSettingForm(&settings, nullptr);
        form->show();
        form->activateWindow();
        // The keys are the window's shortcuts: they act only once it is the active window.
        QVERIFY(QTest::qWaitForWindowActive(form));
        child<QRadioButton>(form, "CloseChooseHideRadio")->setChecked(true);
        QTest::keyClick(form, Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        QVERIFY(settings.value(QStringLiteral("common/exittype")).isNull());

        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form, Qt::Key_Return);
        QVERIFY(!form->isVisible());
        QCOMPARE(stored(&settings, "common/exittype"), QStringLiteral("tray"));
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
        QCOMPARE(stored(frame.settings(), "common/exittype"), QStringLiteral("tray"));
        QCOMPARE(stored(frame.settings(), "common/boot"), QStringLiteral("yes"));
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
        QCOMPARE(stored(frame.settings(), "common/exittype"), QStringLiteral("exit"));
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

    void closeDialogStoresTheChoiceAndAsksForIt_data()
    {
        QTest::addColumn<bool>("exit");
        QTest::newRow("hide to the tray") << false;
        QTest::newRow("quit") << true;
    }

    // The dialog needs nothing but the settings: it stores the choice and says
    // what was chosen; the window that opened it carries it out.
    void closeDialogStoresTheChoiceAndAsksForIt()
    {
        QFETCH(bool, exit);
        TestAppDir dir;
        Settings settings;
        CloseSettingForm dialog(&settings, nullptr);
        QSignalSpy hide(&dialog, &CloseSettingForm::signalHideToTray);
        QSignalSpy quit(&dialog, &CloseSettingForm::signalQuit);
        dialog.show();
        child<QRadioButton>(&dialog, exit ? "CloseChooseExitRadio" : "CloseChooseHideRadio")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(&dialog, "SaveBtn"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(quit.count(), exit ? 1 : 0);
        QCOMPARE(hide.count(), exit ? 0 : 1);
        QVERIFY(iniText(dir).contains(exit ? QStringLiteral("exittype=exit") : QStringLiteral("exittype=tray")));
    }
};

QTEST_MAIN(TestSettingDialogs)
#include "tst_settingdialogs.moc"
