// What the screen shows in a rectangle, read back as pixels, and saved as a BMP file to look at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class ScreenCapture {
public:
    // Copies the screen rectangle `area` (screen coordinates). Empty when the copy fails.
    static ScreenCapture of(const RECT& area);

    bool empty() const { return pixels_.empty(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // Colour at a point relative to the captured area's top-left corner.
    COLORREF at(int x, int y) const;
    // Whether any pixel of `part` (relative to the captured area) has exactly this colour.
    bool contains(const RECT& part, COLORREF colour) const;
    // The share of pixels, from 0 to 1, that have the same colour in both captures (0 when the sizes differ).
    double shareOfSamePixels(const ScreenCapture& other) const;
    // A 32-bit BMP file; false when it cannot be written.
    bool saveBmp(const std::string& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;  // top-down rows of 0x00RRGGBB
};
