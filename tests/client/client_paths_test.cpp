// The client paths built from the system's texts for the client role and state 0.
#include "client/client_paths.h"

#include <gtest/gtest.h>

#include "access/path_grammar.h"

namespace {

const Text kClientRole = "\xBF\xCD\xBB\xA7\xB6\xCB";  // 客户端
const Text kNormal = "\xD5\xFD\xB3\xA3";              // 正常
const Text kWineNormal = "\xC6\xD5\xCD\xA8";          // 普通
const Text kAccountSteps = ">#1>#2>#1>#1";
const Text kChatSteps = ">#1>#2>#3>#1>#1>#1>#1>#1>#1>#1>#1>#1>#1";
const Text kChineseStep = "?t==" + kClientRole + "&s==" + kNormal;

TEST(ClientPaths, ChineseWindowsGetsThePathsAsWritten) {
    const client::ClientPaths paths = client::clientPathsFor(kClientRole, kNormal);
    EXPECT_EQ(paths.account,
              "?t==\xBF\xCD\xBB\xA7\xB6\xCB&s==\xD5\xFD\xB3\xA3>#1>#2>#1>#1");  // ?t==客户端&s==正常>...
    EXPECT_EQ(paths.chat,
              "?t==\xBF\xCD\xBB\xA7\xB6\xCB&s==\xD5\xFD\xB3\xA3>#1>#2>#3>#1>#1>#1>#1>#1>#1>#1>#1>#1>#1");
}

TEST(ClientPaths, TextsThePathLanguageCannotCarryAreLeftOut) {
    struct Case {
        const char* what;
        Text role, state;
        Text step;  // the first step of both paths
    } cases[] = {
        {"Wine under zh_CN", kClientRole, kWineNormal, "?t==" + kClientRole + "&s==" + kWineNormal},
        {"English", "client", "normal", "?t==client&s==normal"},
        {"single = inside, at the start, at the end", "=cli=ent", "norm=", "?t===cli=ent&s==norm="},
        {"high byte with a byte after it", "\xE9t", "x\xE9y", "?t==\xE9t&s==x\xE9y"},
        // The state text cannot be carried: the client area is picked by its role alone.
        {"state with &", "client", "nor&mal", "?t==client"},
        {"state with >", "client", "nor>mal", "?t==client"},
        {"state with ==", "client", "nor==mal", "?t==client"},
        {"state ending in a lone high byte, which would swallow the >", "client", "norm\xE9", "?t==client"},
        {"empty state", "client", "", "?t==client"},
        // The role text cannot be carried: the paths stay as written.
        {"role with &", "cli&ent", "normal", kChineseStep},
        {"role with >", "cli>ent", "normal", kChineseStep},
        {"role with ==", "cli==ent", "normal", kChineseStep},
        {"role ending in a lone high byte, which would swallow the &", "client\xE9", "normal", kChineseStep},
        {"empty role", "", "normal", kChineseStep},
        {"neither", "a>b", "c&d", kChineseStep},
    };
    for (const Case& c : cases) {
        const client::ClientPaths paths = client::clientPathsFor(c.role, c.state);
        EXPECT_EQ(paths.account, c.step + kAccountSteps) << c.what;
        EXPECT_EQ(paths.chat, c.step + kChatSteps) << c.what;
    }
}

// Read back through the path language, a built condition selects an element with exactly those texts.
TEST(ClientPaths, BuiltConditionSelectsTheClientAreaOnly) {
    struct Case {
        Text role, state;
    } cases[] = {{kClientRole, kWineNormal}, {"client", "normal"}, {"=cli=ent", "norm="}, {"client", "a&b"}};
    for (const Case& c : cases) {
        TextArray steps;
        ASSERT_EQ(splitNonEmpty(client::clientPathsFor(c.role, c.state).account, ">", steps), 5u);
        const PathStep first = parseStep(steps[0]);
        ASSERT_EQ(first.kind, PathStep::Kind::Condition) << steps[0];
        auto holdsFor = [&](const Text& role, const Text& state) {
            return conditionHolds(first.condition, [&](std::string_view key) -> const Text* {
                return key == "t" ? &role : key == "s" ? &state : nullptr;
            });
        };
        EXPECT_TRUE(holdsFor(c.role, c.state)) << steps[0];
        EXPECT_FALSE(holdsFor(c.role + "x", c.state)) << steps[0];
        EXPECT_FALSE(holdsFor("title bar", c.state)) << steps[0];
    }
}

}  // namespace
