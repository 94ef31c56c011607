#pragma once

#include <cstddef>
#include <vector>

// The command line handed to the application object: the program, the
// shortcut addresses among the process arguments (cut to a little over the
// longest valid address, so an overlong one still reads as invalid), and the
// two switches for the embedded browser. Nothing else reaches Qt or the
// engine: whoever starts the client (a desktop entry for any address a page
// hands the desktop) cannot slip a switch in. Owns the buffers, so the argv
// it gives out stays valid for the life of the application.
class EngineArguments
{
public:
    EngineArguments(int argc, char **argv);

    int &argc() { return m_argc; }
    char **argv() { return m_pointers.data(); }

private:
    void append(const char *text, std::size_t length);

    std::vector<std::vector<char>> m_buffers;
    std::vector<char *> m_pointers;
    int m_argc = 0;
};
