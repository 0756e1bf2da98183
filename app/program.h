// The program's windows and the history they work on, built together once for the whole run.
// Each window is given what it uses when it is built; none is loaded before its first use.
#pragma once

#include <string>

#include "history/history.h"
#include "registry/cqueryreg.h"
#include "ui/layer/application.h"
#include "ui/windows/form1.h"
#include "ui/windows/form2.h"
#include "ui/windows/mensaje.h"
#include "ui/windows/presentacion.h"

namespace tilu {

struct Program {
    // The main window works on the history in historyKeys through registry, its changes under
    // `lock`; application, registry and lock must outlive the program.
    Program(ui::Application& application, const cQueryReg& registry, HistoryKeys historyKeys,
            ChangeLock& lock);

    // Loads and shows the welcome window, centred; reads nothing yet.
    void Start();

    // Built in this order. The main window and its history, and the main window and its edit
    // dialog, name each other: the earlier is given the later one before it is built, and uses
    // it only once the program runs.
    ui::Mensaje mensaje;
    ui::Form1 form1;
    History history;
    ui::Form2 form2;
    ui::Presentación presentación;
};

}  // namespace tilu
