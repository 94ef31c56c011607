#pragma once

#include <cstddef>
#include <vector>

// The command line handed to the application object: the program, the
// shortcut addresses among the process arguments (cut to a little over the
// longest valid address, so an overlong one still reads as invalid), the
// two switches for the embedded browser and those that keep games running
// out of sight. Nothing else reaches Qt or the
// engine: whoever starts the client (a desktop entry for any address a page
// hands the desktop) cannot slip a switch in. Owns the buffers, so the argv
// it gives out stays valid for the life of the application.
class EngineArguments
{
public:
    EngineArguments(int argc, char **argv);

    // Without them the engine slows the timers of a hidden page to one a
    // second, and of a window out of sight: a game behind another tab, the
    // boss key or in the tray would stall and lose its connection. Which
    // pages may still sleep is decided by hiding and freezing them.
    static const std::vector<const char *> &backgroundSwitches();

    int &argc() { return m_argc; }
    char **argv() { return m_pointers.data(); }

private:
    void append(const char *text, std::size_t length);

    std::vector<std::vector<char>> m_buffers;
    std::vector<char *> m_pointers;
    int m_argc = 0;
};
