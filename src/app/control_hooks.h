// Behaviour the main window adds to its child windows by subclassing them. The subclasses act when the
// message is dispatched, so they work in the main loop and in any loop a handler runs itself.
#pragma once

#include <windows.h>

// A group box that holds controls passes their notifications (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*) on to
// its own parent, the main window, which handles them as if the controls were its own; it also paints the
// background between them.
void forwardNotificationsToParent(HWND groupBox);

// Esc pressed in the control closes the top-level window it belongs to; a drop-down whose list is open
// keeps the key to close the list.
void closeWindowOnEscape(HWND control);

// An automatic radio button checked by the program (BM_SETCHECK) changes only itself, with the older and the
// newer (Common Controls 6) button alike; the user's click still unchecks the other buttons of the group.
void checkRadioButtonAlone(HWND radioButton);
