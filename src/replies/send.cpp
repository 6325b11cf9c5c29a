#include "replies/send.h"

#include <cstring>

#include "util/codepage.h"
#include "util/handles.h"
#include "util/message_pump.h"

namespace replies {

namespace {

constexpr BYTE kPasteKey = 0x56;  // V
constexpr DWORD kPauseMilliseconds = 100;
// Another program (a clipboard viewer, say) may hold the clipboard for a moment.
constexpr int kClipboardTries = 5;
constexpr DWORD kClipboardRetryMilliseconds = 20;

handles::unique_hglobal globalCopy(const void* data, std::size_t size) {
    handles::unique_hglobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return block;
    handles::GlobalLockGuard lock(block.get());
    if (!lock.data()) return {};
    std::memcpy(lock.data(), data, size);
    return block;
}

bool openClipboard(HWND owner) {
    for (int attempt = 0; attempt < kClipboardTries; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(kClipboardRetryMilliseconds);
    }
    return false;
}

// Hands the block to the clipboard, which owns it from then on.
bool place(UINT format, handles::unique_hglobal& block) {
    if (!block || !SetClipboardData(format, block.get())) return false;
    block.release();
    return true;
}

void keyEvent(BYTE key, DWORD flags) {
    keybd_event(key, 0, flags, 0);
}

}  // namespace

bool copyTextToClipboard(const Text& text) {
    handles::unique_hglobal narrow = globalCopy(text.c_str(), text.size() + 1);
    // The same text for programs that read UTF-16, converted from code page 936 whatever the system's
    // code page is; an empty text is one zero code unit.
    ByteBuffer wide = textToUtf16(text);
    if (wide.empty()) wide.assign(2, 0);
    handles::unique_hglobal unicode = globalCopy(wide.data(), wide.size());
    // The locale says which code page CF_TEXT is in, for a reader that converts it itself: otherwise the
    // system would name the input language of the moment, which need not be Chinese.
    const LCID chinesePrc = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
    handles::unique_hglobal locale = globalCopy(&chinesePrc, sizeof chinesePrc);

    if (!openClipboard(GetForegroundWindow())) return false;
    EmptyClipboard();
    const bool placed = place(CF_TEXT, narrow);
    place(CF_UNICODETEXT, unicode);
    place(CF_LOCALE, locale);
    CloseClipboard();
    return placed;
}

void pressKeyChord(BYTE key, BYTE modifier1, BYTE modifier2, BYTE modifier3) {
    for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
        if (modifier3) keyEvent(modifier3, flags);
        if (modifier2) keyEvent(modifier2, flags);
        keyEvent(modifier1, flags);
        keyEvent(key, flags);
    }
}

void pressKey(BYTE key, int mode) {
    if (mode == kPressOnly) {
        keyEvent(key, 0);
    } else if (mode == kReleaseOnly) {
        keyEvent(key, KEYEVENTF_KEYUP);
    } else {
        keyEvent(key, 0);
        processPendingMessages();
        keyEvent(key, KEYEVENTF_KEYUP);
    }
}

void sendQuickReply(const ReplyList& list, HWND clientWindow, ActivateWindow activate) {
    const int row = list.currentRow();
    if (row < 0) return;
    if (!copyTextToClipboard(list.cell(row, kReplyColumn))) return;
    if (activate) activate(clientWindow);
    Sleep(kPauseMilliseconds);
    pressKeyChord(kPasteKey, VK_CONTROL, 0, 0);
    Sleep(kPauseMilliseconds);
    pressKey(VK_RETURN, kPressAndRelease);
}

}  // namespace replies
