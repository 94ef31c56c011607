#pragma once

// Figures for pages that misbehave in web tabs (a flood of new tabs, an
// alert loop): tabs opened, memory of the process tree and the longest
// stall of the GUI thread. Printed, never asserted.
namespace HostilePagesBench {
void run();
}
