#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

// A process and every process under it: the client and the engine's helper
// processes it starts (zygotes, renderers, the GPU and network services).
// The reading of /proc is kept apart from the walk so that both can be
// checked; of() touches the file system and belongs off the GUI thread.
class ProcessFamily
{
public:
    // The parent of /proc/PID/stat; -1 when malformed.
    static qint64 parentPid(const QByteArray &stat);
    // root first, then everything below it in the parent map, each once.
    static QList<qint64> below(qint64 root, const QHash<qint64, qint64> &parentOf);
    // Blocking: the family of root as /proc lists it now.
    static QList<qint64> of(qint64 root);
};
