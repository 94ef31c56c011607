#pragma once

// Figures for a skin package whose style sheet is as large as the client
// takes, and one byte larger, installed and applied in the real main window:
// the process tree's memory, the GUI thread's longest stall while it arrives,
// and what applying it again costs (as at every later start). Printed, never
// asserted.
namespace HostileSkinsBench {
void run();
}
