#include "app/control_rules.h"

namespace control_rules {

int clampSelection(int requested, int entryCount) {
    if (requested >= entryCount) requested = entryCount - 1;
    return requested < -1 ? -1 : requested;
}

TimerChange timerChange(int currentPeriod, int requestedPeriod) {
    const int period = nonNegative(requestedPeriod);
    if (period == currentPeriod) return {TimerAction::keep, period};
    return {period == 0 ? TimerAction::stop : TimerAction::restart, period};
}

}  // namespace control_rules
