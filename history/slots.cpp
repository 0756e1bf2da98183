#include "history/slots.h"

namespace tilu {

std::wstring SlotName(int slot) {
    return L"url" + std::to_wstring(slot);
}

}  // namespace tilu
