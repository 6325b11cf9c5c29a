#include "app/executable_directory.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(ExecutableDirectory, IsNotedWithoutSeparatorAndMadeCurrent) {
    char elsewhere[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, elsewhere);
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere));

    ASSERT_TRUE(noteExecutableDirectory());
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string executable(path);
    EXPECT_EQ(executableDirectory(), executable.substr(0, executable.find_last_of('\\')));
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(std::string(current), executableDirectory());
}
