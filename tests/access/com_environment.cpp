// COM for the test thread, as the program initialises it for its GUI thread.
#include <gtest/gtest.h>
#include <objbase.h>

namespace {

class ComEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }
};

[[maybe_unused]] testing::Environment* const g_com = testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace
