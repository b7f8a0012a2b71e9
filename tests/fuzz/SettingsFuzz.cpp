// Arbitrary stored settings through the rules that turn them into program values: the window
// placement from any stored origin, with the window's own size and a screen of up to 65535 pixels
// a side, the copy format and the inspector's value from any text. Input: six int32 (left, top, width,
// height, screen width, screen height), then the text, two bytes to a character.
#include "app/SettingsValues.h"
#include "tests/fuzz/Require.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int32_t numbers[6] = {};
    std::memcpy(numbers, data, size < sizeof(numbers) ? size : sizeof(numbers));
    const auto [left, top, rawWidth, rawHeight, rawScreenWidth, rawScreenHeight] = numbers;
    // The size comes from the dialog template, not from the settings.
    const int width = 1 + (rawWidth & 0xFFF);
    const int height = 1 + (rawHeight & 0xFFF);
    const int screenWidth = 1 + (rawScreenWidth & 0xFFFF);
    const int screenHeight = 1 + (rawScreenHeight & 0xFFFF);
    if (auto placed = PlacementFromStored(left, top, width, height, screenWidth, screenHeight)) {
        // A window that is placed at all shows part of itself on the screen.
        Require(placed->left < screenWidth && placed->top < screenHeight && placed->right > 0 &&
                placed->bottom > 0);
        Require(placed->right - static_cast<long long>(placed->left) == width || (left == 0 && top == 0));
    }

    std::wstring stored;
    for (std::size_t i = sizeof(numbers); i + 1 < size; i += 2) {
        stored.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    }
    Require(CopyFormatFromStored(stored).size() <= kCopyFormatLimit);
    // Whatever was read is written back as a value that reads the same.
    const CheckerState checker = CheckerStateFromStored(stored);
    Require(CheckerStateFromStored(FormatCheckerState(checker)) == checker);
    return 0;
}
