#include "app/privatefiles.h"
#include "seconduser.h"
#include "app/settings.h"
#include "account/sqlite.h"
#include "testsupport.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

// The files that hold the user's settings and password digests, checked on
// disk: what the client creates and what it finds, under the loosest umask.
// (cacheData is the web profiles' and is checked with them.)
class TestPrivateFiles final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void createdAndMendedPrivate_data();
    void createdAndMendedPrivate();
    void anotherUsersFileIsLeftAlone();
    void anotherUserCannotReadThem();

private:
    static int modeOf(const QString &path);
    void createEverything();

    std::unique_ptr<TestAppDir> m_dir;
    mode_t m_umask = 022;
};

int TestPrivateFiles::modeOf(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return static_cast<int>(info.st_mode & 07777);
}

void TestPrivateFiles::init()
{
    m_dir = std::make_unique<TestAppDir>();
    // Under umask 000 everything made without an explicit mode is 0666 or 0777.
    m_umask = ::umask(0);
}

void TestPrivateFiles::cleanup()
{
    ::umask(m_umask);
    m_dir.reset();
}

// What a start of the client creates or opens: the settings (which also mend
// the rules file beside them) and the account store with one account in it.
void TestPrivateFiles::createEverything()
{
    Settings settings;
    settings.setValue(QStringLiteral("common/skin"), QStringLiteral("default"));
    settings.sync();
    Sqlite store;
    QVERIFY(store.saveLogin({{QStringLiteral("user_id"), QStringLiteral("7")},
                                {QStringLiteral("user_name"), QStringLiteral("abc")},
                                {QStringLiteral("user_pass"), QStringLiteral("0123456789abcdef0123456789abcdef")}}));
}

void TestPrivateFiles::createdAndMendedPrivate_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("before");   // -1: absent, else the mode it is found with
    QTest::addColumn<int>("after");
    QTest::newRow("ini file created") << "velmorbox.ini" << -1 << 0600;
    QTest::newRow("ini file found 0644") << "velmorbox.ini" << 0644 << 0600;
    QTest::newRow("database created") << "vmgamebox.db" << -1 << 0600;
    QTest::newRow("database found 0666") << "vmgamebox.db" << 0666 << 0600;
    QTest::newRow("rules file found 0644") << "gameurlgoto.ini" << 0644 << 0600;
}

void TestPrivateFiles::createdAndMendedPrivate()
{
    QFETCH(QString, name);
    QFETCH(int, before);
    QFETCH(int, after);
    const QString path = m_dir->filePath(name);
    if (before >= 0) {
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(before)) == 0);
    }
    createEverything();
    QCOMPARE(QString::number(modeOf(path), 8), QString::number(after, 8));
}

void TestPrivateFiles::anotherUsersFileIsLeftAlone()
{
    QString whyNot;
    if (!SecondUser::ensure(&whyNot))
        QSKIP(qPrintable(whyNot));
    const QString path = m_dir->filePath(QStringLiteral("velmorbox.ini"));
    QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
    QVERIFY(SecondUser::chown(path));
    QVERIFY(!PrivateFiles::narrow(path));
    QCOMPARE(modeOf(path), 0644);
    QVERIFY(!PrivateFiles::isOwn(path));
}

void TestPrivateFiles::anotherUserCannotReadThem()
{
    QString whyNot;
    if (!SecondUser::ensure(&whyNot))
        QSKIP(qPrintable(whyNot));
    createEverything();
    // The folder is open to the other user, as an installation folder is; a
    // file left readable there can be read, which shows the check can fail.
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    const QString open = m_dir->filePath(QStringLiteral("readable.txt"));
    QVERIFY(QFile(open).open(QIODevice::WriteOnly));
    QVERIFY(::chmod(QFile::encodeName(open).constData(), 0644) == 0);
    QCOMPARE(SecondUser::run(QStringLiteral("cat"), {open}), 0);

    for (const char *name : {"velmorbox.ini", "vmgamebox.db"})
        QVERIFY2(SecondUser::run(QStringLiteral("cat"), {m_dir->filePath(QLatin1String(name))}) != 0, name);
}

QTEST_GUILESS_MAIN(TestPrivateFiles)
#include "tst_privatefiles.moc"
