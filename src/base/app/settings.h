#pragma once

#include <QObject>
#include <QVariant>

class QSettings;

// The user's settings, kept as strings in "velmorbox.ini" in the data directory.
// Absent keys are meaningful ("common/exittype" absent: ask on first close).
// The file, and the game address rules in "gameurlgoto.ini" beside it, are
// the user's alone: made private when created, narrowed at start when wider.
class Settings : public QObject
{
    Q_OBJECT
public:
    explicit Settings(QObject *parent = nullptr);
    ~Settings() override;

    QVariant value(const QString &key) const;   // null QVariant when absent
    void setValue(const QString &key, const QVariant &value);
    void remove(const QString &key);
    bool contains(const QString &key) const;
    void sync();

    // The player's memory ceiling for the whole client, in MiB: switched by
    // "memory/ceilinguse" ("yes"; anything else, or absent, is off) and sized
    // by "memory/ceilingmb", which is kept while off. memoryCeilingMiB() is 0
    // while off; the size is a positive whole number, else the default.
    static constexpr int DefaultMemoryCeilingMiB = 2048;
    bool memoryCeilingOn() const;
    int memoryCeilingSizeMiB() const;
    int memoryCeilingMiB() const;
    void setMemoryCeiling(bool on, int mib);

    // Where an unreadable ini file found at start was moved; empty when none was.
    QString setAsideFile() const { return m_setAside; }

    static void setAutoStart(bool on);
    static QString fileName();
    static QString rulesFileName();

signals:
    // A value was set or removed through this object.
    void valueChanged(const QString &key);

private:
    void writeDefaults();
    void setAsideIfUnreadable();
    void removeOrphanedLock();

    QSettings *m_ini;
    QString m_setAside;
};
