// Any body as the answer to a login, a registration or an account check.
#include "account/accountoperations.h"
#include "account/loginservice.h"
#include "net/portal.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    const AccountReply reply = AccountOperations::classify(body);
    // Every kind of login words every reply that logs nobody in.
    for (LoginService::Kind kind : {LoginService::MainAccount, LoginService::SmallAccount, LoginService::SmallAccountCheck}) {
        if (LoginService::problemOf(reply, kind).isEmpty() != (reply.kind == AccountReply::Identity))
            __builtin_trap();
        LoginService::rowOf(kind, reply.object, LoginService::Attempt());
    }
    if (reply.kind == AccountReply::Identity) {
        const Identity identity = AccountOperations::identityOf(reply.object);
        if (identity.userName.isEmpty() || identity.userId.isEmpty() || identity.userToken.isEmpty())
            __builtin_trap();  // a whole identity must hold name, id and token
        AccountOperations::loginInfo(reply.object);
        AccountOperations::mainAccountRow(reply.object, QString(), true, false);
        LoginService::isUserId(identity.userId);
    }
    QJsonObject object;
    Portal::parseObject(body, &object);
    return 0;
}
