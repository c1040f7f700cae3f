#include "Layout.h"

#include <cmath>

namespace layout {

namespace {

int Scaled(int value, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

}  // namespace

QFont DialogFont(int dpi) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(Scaled(kDesignFontPixels, dpi, kDesignDpi));
    return font;
}

QRect ScaledPlace(const QRect& place, int textHeight) {
    if (textHeight == kDesignTextHeight) return place;
    const int left = Scaled(place.left(), textHeight, kDesignTextHeight);
    const int top = Scaled(place.top(), textHeight, kDesignTextHeight);
    const int right = Scaled(place.left() + place.width(), textHeight, kDesignTextHeight);
    const int bottom = Scaled(place.top() + place.height(), textHeight, kDesignTextHeight);
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace layout
