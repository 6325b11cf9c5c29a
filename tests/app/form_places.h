// Where the form puts each control at 96 DPI, as the tests look for it: place in its container and outer
// size. 组合框1 with its closed height; 分组框2 and 超级列表框1 are left out, their heights following the
// window's by the layout rule.
#pragma once

#include "app/control_ids.h"

struct FormPlace {
    int id;
    int container;  // 0: the main window
    int x, y, width, height;
};

inline constexpr FormPlace kFormPlaces[] = {
    {control_ids::remarkGroup, 0, 0, 0, 340, 350},                              // 分组框1
    {control_ids::clientLabel, control_ids::remarkGroup, 10, 16, 74, 24},       // 标签3
    {control_ids::clientCombo, control_ids::remarkGroup, 77, 18, 131, 20},      // 组合框1
    {control_ids::rescanLabel, control_ids::remarkGroup, 221, 16, 107, 24},     // 标签4
    {control_ids::friendLabel, control_ids::remarkGroup, 8, 49, 80, 24},        // 标签1
    {control_ids::nicknameBox, control_ids::remarkGroup, 75, 49, 153, 23},      // 编辑框_好友昵称
    {control_ids::refreshHintLabel, control_ids::remarkGroup, 233, 48, 98, 24}, // 标签5
    {control_ids::dockLeftRadio, control_ids::remarkGroup, 6, 77, 80, 14},      // 单选框_左
    {control_ids::remarkHintLabel, control_ids::remarkGroup, 88, 84, 248, 16},  // 标签2
    {control_ids::dockRightRadio, control_ids::remarkGroup, 6, 94, 80, 18},     // 单选框_右
    {control_ids::remarkBox, control_ids::remarkGroup, 3, 113, 333, 232},       // 编辑框_备注
    {control_ids::saveButton, control_ids::remarkGroup, 287, 309, 48, 32},      // 按钮1
    {control_ids::statusLabel, control_ids::remarkGroup, 218, 315, 63, 24},     // 透明标签1
    {control_ids::replyInputBox, control_ids::quickReplyGroup, 3, 14, 284, 56}, // 编辑框1
    {control_ids::addButton, control_ids::quickReplyGroup, 288, 30, 48, 37},    // 按钮_新增
};

// The quick reply group's place and width, and its list's; their heights follow the layout rule.
inline constexpr FormPlace kQuickReplyGroupPlace = {control_ids::quickReplyGroup, 0, 0, 352, 340, 0};
inline constexpr FormPlace kReplyListPlace = {control_ids::replyList, control_ids::quickReplyGroup, 2, 73, 335, 0};
