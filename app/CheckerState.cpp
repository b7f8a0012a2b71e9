#include "app/CheckerState.h"

#include <climits>
#include <optional>

namespace {

// A whole int in decimal: an optional minus (a monitor left of or above the primary one has negative
// coordinates), then digits and nothing else.
std::optional<int> ParseInt(std::wstring_view text) {
    bool negative = !text.empty() && text.front() == L'-';
    if (negative) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    long long value = 0;
    for (wchar_t digit : text) {
        if (digit < L'0' || digit > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (digit - L'0');
        // Checked at every digit, so no run of digits can overflow the accumulator.
        if (value > static_cast<long long>(INT_MAX) + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace

std::wstring FormatCheckerState(const CheckerState& state) {
    std::wstring text = state.open ? L"1" : L"0";
    if (state.placed) {
        text += L',' + std::to_wstring(state.left) + L',' + std::to_wstring(state.top);
    }
    return text;
}

CheckerState CheckerStateFromStored(std::wstring_view stored) {
    CheckerState state;
    if (stored.empty() || (stored.front() != L'0' && stored.front() != L'1')) {
        return {};
    }
    state.open = stored.front() == L'1';
    stored.remove_prefix(1);
    if (stored.empty()) {
        return state;
    }
    size_t second = stored.find(L',', 1);
    if (stored.front() != L',' || second == std::wstring_view::npos) {
        return {};
    }
    auto left = ParseInt(stored.substr(1, second - 1));
    auto top = ParseInt(stored.substr(second + 1));
    if (!left || !top) {
        return {};
    }
    state.placed = true;
    state.left = *left;
    state.top = *top;
    return state;
}
