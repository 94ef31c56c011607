#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh application directory for one test: icons, style sheets and the
// favicon copied from the build, nothing else. Points AppPaths at it.
class TestAppDir
{
public:
    TestAppDir();
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
};

// Copies a directory tree; used to give a test directory the deployed assets.
bool copyTree(const QString &from, const QString &to);
