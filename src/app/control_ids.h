// Control identifiers of the main window. Other programs (and the tests) find each control by its id
// under its container: the group boxes under the main window, everything else under its group box.
#pragma once

namespace control_ids {

enum : int {
    remarkGroup = 1001,  // 分组框1
    clientLabel,         // 标签3
    clientCombo,         // 组合框1
    rescanLabel,         // 标签4
    friendLabel,         // 标签1
    nicknameBox,         // 编辑框_好友昵称
    refreshHintLabel,    // 标签5
    dockLeftRadio,       // 单选框_左
    remarkHintLabel,     // 标签2
    dockRightRadio,      // 单选框_右
    remarkBox,           // 编辑框_备注
    saveButton,          // 按钮1
    statusLabel,         // 透明标签1
    quickReplyGroup,     // 分组框2
    replyInputBox,       // 编辑框1
    addButton,           // 按钮_新增
    replyList,           // 超级列表框1
};

// Timer ids of the main window.
enum : unsigned { trackTimer = 1 };  // 时钟1

// Commands of the quick reply popup menu (菜单).
enum : int {
    menuRefresh = 2001,  // 刷新
    menuDelete,          // 删除
    menuEdit,            // 编辑
    menuClear,           // 清空内容
    menuOpenFile,        // 打开文件
};

}  // namespace control_ids
