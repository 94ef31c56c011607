#include "app/processfamily.h"

#include "app/processusage.h"

#include <QDir>
#include <QFile>
#include <QSet>

qint64 ProcessFamily::parentPid(const QByteArray &stat)
{
    // After the name: the state, then the parent.
    const QList<QByteArray> fields = ProcessUsage::statFields(stat);
    if (fields.size() < 2)
        return -1;
    bool ok = false;
    const qint64 parent = fields.at(1).toLongLong(&ok);
    return ok && parent >= 0 ? parent : -1;
}

QList<qint64> ProcessFamily::below(qint64 root, const QHash<qint64, qint64> &parentOf)
{
    QHash<qint64, QList<qint64>> children;
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it)
        children[it.value()].append(it.key());
    QList<qint64> family{root};
    QSet<qint64> seen{root};
    // A map read while processes come and go may hold a loop; each pid is taken once.
    for (int next = 0; next < family.size(); ++next) {
        for (qint64 child : children.value(family.at(next))) {
            if (!seen.contains(child)) {
                seen.insert(child);
                family.append(child);
            }
        }
    }
    return family;
}

QList<qint64> ProcessFamily::of(qint64 root)
{
    QHash<qint64, qint64> parentOf;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        const qint64 pid = entry.toLongLong();
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (pid > 0 && stat.open(QIODevice::ReadOnly)) {
            const qint64 parent = parentPid(stat.read(4096));
            if (parent >= 0)
                parentOf.insert(pid, parent);
        }
    }
    return below(root, parentOf);
}
