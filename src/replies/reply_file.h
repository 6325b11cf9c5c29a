// The quick reply file format: one reply per line, each line ended by CR LF, in GBK bytes, no byte-order
// mark. A file written by another editor is read as it comes: a lone CR or LF stays inside a reply, and
// everything from the first zero or 0x1A (Ctrl+Z) byte on is ignored.
#pragma once

#include <string_view>

#include "util/gbk_text.h"

namespace replies {

// The part of the file's bytes that counts as text: up to the first zero or 0x1A byte that is a character
// of its own. A byte of 0x80 or above takes the next byte with it, so a trail byte never ends the text;
// a zero byte right after a lead byte ends it before that lead byte, and so does the end of the file (a
// lead byte as the very last byte is half a character, and is dropped).
std::string_view fileText(std::string_view fileBytes);

// The replies held in the file's bytes, in file order. The text is split at every CR LF that lies on a
// character boundary; a CR LF at the very end gives no empty last reply, and an empty text gives none.
TextArray parseReplies(std::string_view fileBytes);

// The file's bytes for these replies: each reply followed by CR LF. No replies give no bytes.
Text serializeReplies(const TextArray& replies);

}  // namespace replies
