#include "app/program.h"

#include <utility>

namespace tilu {

Program::Program(ui::Application& application, const cQueryReg& registry, HistoryKeys historyKeys,
                 ChangeLock& lock)
    : mensaje(application),
      form1(application, history, mensaje, form2),
      history(registry, form1, std::move(historyKeys), lock),
      form2(application, form1),
      presentación(application, form1) {}

void Program::Start() {
    presentación.Show();
}

}  // namespace tilu
