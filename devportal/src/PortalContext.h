#pragma once

#include "AccountStore.h"
#include "CollectionStore.h"
#include "FaultControl.h"
#include "FeedStore.h"
#include "GameCatalog.h"
#include "KeyStore.h"
#include "RequestLog.h"

#include <mutex>
#include <string>

// Everything the handlers share: the stores, the key, the test controls and the
// few settings that tests may change while the server runs.
struct PortalContext {
    static constexpr const char *apiKey = "KXPL-brimadq7ve5";

    AccountStore accounts;
    GameCatalog catalog;
    CollectionStore collections;
    FeedStore feed;
    KeyStore keys;
    FaultControl faults;
    RequestLog log;
    std::string wwwDir;
    int portalPort = 0;
    int h5Port = 0;

    std::string latestVersion() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_latestVersion;
    }
    void setLatestVersion(const std::string &version)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_latestVersion = version;
    }

private:
    mutable std::mutex m_mutex;
    std::string m_latestVersion = "1.5.1.4";
};
