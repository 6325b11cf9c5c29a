#include "remarks/gbk_text_codec.h"

#include "util/codepage.h"

const TextCodec& gbkTextCodec() {
    static const TextCodec codec{gbkToUtf8, utf8ToGbk};
    return codec;
}
