// The rules behind the panel's control properties that need no window system: what a written value
// becomes before it reaches the control, and when a timer must be restarted.
#pragma once

namespace control_rules {

// Heights and sizes: a negative value is applied as 0.
inline int nonNegative(int value) {
    return value < 0 ? 0 : value;
}

// A drop-down selection written by the program, limited to -1 (nothing) .. entryCount - 1.
int clampSelection(int requested, int entryCount);

enum class TimerAction { keep, stop, restart };

struct TimerChange {
    TimerAction action;
    int period;  // the period the timer has afterwards, in milliseconds
};

// Writing a timer's period: a negative value is taken as 0; the same period as now changes nothing;
// otherwise the timer stops and, for a period above 0, starts again with it.
TimerChange timerChange(int currentPeriod, int requestedPeriod);

}  // namespace control_rules
