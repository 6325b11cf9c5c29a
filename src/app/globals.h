// The state that lives for the whole run. The shell creates it before the main window exists and
// releases it at the orderly exit; the rooms named beside each member read and change it in place.
#pragma once

#include <windows.h>

#include <vector>

#include "access/acc_element.h"

// Members are declared in the reverse of their release order, so that destruction releases them in
// that order: the record set before its database, then the windows, the element, the field list.
struct Globals {
    // remarkFields: two SqliteFieldInfo (remarks room), each with the empty name, type 0 and size 0.
    // The element of currentClientWindow's object, the root of the chat path; empty until
    // selectClientInstance binds it.
    AccElement clientRoot;

    // The WeChat main window being followed; nullptr for none. Set by selectClientInstance.
    HWND currentClientWindow = nullptr;
    // The main windows of the instances in the drop-down, rebuilt whole by scanClientInstances.
    std::vector<HWND> clientWindows;

    // remarkDatabase: a SqliteDB (remarks room) without a connection.
    // remarkDataset: a SqliteDataset (remarks room), closed.
};

// Create the globals once, before the main window; release them as an exit routine.
void createGlobals();
void releaseGlobals();

// The globals between createGlobals and releaseGlobals.
Globals& globals();
