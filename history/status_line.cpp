#include "history/status_line.h"

#include <string_view>

namespace tilu {

namespace {

constexpr std::wstring_view kSelected = L"Elemento seleccionado: ";
constexpr std::wstring_view kOf = L" de ";
constexpr std::wstring_view kOfAfterDelete = L"  de ";

std::wstring Compose(int shown, std::wstring_view of, int count) {
    std::wstring text(kSelected);
    text += std::to_wstring(shown);
    text += of;
    text += std::to_wstring(count);
    return text;
}

}  // namespace

std::wstring LoadStatus(std::int16_t recordedIndex, int count) {
    return Compose(recordedIndex, kOf, count);
}

std::wstring SelectionStatus(std::int16_t recordedIndex, int count) {
    return Compose(recordedIndex + 1, kOf, count);
}

std::wstring RefreshStatus(int count) {
    return Compose(0, kOf, count);
}

std::wstring DeleteStatus(int count) {
    return Compose(0, kOfAfterDelete, count);
}

std::wstring ReplaceStatus(int count) {
    return Compose(0, kOf, count);
}

}  // namespace tilu
