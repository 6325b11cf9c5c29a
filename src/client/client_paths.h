// The two places in a WeChat main window's accessibility tree that the panel reads: the account's
// nickname (for the instance list) and the name of the friend whose chat is open (on every tick).
//
// Both paths start at the window's object and first pick its client area: the child whose role text and
// state text are the system's texts for the client role and for state 0. Those texts are localized
// ("客户端" and "正常" on Chinese Windows), so the condition is built from the running system's own texts,
// which the elements' snapshots are compared with.
#pragma once

#include "util/gbk_text.h"

namespace client {

struct ClientPaths {
    Text account;  // to the element whose name is the account's nickname
    Text chat;     // to the element whose name is the open chat's friend name
};

// The paths for a system whose text for the client role is `clientRoleText` and whose text for state 0 is
// `normalStateText`. A text the path language cannot carry exactly (one containing "&", ">" or "==", an
// empty one, or one whose last byte would join the separator after it into a double-byte character) is
// not put into a path: without a usable state text the client area is picked by its role alone (it is the
// only child of that role); without a usable role text the paths keep the Chinese texts.
ClientPaths clientPathsFor(const Text& clientRoleText, const Text& normalStateText);

}  // namespace client
