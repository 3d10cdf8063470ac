#include "ui/ChanceBadge.h"

#include <cmath>

#include <QLabel>
#include <QPalette>

namespace {

// Relative luminance of an sRGB colour (0 black to 1 white), as contrast ratios are defined on.
double Luminance(const QColor& colour)
{
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.red()) + 0.7152 * linear(rgb.green()) + 0.0722 * linear(rgb.blue());
}

} // namespace

QColor ChanceBadgeColour(gw::ChanceColour colour)
{
    switch (colour) {
    case gw::ChanceColour::Green:
        return QColor(0, 128, 0);
    case gw::ChanceColour::Yellow:
        return QColor(255, 255, 0);
    case gw::ChanceColour::Red:
        return QColor(255, 0, 0);
    case gw::ChanceColour::WindowText:
        break;
    }
    return {};
}

QColor ReadableTextOn(const QColor& background)
{
    // Against black the ratio is (L + 0.05) / 0.05, against white 1.05 / (L + 0.05).
    const double l = Luminance(background);
    return (l + 0.05) * (l + 0.05) >= 0.05 * 1.05 ? QColor(Qt::black) : QColor(Qt::white);
}

void ShowChance(QLabel* label, gw::ChanceColour colour)
{
    const QColor badge = ChanceBadgeColour(colour);
    if (!badge.isValid()) {
        // Back to the surroundings' colours, following any later change of the palette.
        if (label->testAttribute(Qt::WA_SetPalette))
            label->setPalette(QPalette());
        return;
    }
    const QColor text = ReadableTextOn(badge);
    const QPalette& shown = label->palette();
    if (label->testAttribute(Qt::WA_SetPalette) && shown.color(QPalette::Window) == badge &&
        shown.color(QPalette::WindowText) == text)
        return;
    QPalette palette;
    palette.setColor(QPalette::Window, badge);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
}
