#include "widgets/ShadeBitmap.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <utility>

namespace {

// The header is written byte by byte so its layout does not depend on the host's byte order.
void PutLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

ShadeBitmap::ShadeBitmap(const ShadeBitmap& other) {
    *this = other;
}

ShadeBitmap& ShadeBitmap::operator=(const ShadeBitmap& other) {
    if (this == &other)
        return *this;
    Clear();
    if (!other.IsEmpty() && Create(other.width, other.height, other.bitCount))
        std::memcpy(block.get(), other.block.get(), BlockSize());
    return *this;
}

ShadeBitmap::ShadeBitmap(ShadeBitmap&& other) noexcept {
    *this = std::move(other);
}

ShadeBitmap& ShadeBitmap::operator=(ShadeBitmap&& other) noexcept {
    if (this == &other)
        return *this;
    block = std::move(other.block);
    width = std::exchange(other.width, 0);
    height = std::exchange(other.height, 0);
    bitCount = std::exchange(other.bitCount, 0);
    stride = std::exchange(other.stride, 0);
    paletteSize = std::exchange(other.paletteSize, 0);
    return *this;
}

bool ShadeBitmap::Create(int width, int height, int bitCount) {
    Clear();
    if (width <= 0 || height <= 0)
        return false;
    const int bits = bitCount <= 1 ? 1 : bitCount <= 4 ? 4 : bitCount <= 8 ? 8 : 24;
    const int entries = bits == 24 ? 0 : 1 << bits;
    const long long rowBytes = (static_cast<long long>(width) * bits + 31) / 32 * 4;
    const long long imageBytes = rowBytes * height;
    // The header holds the image size in 32 bits; anything larger is refused like a failed allocation.
    if (imageBytes > INT_MAX - kHeaderSize - 4 * 256)
        return false;
    const std::size_t size = kHeaderSize + 4 * static_cast<std::size_t>(entries) + imageBytes;
    // Zero-filled, so the row padding and an unwritten palette are defined.
    block.reset(new (std::nothrow) std::uint8_t[size]());
    if (!block)
        return false;
    this->width = width;
    this->height = height;
    this->bitCount = bits;
    stride = static_cast<int>(rowBytes);
    paletteSize = entries;

    std::uint8_t* header = block.get();
    PutLittleEndian(header, kHeaderSize, 4);
    PutLittleEndian(header + 4, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(header + 8, static_cast<std::uint32_t>(height), 4); // positive: bottom-up rows
    PutLittleEndian(header + 12, 1, 2);                                 // planes
    PutLittleEndian(header + 14, static_cast<std::uint32_t>(bits), 2);
    PutLittleEndian(header + 16, 0, 4); // BI_RGB
    PutLittleEndian(header + 20, static_cast<std::uint32_t>(imageBytes), 4);
    return true;
}

void ShadeBitmap::Clear() {
    block.reset();
    width = height = bitCount = stride = paletteSize = 0;
}

std::size_t ShadeBitmap::BlockSize() const {
    return kHeaderSize + 4 * static_cast<std::size_t>(paletteSize) +
           static_cast<std::size_t>(stride) * height;
}

const std::uint8_t* ShadeBitmap::Bits() const {
    return block ? block.get() + kHeaderSize + 4 * paletteSize : nullptr;
}

std::uint8_t* ShadeBitmap::Bits() {
    return block ? block.get() + kHeaderSize + 4 * paletteSize : nullptr;
}

std::uint8_t* ShadeBitmap::Row(int storedRow) {
    return Bits() + static_cast<std::ptrdiff_t>(storedRow) * stride;
}

const std::uint8_t* ShadeBitmap::Row(int storedRow) const {
    return Bits() + static_cast<std::ptrdiff_t>(storedRow) * stride;
}

void ShadeBitmap::Tint(Color color, unsigned percent) {
    const int p = static_cast<int>(std::min(percent, 100u));
    const auto mix = [p](int c, int e) { return (c * p + e * (100 - p)) / 100; };
    for (int i = 0; i < paletteSize; ++i) {
        const Color entry = PaletteEntry(i);
        SetPaletteEntry(i, MakeColor(mix(RedOf(color), RedOf(entry)), mix(GreenOf(color), GreenOf(entry)),
                                     mix(BlueOf(color), BlueOf(entry))));
    }
}
