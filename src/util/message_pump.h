// Processing window messages from inside a handler. Three places in the program let other handlers run
// nested this way: the window search, the status wait after a remark save, and the key release of a send.
#pragma once

// Dispatches every message now waiting for the calling thread, once, and returns: at most one timer
// message is dispatched, the last.
void processPendingMessages();

// Keeps dispatching messages until the tick count has moved more than `milliseconds` past the start.
void waitProcessingMessages(unsigned milliseconds);
