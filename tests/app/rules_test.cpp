// The property rules that need no window system.
#include <gtest/gtest.h>

#include <climits>

#include "app/control_rules.h"

using control_rules::TimerAction;

TEST(ControlRules, SelectionIsLimitedToTheEntries) {
    const struct {
        int requested, entries, selected;
    } cases[] = {{5, 3, 2},   {3, 3, 2},  {2, 3, 2},  {0, 3, 0},        {-1, 3, -1},
                 {-7, 3, -1}, {0, 0, -1}, {4, 0, -1}, {INT_MIN, 3, -1}, {INT_MAX, 3, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(control_rules::clampSelection(c.requested, c.entries), c.selected)
            << c.requested << " of " << c.entries;
    }
}

TEST(ControlRules, NegativeSizesAreZero) {
    EXPECT_EQ(control_rules::nonNegative(-1), 0);
    EXPECT_EQ(control_rules::nonNegative(INT_MIN), 0);
    EXPECT_EQ(control_rules::nonNegative(0), 0);
    EXPECT_EQ(control_rules::nonNegative(409), 409);
}

TEST(ControlRules, TimerPeriodChanges) {
    const struct {
        int current, requested;
        TimerAction action;
        int period;
    } cases[] = {
        {0, 100, TimerAction::restart, 100},   {100, 100, TimerAction::keep, 100},
        {100, 200, TimerAction::restart, 200}, {100, 0, TimerAction::stop, 0},
        {100, -5, TimerAction::stop, 0},       {0, 0, TimerAction::keep, 0},
        {0, -5, TimerAction::keep, 0},         {0, INT_MIN, TimerAction::keep, 0},
    };
    for (const auto& c : cases) {
        const control_rules::TimerChange change = control_rules::timerChange(c.current, c.requested);
        EXPECT_EQ(change.action, c.action) << c.current << " -> " << c.requested;
        EXPECT_EQ(change.period, c.period) << c.current << " -> " << c.requested;
    }
}
