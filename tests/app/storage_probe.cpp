// Stands in for the client's start in the read-only storage test: says where
// the data directory is, writes the settings, remembers one account and says
// what the account store reported on the way.
#include "app/apppaths.h"
#include "app/settings.h"
#include "account/sqlite.h"
#include "app/storagenotices.h"

#include <QCoreApplication>
#include <QMetaEnum>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("data %s\n", qPrintable(AppPaths::dataDir()));
    Settings settings;
    Sqlite store;
    QObject::connect(&store, &Sqlite::problemFound, &store, [](int kind) {
        std::printf("problem %s\n", QMetaEnum::fromType<StorageNotices::Kind>().valueToKey(kind));
    });
    const bool saved = store.saveLogin({{QStringLiteral("user_id"), QStringLiteral("7")},
                                           {QStringLiteral("user_name"), QStringLiteral("abc")}});
    std::printf("saved %d\n", saved ? 1 : 0);
    return 0;
}
