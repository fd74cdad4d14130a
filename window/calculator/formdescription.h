#pragma once

#include <QColor>
#include <QString>

#include <array>

// The stored description of the window Form1: every control with its place, caption, font and
// colour, in tab order. Positions and sizes are in twips, 15 to a pixel, measured from the
// top-left corner of the client area; font sizes are in points.
namespace tolvemar {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 15405;
inline constexpr int kClientHeightTwips = 8040;

enum class ControlKind { Calendar, CommandButton, OptionButton, ComboBox, Label, TextBox };

struct ControlDescription {
    const char *name;
    ControlKind kind;
    QString caption;
    int left;
    int top;
    int width;
    int height;
    qreal fontPoints; // 0: the platform's default font
    QColor colour;    // invalid: the platform's default text colour
};

inline constexpr int kControlCount = 23;

const std::array<ControlDescription, kControlCount> &form1Description();

// The daily vacazioni offered by Combo1, in this order.
inline constexpr std::array<const char *, 4> kCombo1Items = {"1", "2", "3", "4"};

} // namespace tolvemar
