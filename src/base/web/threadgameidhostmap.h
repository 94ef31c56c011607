#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>

class HttpRequest;

// Fetches the map from game ids to game hosts once, on a thread of its own,
// and hands the reply to the main window.
class ThreadGameIdHostMap : public QObject
{
    Q_OBJECT
public:
    explicit ThreadGameIdHostMap(QObject *parent = nullptr);

    // A reply as the map it holds: string values only; anything else is empty.
    static QHash<QString, QString> parseMap(const QByteArray &body);

signals:
    void signalsMap(QByteArray reply);

public slots:
    void getinfo();

private:
    QPointer<HttpRequest> manager;
};
