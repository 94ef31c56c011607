#pragma once

#include "shell/mainframe.h"

// The main window with the process exit replaced by a counter.
class TestMainFrame : public MainFrame
{
public:
    using MainFrame::MainFrame;
    int quitRequests = 0;

protected:
    void quitApplication() override { ++quitRequests; }
};
