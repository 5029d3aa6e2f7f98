#include "view/PrintColors.h"

#include <cmath>

namespace printcolors {
namespace {

// Steps of the search for the lightest shade that is dark enough.
constexpr int kSearchSteps = 24;

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
    return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

// `color` with every channel scaled by `factor` (0..1): the same hue and
// saturation, a lower value.
QColor Scaled(const QColor& color, double factor) {
    return QColor(int(std::floor(color.red() * factor)), int(std::floor(color.green() * factor)),
                  int(std::floor(color.blue() * factor)));
}

}  // namespace

double ContrastOnWhite(const QColor& color) {
    return 1.05 / (Luminance(color) + 0.05);
}

QColor OnWhitePaper(const QColor& screen) {
    const QColor rgb = screen.toRgb();
    if (ContrastOnWhite(rgb) >= kMinContrast) {
        return rgb;
    }
    if (rgb.red() == rgb.green() && rgb.green() == rgb.blue()) {
        return QColor(Qt::black);  // a grey has no hue to keep
    }
    // The largest scale whose color is still dark enough.
    double dark = 0.0;
    double light = 1.0;
    for (int i = 0; i < kSearchSteps; ++i) {
        const double mid = (dark + light) / 2;
        if (ContrastOnWhite(Scaled(rgb, mid)) >= kMinContrast) {
            dark = mid;
        } else {
            light = mid;
        }
    }
    return Scaled(rgb, dark);
}

}  // namespace printcolors
