// A window program for the automatic-profile tests: it shows one window
// titled with its command line, comes to the front, and again whenever it
// receives WM_APP; it ends when its window is closed.
#include <windows.h>

namespace {

// Windows raises the foreground event itself; Wine 8 does not, so the
// program raises it as Windows would, for the hooks of other processes.
void ComeToFront(HWND window) {
    ::SetForegroundWindow(window);
    ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_APP:
            ComeToFront(window);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "GripdeckTestGame";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowA("GripdeckTestGame", commandLine, WS_OVERLAPPEDWINDOW, 40, 40, 320,
                                  200, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(window, SW_SHOW);
    ComeToFront(window);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageA(&message);
    }
    return 0;
}
