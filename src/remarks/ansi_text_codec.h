// The remark store's conversion on Windows: Text in the system ANSI code page (936 on the target
// systems) to UTF-8 and back, through UTF-16, with exact mappings only.
#pragma once

#include "remarks/text_codec.h"

const TextCodec& ansiTextCodec();
