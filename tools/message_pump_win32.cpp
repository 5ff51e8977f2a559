// The message loop of the tools and of the tests' windows.
#include "tools/message_pump_win32.h"

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs) {
    ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        DWORD wait = static_cast<DWORD>(end - now);
        MsgWaitForMultipleObjectsEx(0, nullptr, wait < pollMs ? wait : pollMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}
