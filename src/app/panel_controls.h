// The main window's controls as the handlers see them.
#pragma once

#include "app/controls.h"

// Every control a handler reads or writes, under the name of the form in the comment.
struct PanelControls {
    WindowFrame frame;           // the main window
    GroupBox remarkGroup;        // 分组框1
    ComboBox clientCombo;        // 组合框1
    Label rescanLabel;           // 标签4 (double-click rescans)
    EditBox nicknameBox;         // 编辑框_好友昵称
    RadioButton dockLeftRadio;   // 单选框_左
    RadioButton dockRightRadio;  // 单选框_右
    EditBox remarkBox;           // 编辑框_备注
    Button saveButton;           // 按钮1
    Label statusLabel;           // 透明标签1
    Timer trackTimer;            // 时钟1
    GroupBox quickReplyGroup;    // 分组框2
    EditBox replyInputBox;       // 编辑框1
    Button addButton;            // 按钮_新增
    ListView replyList;          // 超级列表框1
};
