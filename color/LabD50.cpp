#include "color/LabD50.h"

#include "color/Contrast.h"

namespace {

using Matrix = double[3][3];

// CSS Color 4: the D50 white from its chromaticity, Bradford D50 to D65, and XYZ (D65) to linear sRGB.
constexpr double kWhite[3] = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
constexpr Matrix kD50ToD65 = {
    {0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124},
};
constexpr Matrix kXyzToLinearSrgb = {
    {3.2409699419045226, -1.537383177570094, -0.4986107602930034},
    {-0.9692436362808796, 1.8759675015077202, 0.04155505740717559},
    {0.05563007969699366, -0.20397695888897652, 1.0569715142428786},
};
constexpr double kKappa = 24389.0 / 27.0;
constexpr double kEpsilon = 216.0 / 24389.0;

void Multiply(const Matrix& matrix, double (&vector)[3]) {
    const double in[3] = {vector[0], vector[1], vector[2]};
    for (int row = 0; row < 3; ++row) {
        vector[row] = matrix[row][0] * in[0] + matrix[row][1] * in[1] + matrix[row][2] * in[2];
    }
}

} // namespace

Color LabD50ToColor(double lightness, double a, double b) {
    const double fy = (lightness + 16.0) / 116.0;
    const double fx = fy + a / 500.0;
    const double fz = fy - b / 200.0;
    auto inverse = [](double f) { return f * f * f > kEpsilon ? f * f * f : (116.0 * f - 16.0) / kKappa; };
    double xyz[3] = {inverse(fx) * kWhite[0],
                     (lightness > kKappa * kEpsilon ? fy * fy * fy : lightness / kKappa) * kWhite[1],
                     inverse(fz) * kWhite[2]};
    Multiply(kD50ToD65, xyz);
    Multiply(kXyzToLinearSrgb, xyz);
    return MakeColor(LinearToByte(xyz[0]), LinearToByte(xyz[1]), LinearToByte(xyz[2]));
}
