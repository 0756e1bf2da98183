// The program's start: it has no procedure of its own beyond showing the welcome window.
#pragma once

#include <string>

#include "registry/cqueryreg.h"

namespace tilu {

// Loads and shows the welcome window, centred; reads nothing yet. The main window, once the
// user goes on, works on the history at historyKey through registry, which must outlive the
// message loop.
void StartProgram(const cQueryReg& registry, std::wstring historyKey);

}  // namespace tilu
