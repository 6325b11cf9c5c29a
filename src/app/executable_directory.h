// The folder of the running executable. The remark database and the quick reply file live there.
#pragma once

#include "util/gbk_text.h"

// Notes the executable's folder and makes it the process's current directory; false when either fails.
bool noteExecutableDirectory();

// The folder noted by noteExecutableDirectory, without a trailing separator ("" before it ran).
const Text& executableDirectory();
