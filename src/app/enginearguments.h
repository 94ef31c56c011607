#pragma once

#include <vector>

// The command line handed to the application object: the process arguments
// followed by the two switches for the embedded browser. Owns the buffers, so
// the argv it gives out stays valid for the life of the application.
class EngineArguments
{
public:
    EngineArguments(int argc, char **argv);

    int &argc() { return m_argc; }
    char **argv() { return m_pointers.data(); }

private:
    void append(const char *text);

    std::vector<std::vector<char>> m_buffers;
    std::vector<char *> m_pointers;
    int m_argc = 0;
};
