// The form is laid out in pixels of a 96 DPI screen. On a denser screen every place and size, the font and
// the layout rule's margin grow with the window's DPI, rounded as the system's MulDiv rounds, so that the
// panel keeps its proportions and stays sharp; at 96 DPI every value stays exactly as laid out.
#pragma once

namespace dpi_scale {

// The density the form is laid out for.
constexpr int kBaseDpi = 96;

// `value`, laid out at 96 DPI, at `dpi`: value * dpi / 96 rounded to the nearest integer, halves away from
// zero (MulDiv's rounding).
int scaled(int value, int dpi);

// A control's place and size in its container.
struct Box {
    int x, y, width, height;
};
Box scaled(const Box& box, int dpi);

// LOGFONT's lfHeight for a font of `points` at `dpi`: the character height in pixels, negative.
int fontHeight(int points, int dpi);

// The layout rule of the quick reply group at `dpi`: its height is the window's height less the remark
// group's and the input box's, plus a margin of 15 pixels at 96 DPI. May be negative (applied as 0).
int quickReplyGroupHeight(int windowHeight, int remarkGroupHeight, int inputHeight, int dpi);

}  // namespace dpi_scale
