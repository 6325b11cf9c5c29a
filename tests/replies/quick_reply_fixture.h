// A scratch executable directory with its quick reply file, and the panel's real controls it is shown in.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "replies/reply_store.h"
#include "support/temp_files.h"
#include "test_panel.h"

class QuickReplyFixture : public ::testing::Test {
protected:
    testfiles::TempDir exeDirectory;
    replies::QuickReplyFile file = replies::quickReplyFileIn(exeDirectory.path());
    TestPanel controls;
    replies::ReplyListOf<ListView> list{controls.list};

    TextArray column(int column) const {
        TextArray texts;
        for (int row = 0; row < list.rowCount(); ++row) texts.push_back(list.cell(row, column));
        return texts;
    }
    TextArray shown() const { return column(replies::kReplyColumn); }
    std::optional<Text> fileBytes() const { return testfiles::readBytes(file.path); }
    // Writes the file byte for byte and loads the list from it.
    void loadFrom(std::string_view content) {
        ASSERT_TRUE(testfiles::writeBytes(file.path, content));
        replies::loadQuickReplies(file, list);
    }
};
