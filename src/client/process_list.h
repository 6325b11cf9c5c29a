// The running processes whose executable image name equals a given name (WeChat.exe for the instance list).
#pragma once

#include <windows.h>

#include <vector>

#include "util/gbk_text.h"

using ProcessIdList = std::vector<DWORD>;

// Empties `ids` and fills it with the ids of the processes named `imageName` (no directory), in the order of
// one process snapshot. ASCII letters match either case unless `caseSensitive`. Returns the number of ids,
// or -1 when no snapshot could be taken.
int findProcessIds(const Text& imageName, ProcessIdList& ids, bool caseSensitive = false);
