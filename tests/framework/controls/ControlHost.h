// A hidden top-level window that the control tests create their controls in.
#pragma once

#include <gtest/gtest.h>

#include "CWnd.h"

class ControlHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, CWnd::DefaultClassName(), "Controls", WS_OVERLAPPEDWINDOW, 0, 0,
                                  480, 360, nullptr, nullptr));
    }

    void TearDown() override
    {
        host.DestroyWindow();
        CWnd::DeleteTempMap();
    }

    static CRect Box(int left, int top, int width, int height) { return CRect(left, top, left + width, top + height); }

    CWnd host;
};
