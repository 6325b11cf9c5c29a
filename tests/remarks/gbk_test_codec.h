// The conversion the remark tests and benchmarks give the store: the program's own ANSI code page
// conversion under Windows (Wine runs the tests with code page 936), glibc's iconv GBK natively.
#pragma once

#include "remarks/text_codec.h"

const TextCodec& gbkTestCodec();
