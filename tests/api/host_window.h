// A real top-level window of the test process, as a host application would
// give the library for its notifications, and a look at what was posted.
#pragma once

#include <vector>

#include <windows.h>

struct PostedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class HostWindow {
public:
    HostWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "LumvexTestHost";
        RegisterClassA(&wc);  // a second registration fails harmlessly
        m_hwnd = CreateWindowExA(0, "LumvexTestHost", "test host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                 nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~HostWindow()
    {
        if (m_hwnd)
            DestroyWindow(m_hwnd);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

// Removes and returns every posted message of one kind waiting for this
// thread, for its windows and as thread messages (hwnd NULL).
inline std::vector<PostedMessage> TakePosted(UINT message)
{
    std::vector<PostedMessage> taken;
    MSG msg;
    while (PeekMessageA(&msg, reinterpret_cast<HWND>(-1), message, message, PM_REMOVE))
        taken.push_back({msg.hwnd, msg.message, msg.wParam, msg.lParam});
    while (PeekMessageA(&msg, nullptr, message, message, PM_REMOVE))
        taken.push_back({msg.hwnd, msg.message, msg.wParam, msg.lParam});
    return taken;
}
