#include "app/startup.h"

#include <utility>

#include "ui/layer/application.h"
#include "ui/windows/form1.h"
#include "ui/windows/presentacion.h"

namespace tilu {

void StartProgram(const cQueryReg& registry, std::wstring historyKey) {
    ui::TheForm<ui::Form1>().UseHistory(registry, std::move(historyKey));
    ui::TheForm<ui::Presentación>().Show();
}

}  // namespace tilu
