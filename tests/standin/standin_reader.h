// Reading a window's accessibility tree from another process with plain oleacc calls, independent of the
// panel's own accessibility layer: for tests and benchmarks that look at what the stand-in serves.
#pragma once

#include <oleacc.h>
#include <windows.h>
#include <wrl/client.h>

#include <optional>
#include <string>
#include <vector>

namespace standin {

// Paths below the client area (the window object's fourth child), as child indexes from 1.
extern const std::vector<long> kAccountPath;  // #1>#2>#1>#1
extern const std::vector<long> kChatPath;     // #1>#2>#3>#1>#1>#1>#1>#1>#1>#1>#1>#1>#1

// One element: a full object, or a simple element (childId != 0) inside `object`.
struct Element {
    Microsoft::WRL::ComPtr<IAccessible> object;
    long childId = 0;
};

// The window's OBJID_WINDOW object; none when the window gives none. COM must be initialised.
Microsoft::WRL::ComPtr<IAccessible> windowObject(HWND window);
// The child at `index` (from 1) as AccessibleChildren delivers it, children given as numbers resolved
// through accChild; none for a simple element or a missing child.
std::optional<Element> childAt(const Element& parent, long index);
std::wstring nameOf(const Element& element);
long roleOf(const Element& element);   // -1 when unreadable
long stateOf(const Element& element);  // -1 when unreadable
// The name of the element that `path` reaches from the client area; none when the path fails.
std::optional<std::wstring> nameBelowClient(HWND window, const std::vector<long>& path);

}  // namespace standin
