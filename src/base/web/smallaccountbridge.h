#pragma once

#include <QObject>

// What a small account's own portal page (its sign-in calendar, in the
// all-accounts window) reaches as "external". Only the calls that stay with
// that account are answered: the points mall, shown in the same page and so
// as that account. Games, sign-in windows and the rest belong to the main
// account's bridge, and a page here that asks for them gets nothing.
class SmallAccountBridge : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void signalOpenJFSC();

public slots:
    void OpenJFSC();
};
