// The text record of an element, read in one go (ElementInfo, access/element_info.h) or field by field, and
// the rectangle of a window.
#pragma once

#include <windows.h>

#include "access/acc_element.h"
#include "access/element_info.h"

// A new record of the element's properties; properties that cannot be read give their defaults. The
// element is not changed.
ElementInfo snapshot(const AccElement& element);

// One of the fields that conditions test, read alone: the text snapshot() gives that field, at the cost of
// that field's calls only (none for childId, one for each of the others).
Text snapshotField(const AccElement& element, TestedField field);
// The name field alone: the element's name, "NAMELESS" when it is empty. One call where a snapshot makes
// eleven or twelve; all that the chat tracker's tick looks at.
Text snapshotName(const AccElement& element);

// The window's rectangle as left, top, width, height; all 0 when there is no such window.
Bounds windowBounds(HWND window);
