#pragma once

#include <QWebEngineProfile>

// A disk-based web profile per storage name: "default" for the main account,
// the user id for each small account, so that every account keeps its own
// cookies and storage, in a private cacheData/ of the data directory.
// Profiles are shared process-wide and never freed.
class WebEngineProfile : public QWebEngineProfile
{
    Q_OBJECT
public:
    // The registered profile for name, created on first request.
    static WebEngineProfile *profileFor(const QString &name);
    // The cookie store of the profile of that name: where a small account's login writes.
    static QWebEngineCookieStore *cookieStoreOf(const QString &name);
    // Every profile made so far in this process: the live ones.
    static QList<WebEngineProfile *> liveProfiles();

    // The folder name under cacheData/ that a storage name maps to; names
    // that could leave cacheData/ ("..", "a/b") are encoded.
    static QString storageFolder(const QString &name);

    QString cacheRoot;

    // The settings every profile of the process shares, the engine's own
    // default profile included: unknown schemes are not handed on.
    static void guard(QWebEngineProfile *profile);

private:
    explicit WebEngineProfile(const QString &name);
    void setupPaths(const QString &name);
};
