#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>

// A fresh application directory for one test: icons, style sheets and the
// favicon copied from the build, nothing else. Points AppPaths at it.
//
// Web profiles live as long as the process and keep the storage folder they
// were made with, so every TestAppDir of a test program is the same folder:
// each one empties it (all but the profiles' cacheData/) and lays the assets
// anew. Test programs still never share a folder with each other.
class TestAppDir
{
public:
    TestAppDir();
    QString path() const;
    QString filePath(const QString &name) const;
    bool isValid() const;
};

// What the sqlite3 tool answers to a statement on a database file: the file
// as something other than the client reads it. A failure comes back as text
// that no expected value matches.
QString sqliteTool(const QString &file, const QString &sql);

// Copies a directory tree; used to give a test directory the deployed assets.
bool copyTree(const QString &from, const QString &to);

// Under KORVO_SHOT_DIR, a picture of the whole screen named name.png, for a
// person to look at; taken after settleMs so the window has drawn itself.
void screenShot(const QString &name, int settleMs = 800);

// Input through the X server, as a user gives it: pointer hover, implicit
// grabs and keyboard focus all take part, which events sent to widgets skip.
bool xdotool(const QStringList &args);
bool pointTo(const QPoint &global);

// The child of parent that a form names name.
template<typename T>
T *namedChild(const QObject *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}
