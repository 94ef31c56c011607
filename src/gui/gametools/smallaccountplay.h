#pragma once

#include "net/identity.h"

class QObject;
class QTableWidget;
class LoginService;
class Sqlite;
class TabWidget;

// What the manager's play buttons and the side bar's tiles share around a
// small account's login: its cookies go into the profile named after its user
// id, and new tabs of the tab manager then play as that account.
class SmallAccountPlay
{
public:
    static LoginService *newLogin(Sqlite *store, QObject *parent);
    // The account context of the tab manager: the small account plays, in its own profile.
    static void enter(TabWidget *tabs, const Identity &who);
    // The thin scroll bars of the small-account tables.
    static void styleScrollBars(QTableWidget *table);
};
