// A palettized device-independent bitmap held as one block (header, palette, bottom-up rows), the
// form in which the shaded button keeps its faces and hands them to SetDIBitsToDevice.
#pragma once

#include "color/ColorMath.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class ShadeBitmap {
public:
    ShadeBitmap() = default;
    ShadeBitmap(const ShadeBitmap& other); // copies the whole block (width, height, bit count)
    ShadeBitmap& operator=(const ShadeBitmap& other);
    ShadeBitmap(ShadeBitmap&& other) noexcept;
    ShadeBitmap& operator=(ShadeBitmap&& other) noexcept;

    // Frees any old block, rounds bitCount up to 1, 4, 8 or 24, fills the header and allocates
    // (std::nothrow); false and empty when allocation fails or a size is not positive.
    bool Create(int width, int height, int bitCount);
    void Clear();
    bool IsEmpty() const { return block == nullptr; }
    int Width() const { return width; }
    int Height() const { return height; }
    int BitCount() const { return bitCount; }
    int Stride() const { return stride; }           // ((width * bitCount + 31) / 32) * 4
    int PaletteSize() const { return paletteSize; } // 2, 16, 256 or 0
    // The block from its start: a 40-byte BITMAPINFOHEADER (little-endian fields) followed by the
    // palette, laid out so the Win32 side can pass it as a BITMAPINFO* to SetDIBitsToDevice. Null when
    // empty.
    const void* Info() const { return block.get(); }
    const std::uint8_t* Bits() const; // first stored row = bottom row on screen
    std::uint8_t* Bits();
    std::uint8_t* Row(int storedRow); // storedRow 0 = bottom
    const std::uint8_t* Row(int storedRow) const;
    // As 0x00BBGGRR; the block stores blue, green, red, 0. The index must be below PaletteSize().
    Color PaletteEntry(int index) const {
        const std::uint8_t* entry = block.get() + kHeaderSize + 4 * index;
        return MakeColor(entry[2], entry[1], entry[0]);
    }
    void SetPaletteEntry(int index, Color color) {
        std::uint8_t* entry = block.get() + kHeaderSize + 4 * index;
        entry[0] = static_cast<std::uint8_t>(BlueOf(color));
        entry[1] = static_cast<std::uint8_t>(GreenOf(color));
        entry[2] = static_cast<std::uint8_t>(RedOf(color));
        entry[3] = 0;
    }
    // Every palette channel e becomes (c * p + e * (100 - p)) / 100, p capped at 100; nothing when
    // empty.
    void Tint(Color color, unsigned percent);

private:
    static constexpr int kHeaderSize = 40;

    std::size_t BlockSize() const;

    std::unique_ptr<std::uint8_t[]> block;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    int stride = 0;
    int paletteSize = 0;
};
