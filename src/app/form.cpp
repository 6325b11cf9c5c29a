#include "app/form.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cwchar>

#include "app/control_hooks.h"
#include "app/control_ids.h"
#include "app/dpi_scale.h"
#include "util/codepage.h"

namespace form {
namespace {

namespace id = control_ids;

constexpr Look kSystemLook{CLR_INVALID, false};
constexpr Look textIn(COLORREF colour) {
    return {colour, false};
}
constexpr Look kTransparent{CLR_INVALID, true};
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE;
constexpr DWORD kMultiLineEdit = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;

struct FormEntry {
    int id;
    int parentId;  // 0: the main window
    const wchar_t* windowClass;
    const char* text;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
    Look look;
};

// In creation order; a later control lies above an earlier one where they overlap (按钮1 and 透明标签1
// sit inside the lower right corner of 编辑框_备注).
constexpr FormEntry kControls[] = {
    // 分组框1
    {id::remarkGroup, 0, WC_BUTTONW, "", BS_GROUPBOX, 0, 0, 0, 340, 350, kSystemLook},
    // 标签3
    {id::clientLabel, id::remarkGroup, WC_STATICW, "当前微信：", kLabel, 0, 10, 16, 74, 24, kSystemLook},
    // 组合框1: 20 high when closed, 160 with its list open
    {id::clientCombo, id::remarkGroup, WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 77,
     18, 131, 160, kSystemLook},
    // 标签4: double-click rescans
    {id::rescanLabel, id::remarkGroup, WC_STATICW, "←←多开可切换", kLabel | SS_NOTIFY, 0, 221, 16, 107, 24,
     textIn(RGB(255, 0, 255))},
    // 标签1
    {id::friendLabel, id::remarkGroup, WC_STATICW, "好友微信：", kLabel, 0, 8, 49, 80, 24,
     textIn(RGB(0, 0, 255))},
    // 编辑框_好友昵称
    {id::nicknameBox, id::remarkGroup, WC_EDITW, "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 75, 49,
     153, 23, textIn(RGB(255, 0, 0))},
    // 标签5
    {id::refreshHintLabel, id::remarkGroup, WC_STATICW, "点击↑↑刷新微信", kLabel, 0, 233, 48, 98, 24,
     kSystemLook},
    // 单选框_左
    {id::dockLeftRadio, id::remarkGroup, WC_BUTTONW, "左侧吸附", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, 6, 77,
     80, 14, kSystemLook},
    // 标签2
    {id::remarkHintLabel, id::remarkGroup, WC_STATICW, "信息需要自己手动备注,记得[保存]噢", kLabel, 0, 88, 84,
     248, 16, textIn(RGB(128, 160, 128))},
    // 单选框_右
    {id::dockRightRadio, id::remarkGroup, WC_BUTTONW, "右侧吸附", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, 6, 94,
     80, 18, kSystemLook},
    // 编辑框_备注
    {id::remarkBox, id::remarkGroup, WC_EDITW, "", kMultiLineEdit, WS_EX_CLIENTEDGE, 3, 113, 333, 232,
     kSystemLook},
    // 按钮1
    {id::saveButton, id::remarkGroup, WC_BUTTONW, "保存", BS_PUSHBUTTON | WS_TABSTOP, 0, 287, 309, 48, 32,
     kSystemLook},
    // 透明标签1: the status of a save
    {id::statusLabel, id::remarkGroup, WC_STATICW, "", kLabel, WS_EX_TRANSPARENT, 218, 315, 63, 24,
     kTransparent},
    // 分组框2
    {id::quickReplyGroup, 0, WC_BUTTONW, "快捷回复", BS_GROUPBOX, 0, 0, 352, 340, 350,
     textIn(RGB(255, 0, 0))},
    // 编辑框1
    {id::replyInputBox, id::quickReplyGroup, WC_EDITW, "", kMultiLineEdit, WS_EX_CLIENTEDGE, 3, 14, 284, 56,
     kSystemLook},
    // 按钮_新增
    {id::addButton, id::quickReplyGroup, WC_BUTTONW, "新增", BS_PUSHBUTTON | WS_TABSTOP, 0, 288, 30, 48, 37,
     kSystemLook},
    // 超级列表框1
    {id::replyList, id::quickReplyGroup, WC_LISTVIEWW, "",
     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE, 2, 73, 335, 274,
     kSystemLook},
};

// 组合框1's closed height at 96 DPI. The system sizes the closed box from its font; the selection field is
// made as much lower or higher as the form's height needs.
constexpr int kComboClosedHeight = 20;

// The form's font: 9 points, in a face with Chinese glyphs that every Windows has, also an English one.
constexpr int kFontPoints = 9;
constexpr wchar_t kFontFace[] = L"SimSun";

void fitClosedHeight(HWND combo, int height) {
    // Wine reports the field's height larger than the value it was set to, so the field is corrected from
    // the value set, against the height that results, a few times at most.
    LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT rect{};
        GetWindowRect(combo, &rect);
        const int excess = rect.bottom - rect.top - height;
        if (excess == 0 || field <= excess) return;
        field -= excess;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

struct Column {
    const char* title;
    int width;
};
constexpr Column kReplyColumns[] = {{"序号", 40}, {"内容", 280}};  // widths at 96 DPI

// The group boxes are the containers of the form: the only controls placed in the main window itself.
bool isGroupBox(const FormEntry& entry) {
    return entry.parentId == 0;
}

// The window that holds the entry's control: the main window for a group box, else its group box.
HWND containerOf(HWND mainWindow, const FormEntry& entry) {
    return isGroupBox(entry) ? mainWindow : GetDlgItem(mainWindow, entry.parentId);
}

dpi_scale::Box boxAt(const FormEntry& entry, int dpi) {
    return dpi_scale::scaled(dpi_scale::Box{entry.x, entry.y, entry.width, entry.height}, dpi);
}

HWND createControl(const FormEntry& entry, HWND parent, int dpi) {
    // Group boxes clip the controls they hold; every control clips its overlapping siblings, except a
    // transparent one, which lets what lies beneath show through.
    const DWORD clipping = isGroupBox(entry) ? WS_CLIPCHILDREN | WS_CLIPSIBLINGS : WS_CLIPSIBLINGS;
    const dpi_scale::Box box = boxAt(entry, dpi);
    HWND control =
        CreateWindowExW(entry.exStyle, entry.windowClass, toWide(entry.text).c_str(),
                        WS_CHILD | WS_VISIBLE | clipping | entry.style, box.x, box.y, box.width, box.height,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (!control) return nullptr;
    // Later controls above earlier ones.
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return control;
}

void setUpReplyList(HWND list) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    int position = 0;
    for (const Column& column : kReplyColumns) {
        std::wstring title = toWide(column.title);
        LVCOLUMNW header{};
        header.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
        header.fmt = LVCFMT_LEFT;
        header.pszText = title.data();
        header.cx = column.width;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(position++),
                     reinterpret_cast<LPARAM>(&header));
    }
}

// What follows the DPI beyond the places and sizes of the table: every control's font, the closed height of
// 组合框1 (which the font changes) and the widths of the list's columns.
void fitDetailsToDpi(HWND mainWindow, int dpi, HFONT font) {
    for (const FormEntry& entry : kControls) {
        SendMessageW(GetDlgItem(containerOf(mainWindow, entry), entry.id), WM_SETFONT,
                     reinterpret_cast<WPARAM>(font), TRUE);
    }
    HWND remarkGroup = GetDlgItem(mainWindow, id::remarkGroup);
    fitClosedHeight(GetDlgItem(remarkGroup, id::clientCombo), dpi_scale::scaled(kComboClosedHeight, dpi));
    HWND list = GetDlgItem(GetDlgItem(mainWindow, id::quickReplyGroup), id::replyList);
    int position = 0;
    for (const Column& column : kReplyColumns) {
        SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(position++),
                     MAKELPARAM(dpi_scale::scaled(column.width, dpi), 0));
    }
}

}  // namespace

bool build(HWND mainWindow, PanelControls& controls, int dpi, HFONT font) {
    controls.frame.attach(mainWindow);
    for (const FormEntry& entry : kControls) {
        HWND control = createControl(entry, containerOf(mainWindow, entry), dpi);
        if (!control) return false;
        if (isGroupBox(entry)) {
            // A themed group box draws its caption in the theme's colour whatever the parent answers to
            // WM_CTLCOLORSTATIC: a caption with a colour of its own keeps the classic look. The class list
            // " " matches no theme, on Windows and Wine alike (Wine refuses the empty string).
            if (entry.look.text != CLR_INVALID) SetWindowTheme(control, L" ", L" ");
            forwardNotificationsToParent(control);
        } else {
            closeWindowOnEscape(control);
            const bool button = std::wcscmp(entry.windowClass, WC_BUTTONW) == 0;
            if (button && (entry.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) checkRadioButtonAlone(control);
        }
    }
    HWND remarkGroup = GetDlgItem(mainWindow, id::remarkGroup);
    HWND quickReplyGroup = GetDlgItem(mainWindow, id::quickReplyGroup);
    controls.remarkGroup.attach(remarkGroup);
    controls.clientCombo.attach(GetDlgItem(remarkGroup, id::clientCombo));
    controls.rescanLabel.attach(GetDlgItem(remarkGroup, id::rescanLabel));
    controls.nicknameBox.attach(GetDlgItem(remarkGroup, id::nicknameBox));
    controls.dockLeftRadio.attach(GetDlgItem(remarkGroup, id::dockLeftRadio));
    controls.dockRightRadio.attach(GetDlgItem(remarkGroup, id::dockRightRadio));
    controls.remarkBox.attach(GetDlgItem(remarkGroup, id::remarkBox));
    controls.saveButton.attach(GetDlgItem(remarkGroup, id::saveButton));
    controls.statusLabel.attach(GetDlgItem(remarkGroup, id::statusLabel));
    controls.quickReplyGroup.attach(quickReplyGroup);
    controls.replyInputBox.attach(GetDlgItem(quickReplyGroup, id::replyInputBox));
    controls.addButton.attach(GetDlgItem(quickReplyGroup, id::addButton));
    controls.replyList.attach(GetDlgItem(quickReplyGroup, id::replyList));
    controls.trackTimer = Timer(mainWindow, id::trackTimer);  // stopped

    controls.dockRightRadio.setChecked(true);
    setUpReplyList(controls.replyList.handle());
    fitDetailsToDpi(mainWindow, dpi, font);
    return true;
}

void fitToDpi(HWND mainWindow, int dpi, HFONT font) {
    for (const FormEntry& entry : kControls) {
        const dpi_scale::Box box = boxAt(entry, dpi);
        SetWindowPos(GetDlgItem(containerOf(mainWindow, entry), entry.id), nullptr, box.x, box.y, box.width,
                     box.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fitDetailsToDpi(mainWindow, dpi, font);
}

handles::unique_gdiobj createFont(int dpi) {
    LOGFONTW font{};
    font.lfHeight = dpi_scale::fontHeight(kFontPoints, dpi);
    font.lfWeight = FW_NORMAL;
    // The character set makes the system pick a face with Chinese glyphs if the named one is missing.
    font.lfCharSet = GB2312_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(font.lfFaceName, kFontFace, LF_FACESIZE);
    return handles::unique_gdiobj(CreateFontIndirectW(&font));
}

handles::unique_hmenu buildQuickReplyMenu() {
    handles::unique_hmenu menu(CreatePopupMenu());
    if (!menu) return menu;
    const struct {
        int command;
        const char* text;
    } items[] = {{id::menuRefresh, "刷新"},
                 {id::menuDelete, "删除"},
                 {id::menuEdit, "编辑"},
                 {id::menuClear, "清空内容"},
                 {id::menuOpenFile, "打开文件"}};
    bool first = true;
    for (const auto& item : items) {
        if (!first) AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.command), toWide(item.text).c_str());
        first = false;
    }
    return menu;
}

const Look* lookOf(int controlId) {
    for (const FormEntry& entry : kControls) {
        if (entry.id != controlId) continue;
        return entry.look.text == CLR_INVALID && !entry.look.transparent ? nullptr : &entry.look;
    }
    return nullptr;
}

}  // namespace form
