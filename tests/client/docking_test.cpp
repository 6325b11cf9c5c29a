// Docking the panel beside the client window: every write of a tick, in order, on both sides.
#include "client/docking.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using Writes = std::vector<std::string>;

// The panel's window and radio buttons, writing down each read that matters and each write.
struct RecordingPanel final : client::DockedWindow {
    int panelWidth = 348;
    Writes* writes;
    explicit RecordingPanel(Writes& log) : writes(&log) {}
    int width() const override {
        writes->push_back("read width");
        return panelWidth;
    }
    void setLeft(int left) override { writes->push_back("left " + std::to_string(left)); }
    void setTop(int top) override { writes->push_back("top " + std::to_string(top)); }
    void setHeight(int height) override { writes->push_back("height " + std::to_string(height)); }
    void setTopmost(bool topmost) override { writes->push_back(topmost ? "topmost" : "not topmost"); }
};

struct RecordingToggle final : client::Toggle {
    bool on;
    Writes* writes;
    RecordingToggle(bool checked, Writes& log) : on(checked), writes(&log) {}
    bool checked() const override { return on; }
    void setChecked(bool checked) override {
        on = checked;
        writes->push_back(checked ? "check right" : "uncheck right");
    }
};

struct Case {
    const char* what;
    bool dockLeft;
    Bounds client;
    bool clientInFront;
    Writes writes;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.what;
}

class DockBeside : public ::testing::TestWithParam<Case> {};

TEST_P(DockBeside, WritesEverythingOnEveryTick) {
    const Case& c = GetParam();
    SCOPED_TRACE(c.what);
    Writes writes;
    RecordingPanel window(writes);
    RecordingToggle dockLeft(c.dockLeft, writes);
    RecordingToggle dockRight(true, writes);
    client::DockingControls panel{window, dockLeft, dockRight};
    auto inFront = [&] {
        writes.push_back("ask foreground");
        return c.clientInFront;
    };
    for (int tick = 1; tick <= 2; ++tick) {
        writes.clear();
        client::dockBeside(panel, c.client, inFront);
        EXPECT_EQ(writes, c.writes) << "tick " << tick;
    }
}

const Case kCases[] = {
    {"right",
     false,
     {100, 50, 800, 600},
     true,
     {"left 899", "top 50", "height 601", "ask foreground", "topmost"}},
    {"right, another window in front",
     false,
     {100, 50, 800, 600},
     false,
     {"left 899", "top 50", "height 601", "ask foreground", "not topmost"}},
    {"left",
     true,
     {100, 50, 800, 600},
     true,
     {"read width", "left -248", "top 50", "height 601", "uncheck right", "ask foreground", "topmost"}},
    {"right of a window that has gone",
     false,
     {0, 0, 0, 0},
     false,
     {"left -1", "top 0", "height 1", "ask foreground", "not topmost"}},
    {"left of a window that has gone",
     true,
     {0, 0, 0, 0},
     false,
     {"read width", "left -348", "top 0", "height 1", "uncheck right", "ask foreground", "not topmost"}},
    {"coordinates at the ends of their range",
     false,
     {INT_MAX, INT_MIN, INT_MAX, INT_MAX},
     false,
     {"left " + std::to_string(INT_MAX), "top " + std::to_string(INT_MIN),
      "height " + std::to_string(INT_MAX), "ask foreground", "not topmost"}},
    {"left of the range's start",
     true,
     {INT_MIN, 0, 10, 10},
     false,
     {"read width", "left " + std::to_string(INT_MIN), "top 0", "height 11", "uncheck right",
      "ask foreground", "not topmost"}},
};

INSTANTIATE_TEST_SUITE_P(Sides, DockBeside, ::testing::ValuesIn(kCases));

}  // namespace
