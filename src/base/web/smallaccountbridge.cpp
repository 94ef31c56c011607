#include "web/smallaccountbridge.h"

void SmallAccountBridge::OpenJFSC()
{
    emit signalOpenJFSC();
}
