// The remark store's conversion on Windows: Text (code page 936) to UTF-8 and back, with exact mappings
// only, through the program's one converter (util/codepage.h), whatever the system's code page is.
#pragma once

#include "remarks/text_codec.h"

const TextCodec& gbkTextCodec();
