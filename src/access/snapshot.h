// The text record of an element, read in one go (ElementInfo, access/element_info.h), and the rectangle
// of a window.
#pragma once

#include <windows.h>

#include "access/acc_element.h"
#include "access/element_info.h"

// A new record of the element's properties; properties that cannot be read give their defaults. The
// element is not changed.
ElementInfo snapshot(const AccElement& element);

// The window's rectangle as left, top, width, height; all 0 when there is no such window.
Bounds windowBounds(HWND window);
