// What the MFC tests share: the host's main frame as the application's main window,
// and a script of input steps that the message loop runs when it is idle, so that
// a test can click inside a modal dialog's loop.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "afxcmn.h"
#include "afxwin.h"
#include "win32/host_windows.h"
#include "win32/message_loop.h"
#include "win32/mouse_input.h"

class MfcTest : public ::testing::Test {
protected:
    void SetUp() override { frame = win32::host::mainFrame(); }
    void TearDown() override { win32::loop::setIdleHandler(nullptr); }

    // Each step runs when a waiting loop has nothing to do; a step that returns a
    // time makes the loop wait until then first.
    void script(std::deque<std::function<void()>> steps)
    {
        pending = std::move(steps);
        win32::loop::setIdleHandler([this] {
            if (pending.empty()) return win32::loop::Idle{win32::loop::Idle::Nothing};
            auto step = std::move(pending.front());
            pending.pop_front();
            step();
            return win32::loop::Idle{win32::loop::Idle::Acted};
        });
    }

    static POINT centreOf(HWND w)
    {
        RECT r;
        GetWindowRect(w, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static void clickAt(POINT p)
    {
        win32::input::mouseMove(p.x, p.y);
        win32::input::leftButtonDown();
        win32::input::leftButtonUp();
    }

    CFrameWnd* frame = nullptr;
    std::deque<std::function<void()>> pending;
};
