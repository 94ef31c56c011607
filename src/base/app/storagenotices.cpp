#include "app/storagenotices.h"

namespace {
// SQLite's primary result codes that concern the file rather than a statement.
enum SqliteCode {
    kPerm = 3,
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kIoError = 10,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kProtocol = 15,
    kNoLargeFile = 22,
    kAuth = 23,
    kNotADatabase = 26,
};
}

StorageNotices::StorageNotices(QObject *parent)
    : QObject(parent)
{
}

StorageNotices::Kind StorageNotices::kindOf(int sqliteCode)
{
    switch (sqliteCode & 0xff) {
    case kCorrupt:
    case kNotADatabase:
        return Damaged;
    case kBusy:
    case kLocked:
        return Locked;
    case kReadOnly:
        return ReadOnly;
    case kPerm:
    case kIoError:
    case kFull:
    case kCantOpen:
    case kProtocol:
    case kNoLargeFile:
    case kAuth:
        return Unavailable;
    default:
        return None;
    }
}

QString StorageNotices::text(Kind kind, const QString &detail)
{
    switch (kind) {
    // The file name on a line of its own: a notice box wraps no path.
    case Damaged:
        return QStringLiteral("保存账号的文件已损坏，已改名保存为：\n%1\n并新建了一个空的文件。记住的账号需要重新登录一次。")
            .arg(detail);
    case Locked:
        return QStringLiteral("保存账号的文件正被其他程序占用：\n%1\n本次登录的账号可能不会被记住。").arg(detail);
    case ReadOnly:
        return QStringLiteral("保存账号的文件是只读的：\n%1\n登录的账号不会被记住。").arg(detail);
    case Unavailable:
        return QStringLiteral("无法读写保存账号的文件：\n%1\n登录的账号不会被记住。").arg(detail);
    case SettingsDamaged:
        return QStringLiteral("设置文件已损坏，已改名保存为：\n%1\n设置已恢复为默认值。").arg(detail);
    case None:
        break;
    }
    return QString();
}

QStringList StorageNotices::takePending()
{
    QStringList pending;
    pending.swap(m_pending);
    return pending;
}

void StorageNotices::report(int kind, const QString &detail)
{
    if (kind == None || m_told.contains(kind))
        return;
    m_told.insert(kind);
    m_pending << text(static_cast<Kind>(kind), detail);
    emit noticePending();
}
