#include "util/message_pump.h"

#include <windows.h>

void processPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit for the outer loop that owns it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        // A timer's message comes only once nothing else waits, so everything that waited has been
        // dispatched by then. A timer whose handler outlasts its period (a tick against a slow client)
        // has its next message waiting at once: dispatching that too would never end the pass.
        if (msg.message == WM_TIMER) return;
    }
}

void waitProcessingMessages(unsigned milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start <= milliseconds) {
        processPendingMessages();
        // Sleep until a message arrives or a short slice passes, rather than spinning.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
