#include "app/settings.h"

#include "app/apppaths.h"
#include "app/autostart.h"
#include "app/privatefiles.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

Settings::Settings(QObject *parent)
    : QObject(parent)
{
    // Before the first write: the settings keep the permissions of the file they replace.
    PrivateFiles::makeFile(fileName());
    PrivateFiles::narrow(rulesFileName());
    removeOrphanedLock();
    m_ini = new QSettings(fileName(), QSettings::IniFormat);
    setAsideIfUnreadable();
    writeDefaults();
}

// A writer killed between making the lock file and writing its owner into it
// leaves an empty lock, which Qt waits half a minute for before each write.
// Only one copy of the client runs, so at its start such a lock is nobody's.
void Settings::removeOrphanedLock()
{
    const QString path = fileName() + QStringLiteral(".lock");
    QLockFile lock(path);
    qint64 pid = 0;
    QString host;
    QString application;
    if (QFileInfo::exists(path) && !lock.getLockInfo(&pid, &host, &application)) {
        qDebug() << "Settings: removing a lock file without an owner";
        QFile::remove(path);
    }
}

// A file that is no ini file is kept under another name, for the user to
// look at, and the settings start again from their defaults.
void Settings::setAsideIfUnreadable()
{
    if (m_ini->status() != QSettings::FormatError)
        return;
    delete m_ini;
    const QString aside = PrivateFiles::asideName(fileName());
    if (QFile::rename(fileName(), aside)) {
        m_setAside = aside;
        qDebug().noquote() << QStringLiteral("Settings: unreadable file moved to ") + aside;
        PrivateFiles::makeFile(fileName());
    }
    m_ini = new QSettings(fileName(), QSettings::IniFormat);
}

Settings::~Settings()
{
    delete m_ini;
}

QString Settings::fileName()
{
    return AppPaths::dataFilePath(QStringLiteral("velmorbox.ini"));
}

QString Settings::rulesFileName()
{
    return AppPaths::dataFilePath(QStringLiteral("gameurlgoto.ini"));
}

void Settings::writeDefaults()
{
    // Written only when missing, so the user's own values survive every start.
    const std::pair<const char *, const char *> defaults[] = {
        {"common/boot", "no"},
        {"bosskey/isuse", "yes"},
        {"bosskey/keys", "Alt+Q"},
        {"common/skin", "default"},
    };
    for (const auto &[key, value] : defaults) {
        if (!m_ini->contains(QLatin1String(key)))
            m_ini->setValue(QLatin1String(key), QString::fromLatin1(value));
    }
    m_ini->sync();
}

QVariant Settings::value(const QString &key) const
{
    return m_ini->value(key);
}

void Settings::setValue(const QString &key, const QVariant &value)
{
    m_ini->setValue(key, value);
    emit valueChanged(key);
}

void Settings::remove(const QString &key)
{
    if (!m_ini->contains(key))
        return;
    m_ini->remove(key);
    emit valueChanged(key);
}

bool Settings::contains(const QString &key) const
{
    return m_ini->contains(key);
}

void Settings::sync()
{
    m_ini->sync();
}

bool Settings::memoryCeilingOn() const
{
    return value(QStringLiteral("memory/ceilinguse")).toString() == QLatin1String("yes");
}

int Settings::memoryCeilingSizeMiB() const
{
    bool ok = false;
    const int mib = value(QStringLiteral("memory/ceilingmb")).toString().toInt(&ok);
    return ok && mib > 0 ? mib : DefaultMemoryCeilingMiB;
}

int Settings::memoryCeilingMiB() const
{
    return memoryCeilingOn() ? memoryCeilingSizeMiB() : 0;
}

void Settings::setMemoryCeiling(bool on, int mib)
{
    setValue(QStringLiteral("memory/ceilingmb"), QString::number(mib > 0 ? mib : DefaultMemoryCeilingMiB));
    setValue(QStringLiteral("memory/ceilinguse"), on ? QStringLiteral("yes") : QStringLiteral("no"));
}

void Settings::setAutoStart(bool on)
{
    AutoStart::setEnabled(on);
}
