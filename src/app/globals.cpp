#include "app/globals.h"

#include <memory>

namespace {
std::unique_ptr<Globals> theGlobals;
}

void createGlobals() {
    theGlobals = std::make_unique<Globals>();
}

void releaseGlobals() {
    theGlobals.reset();
}

Globals& globals() {
    return *theGlobals;
}
