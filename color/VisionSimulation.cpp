#include "color/VisionSimulation.h"

#include "color/Contrast.h"

#include <cmath>

namespace {

using Matrix = double[3][3];

// Machado, Oliveira and Fernandes (2009), severity 1.0, on linear RGB.
constexpr Matrix kProtanopia = {
    {0.152286, 1.052583, -0.204868},
    {0.114503, 0.786281, 0.099216},
    {-0.003882, -0.048116, 1.051998},
};
constexpr Matrix kDeuteranopia = {
    {0.367322, 0.860646, -0.227968},
    {0.280085, 0.672501, 0.047413},
    {-0.011820, 0.042940, 0.968881},
};
constexpr Matrix kTritanopia = {
    {1.255528, -0.076749, -0.178779},
    {-0.078411, 0.930809, 0.147602},
    {0.004733, 0.691367, 0.303900},
};

// The matrices can leave the gamut (pure red gives a little negative blue); the screen cannot.
int LinearToByte(double linear) noexcept {
    if (!(linear > 0.0)) {
        return 0;
    }
    if (linear >= 1.0) {
        return 255;
    }
    const double encoded = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return ChannelToByte(encoded);
}

Color Apply(const Matrix& matrix, Color color) noexcept {
    const double linear[3] = {SrgbToLinear(RedOf(color)), SrgbToLinear(GreenOf(color)),
                              SrgbToLinear(BlueOf(color))};
    int out[3];
    for (int row = 0; row < 3; ++row) {
        out[row] = LinearToByte(matrix[row][0] * linear[0] + matrix[row][1] * linear[1] +
                                matrix[row][2] * linear[2]);
    }
    return MakeColor(out[0], out[1], out[2]);
}

} // namespace

// Without cones to tell colors apart only luminance is left: the grey of the same luminance.
Color SimulateVision(Color color, VisionDeficiency deficiency) {
    switch (deficiency) {
    case VisionDeficiency::Protanopia:
        return Apply(kProtanopia, color);
    case VisionDeficiency::Deuteranopia:
        return Apply(kDeuteranopia, color);
    case VisionDeficiency::Tritanopia:
        return Apply(kTritanopia, color);
    case VisionDeficiency::Achromatopsia:
        break;
    }
    const int grey = LinearToByte(RelativeLuminance(color));
    return MakeColor(grey, grey, grey);
}

const wchar_t* VisionDeficiencyName(VisionDeficiency deficiency) {
    switch (deficiency) {
    case VisionDeficiency::Protanopia:
        return L"Protanopia";
    case VisionDeficiency::Deuteranopia:
        return L"Deuteranopia";
    case VisionDeficiency::Tritanopia:
        return L"Tritanopia";
    case VisionDeficiency::Achromatopsia:
        break;
    }
    return L"Achromatopsia";
}
