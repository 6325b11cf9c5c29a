#include "test_panel.h"

#include <gtest/gtest.h>

#include "app/form.h"

TestPanel::TestPanel() {
    // Hidden: showing and hiding a top-level window costs seconds under Xvfb.
    HWND window = CreateWindowExA(0, "STATIC", "Marrowpad", WS_OVERLAPPEDWINDOW, 0, 0, 348, 755, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(window && form::build(window, controls_, 96, static_cast<HFONT>(font_.get()))) << "the form's controls were not created";
}

TestPanel::~TestPanel() {
    DestroyWindow(window());
}
