#include "screen_capture.h"

#include <cstdio>

#include "util/handles.h"

ScreenCapture ScreenCapture::of(const RECT& area) {
    ScreenCapture capture;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return capture;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    handles::unique_gdiobj bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && memory) {
        HGDIOBJ previous = SelectObject(memory, bitmap.get());
        if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
            GdiFlush();
            const auto* source = static_cast<const std::uint32_t*>(bits);
            capture.pixels_.assign(source, source + static_cast<std::size_t>(width) * height);
            capture.width_ = width;
            capture.height_ = height;
        }
        SelectObject(memory, previous);
    }
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

COLORREF ScreenCapture::at(int x, int y) const {
    const std::uint32_t pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool ScreenCapture::contains(const RECT& part, COLORREF colour) const {
    for (int y = part.top > 0 ? part.top : 0; y < part.bottom && y < height_; ++y) {
        for (int x = part.left > 0 ? part.left : 0; x < part.right && x < width_; ++x) {
            if (at(x, y) == colour) return true;
        }
    }
    return false;
}

double ScreenCapture::shareOfSamePixels(const ScreenCapture& other) const {
    if (empty() || width_ != other.width_ || height_ != other.height_) return 0;
    std::size_t same = 0;
    for (std::size_t i = 0; i < pixels_.size(); ++i)
        same += (pixels_[i] & 0xFFFFFF) == (other.pixels_[i] & 0xFFFFFF);
    return static_cast<double>(same) / pixels_.size();
}

bool ScreenCapture::saveBmp(const std::string& path) const {
    if (empty()) return false;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width_;
    info.biHeight = -height_;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    // Opaque: the screen gives no alpha, and viewers would take 0 for transparent.
    std::vector<std::uint32_t> opaque(pixels_);
    for (std::uint32_t& pixel : opaque) pixel |= 0xFF000000u;
    const DWORD pixelBytes = static_cast<DWORD>(opaque.size() * sizeof opaque[0]);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + pixelBytes;

    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                         std::fwrite(&info, sizeof info, 1, out) == 1 &&
                         std::fwrite(opaque.data(), pixelBytes, 1, out) == 1;
    return std::fclose(out) == 0 && written;
}
