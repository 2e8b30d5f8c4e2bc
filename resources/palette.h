#pragma once

#include "canvas.h"

namespace resources::palette {

// The button face behind every command picture.
inline constexpr Rgb face{192, 192, 192};
// Marker icons are drawn on the colour that the map markers make transparent (pure red), so
// only the figure shows on the map; the figures themselves avoid that colour.
inline constexpr Rgb marker_transparent{255, 0, 0};

inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb grey{128, 128, 128};
inline constexpr Rgb road{96, 96, 96};
inline constexpr Rgb red{220, 30, 30};
inline constexpr Rgb dark_red{150, 0, 0};
inline constexpr Rgb green{20, 150, 40};
inline constexpr Rgb light_green{140, 220, 120};
inline constexpr Rgb blue{30, 70, 200};
inline constexpr Rgb light_blue{130, 180, 250};
inline constexpr Rgb yellow{250, 220, 40};
inline constexpr Rgb orange{245, 140, 20};
inline constexpr Rgb purple{140, 60, 170};
inline constexpr Rgb pink{240, 150, 190};
inline constexpr Rgb brown{120, 70, 30};

} // namespace resources::palette
