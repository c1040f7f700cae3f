#pragma once

#include <QFont>
#include <QRect>

// The numbers the layout was drawn for: 96 pixels per inch, a font 11 pixels
// high whose text height is 13.
namespace layout {

inline constexpr int kDesignDpi = 96;
inline constexpr int kDesignFontPixels = 11;
inline constexpr int kDesignTextHeight = 13;

// The dialog's outer frame as it opens.
inline constexpr QRect kWindowFrame{152, 133, 550, 214};

// The dialog's font for a display of `dpi` pixels per inch: "MS Sans Serif",
// or the system's sans-serif where it is missing, 11 pixels high at 96 dpi.
QFont DialogFont(int dpi);

// A control's place rescaled from the design text height to `textHeight`: each
// edge multiplied by the ratio and rounded to the nearest pixel.
QRect ScaledPlace(const QRect& place, int textHeight);

}  // namespace layout
