#include "app/CheckerState.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <optional>
#include <vector>

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

constexpr std::wstring_view kTargetNames[] = {L"AA", L"AAA", L"APCA"};

} // namespace

// The target is written only when it is not AA: older versions read a fourth field as damage (and
// open closed, beside the main window), so most users' values stay exactly as those versions wrote
// them.
std::wstring FormatCheckerState(const CheckerState& state) {
    std::wstring text = state.open ? L"1" : L"0";
    const bool withTarget = state.target != ContrastTarget::AA;
    if (state.placed) {
        text += L',' + std::to_wstring(state.left) + L',' + std::to_wstring(state.top);
    } else if (withTarget) {
        text += L",,";
    }
    if (withTarget) {
        text += L',';
        text += kTargetNames[static_cast<int>(state.target)];
    }
    return text;
}

// Fields past the ones known here, and a target not known here, are a later version's: they are
// passed over and the rest is kept.
CheckerState CheckerStateFromStored(std::wstring_view stored) {
    std::vector<std::wstring_view> fields;
    for (size_t comma; (comma = stored.find(L',')) != std::wstring_view::npos;) {
        fields.push_back(stored.substr(0, comma));
        stored.remove_prefix(comma + 1);
    }
    fields.push_back(stored);
    if (fields[0] != L"0" && fields[0] != L"1") {
        return {};
    }
    CheckerState state;
    state.open = fields[0] == L"1";
    if (fields.size() == 1) {
        return state;
    }
    if (fields.size() == 2 || (fields.size() > 3 && fields[3].empty())) {
        return {};
    }
    // Empty coordinates are a never-placed window's, which only a target makes write any.
    if (fields.size() == 3 || !fields[1].empty() || !fields[2].empty()) {
        auto left = ParseInt(fields[1]);
        auto top = ParseInt(fields[2]);
        if (!left || !top) {
            return {};
        }
        state.placed = true;
        state.left = *left;
        state.top = *top;
    }
    if (fields.size() > 3) {
        const auto known = std::find(std::begin(kTargetNames), std::end(kTargetNames), fields[3]);
        if (known != std::end(kTargetNames)) {
            state.target = static_cast<ContrastTarget>(known - std::begin(kTargetNames));
        }
    }
    return state;
}
