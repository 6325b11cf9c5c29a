// findProcessIds against stand-in processes named WeChat.exe.
#include "client/process_list.h"

#include <gtest/gtest.h>

#include "standin_control.h"

using standin::StandIn;

TEST(FindProcessIds, NoProcessOfThatNameEmptiesTheList) {
    ProcessIdList ids = {1, 2, 3};
    EXPECT_EQ(findProcessIds("NoSuchProgram.exe", ids), 0);
    EXPECT_TRUE(ids.empty());
}

TEST(FindProcessIds, EveryProcessOfTheNameInSnapshotOrder) {
    StandIn first({L"--hidden"});
    StandIn second({L"--hidden"});
    ASSERT_TRUE(first.started());
    ASSERT_TRUE(second.started());
    // Wine's snapshot lists processes in start order.
    const ProcessIdList both = {first.processId(), second.processId()};

    ProcessIdList ids = {7, 8, 9, 10};  // ids of an earlier call are replaced, not kept
    EXPECT_EQ(findProcessIds("WeChat.exe", ids), 2);
    EXPECT_EQ(ids, both);

    struct Case {
        const char* name;
        bool caseSensitive;
        bool found;
    } cases[] = {
        {"wechat.EXE", false, true},  {"wechat.EXE", true, false}, {"WeChat.exe", true, true},
        {"WeChat", false, false},     {"WeChat.ex", false, false}, {"WeChat.exe.exe", false, false},
        {"WeChat-exe", false, false}, {"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(findProcessIds(c.name, ids, c.caseSensitive), c.found ? 2 : 0) << c.name;
        EXPECT_EQ(ids, c.found ? both : ProcessIdList()) << c.name;
    }
}
