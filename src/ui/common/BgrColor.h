#pragma once

#include <QColor>

#include <cstdint>

namespace pelmar {

// A colour stored as 0xBBGGRR, the way the program's colour tables write them.
[[nodiscard]] inline QColor BgrColor(std::uint32_t bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// The same colour as a 0xRRGGBB pixel value, as QImage::pixel gives it (without alpha).
[[nodiscard]] constexpr std::uint32_t BgrToRgb(std::uint32_t bgr) {
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

} // namespace pelmar
