#pragma once

#include <QString>

// Files and folders that only their owner may reach: the settings, the account
// store with its password digests, the address rules, the web profiles'
// storage and the single-instance socket. A file is created 0600 and a folder
// 0700 from the first moment; one found wider is narrowed, but only when it
// belongs to the user: another user's file is never changed.
class PrivateFiles
{
public:
    // Creates the file empty and private when missing, or narrows it.
    static bool makeFile(const QString &path);
    // Creates the folder private (missing parents as usual) when missing, or narrows it.
    static bool makeFolder(const QString &path);
    // Takes group and others' access away from an existing file or folder of
    // the user's (a link's target); true when it is private now.
    static bool narrow(const QString &path);
    // Whether the path itself, not what a link points to, belongs to the user.
    static bool isOwn(const QString &path);
    // Whether the path is a folder of the user's, not a link, that nobody else may enter.
    static bool isPrivateFolder(const QString &path);
    // Where a damaged file is kept: "<file>.damaged-20261208-101500", with
    // "-2", "-3", ... after it when one of the same second is still there.
    static QString asideName(const QString &file);
};
