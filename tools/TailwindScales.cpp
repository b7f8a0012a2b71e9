// Compares the tonal scales with Tailwind CSS 4's chromatic scales: each made from Tailwind's own
// 500 step, the CIEDE2000 distance of the other ten steps to Tailwind's, gamut-mapped to sRGB. Also
// with each scale's own hue region left out of the table, as for a color the table was not fitted to.
// Reads theme.css on standard input; prints one line a scale, then the figures of the whole set.
#include "color/ColorDifference.h"
#include "color/CssColorSpaces.h"
#include "color/TonalScales.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

constexpr const char* kChromatic[] = {"red",     "orange", "amber",   "yellow", "lime", "green",
                                      "emerald", "teal",   "cyan",    "sky",    "blue", "indigo",
                                      "violet",  "purple", "fuchsia", "pink",   "rose"};

struct Figures {
    double sum = 0;
    int count = 0;
    double largest = 0;
    std::string worst;

    void Add(double distance, const std::string& where) {
        sum += distance;
        ++count;
        if (distance > largest) {
            largest = distance;
            worst = where;
        }
    }
};

} // namespace

int main() {
    const std::string css{std::istreambuf_iterator<char>(std::cin), {}};
    const std::regex entry(R"(--color-([a-z]+)-(\d+):\s*oklch\(([\d.]+)%\s+([\d.]+)\s+([\d.]+)\))");
    std::map<std::string, std::map<int, Color>> scales;
    for (auto it = std::sregex_iterator(css.begin(), css.end(), entry); it != std::sregex_iterator(); ++it) {
        const Triple lch = {std::stod((*it)[3]) / 100, std::stod((*it)[4]), std::stod((*it)[5])};
        scales[(*it)[1]][std::stoi((*it)[2])] = OklabToColor(PolarToRectangular(lch)).value_or(0);
    }
    const auto regions = ScaleHueRegions();
    Figures all, leftOut;
    for (const char* name : kChromatic) {
        const auto& tailwind = scales[name];
        if (tailwind.size() != kScaleSteps) {
            std::fprintf(stderr, "theme.css has no complete %s scale\n", name);
            return 2;
        }
        const Color source = tailwind.at(500);
        const double sourceHue = RectangularToPolar(ColorToOklab(source))[2];
        std::vector<HueRegion> others;
        for (const HueRegion& region : regions) {
            if (std::fabs(std::remainder(region.hue - sourceHue, 360.0)) > 0.5) {
                others.push_back(region);
            }
        }
        const TonalScale made = MakeTonalScale(source);
        const TonalScale madeWithout = MakeTonalScale(source, others);
        Figures scale;
        for (int step = 0; step < kScaleSteps; ++step) {
            const int stepName = kScaleStepNames[step];
            if (stepName == 500) {
                continue;
            }
            const std::string where = std::string(name) + "-" + std::to_string(stepName);
            const double distance = Ciede2000(made.steps[step], tailwind.at(stepName));
            scale.Add(distance, where);
            all.Add(distance, where);
            leftOut.Add(Ciede2000(madeWithout.steps[step], tailwind.at(stepName)), where);
        }
        std::printf("%-8s source at %d  mean %5.2f  max %5.2f (%s)\n", name, kScaleStepNames[made.sourceStep],
                    scale.sum / scale.count, scale.largest, scale.worst.c_str());
    }
    std::printf("all 17 scales: mean %.2f, max %.2f (%s)\n", all.sum / all.count, all.largest,
                all.worst.c_str());
    std::printf("each scale's own region left out: mean %.2f, max %.2f (%s)\n", leftOut.sum / leftOut.count,
                leftOut.largest, leftOut.worst.c_str());
    return 0;
}
