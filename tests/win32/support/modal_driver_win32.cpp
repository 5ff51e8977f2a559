// The modal driver: finds the test thread's top-level dialogs by caption and answers them.
#include "tests/win32/support/modal_driver_win32.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/win32/support/test_env_win32.h"

namespace {

struct Search {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    char name[64], caption[256];
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    if (IsWindowVisible(window) && std::strcmp(name, "#32770") == 0 && *search->caption == caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForDialog(DWORD thread, const std::string& caption, DWORD timeoutMs) {
    ULONGLONG end = NowMs() + timeoutMs;
    do {
        Search search{&caption, nullptr};
        EnumThreadWindows(thread, MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            Sleep(150); // let the dialog finish its start-up before it is answered
            return search.found;
        }
        Sleep(20);
    } while (NowMs() < end);
    return nullptr;
}

DWORD WINAPI DriverThread(LPVOID parameter) {
    auto& driver = *static_cast<ModalDriver*>(parameter);
    for (size_t i = 0; i < driver.steps.size(); ++i) {
        const ModalStep& step = driver.steps[i];
        HWND window = WaitForDialog(driver.testThread, step.caption, 10000);
        if (window == nullptr) break;
        std::string text = MessageText(window);
        driver.texts.push_back(text.empty() ? step.caption : text);
        step.answer(window);
        // When the next window has the same caption (a second message box), this one must go first.
        if (i + 1 < driver.steps.size() && driver.steps[i + 1].caption == step.caption) {
            for (int n = 0; n < 100 && IsWindow(window) && IsWindowVisible(window); ++n) Sleep(20);
        }
        ++driver.done;
    }
    return 0;
}

} // namespace

void StartModalDriver(ModalDriver& driver, std::vector<ModalStep> steps) {
    driver.testThread = GetCurrentThreadId();
    driver.steps = std::move(steps);
    driver.texts.clear();
    driver.done = 0;
    driver.thread = CreateThread(nullptr, 0, DriverThread, &driver, 0, nullptr);
}

bool FinishModalDriver(ModalDriver& driver, DWORD timeoutMs) {
    if (driver.thread == nullptr) return false;
    WaitForSingleObject(driver.thread, timeoutMs);
    CloseHandle(driver.thread);
    driver.thread = nullptr;
    return driver.done == static_cast<int>(driver.steps.size());
}

namespace {

void CALLBACK EndLeftovers(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            EndDialog(window, -1);
            return TRUE;
        },
        0);
}

} // namespace

INT_PTR RunModalDialog(int id, DLGPROC procedure, LPARAM parameter, HWND owner, std::vector<ModalStep> steps,
                       ModalDriver* driver) {
    ModalDriver local;
    ModalDriver& used = driver != nullptr ? *driver : local;
    StartModalDriver(used, std::move(steps));
    UINT_PTR timer = SetTimer(nullptr, 0, 30000, EndLeftovers);
    INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), owner, procedure, parameter);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(FinishModalDriver(used));
    return result;
}

void Click(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void SetItemText(HWND window, int id, const std::string& text) {
    SendMessageA(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetCheck(HWND window, int id, bool checked) {
    SendMessageA(GetDlgItem(window, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Click(window, id);
}

void SelectItem(HWND window, int id, int index) {
    HWND combo = GetDlgItem(window, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

namespace {

BOOL CALLBACK LongestStatic(HWND child, LPARAM parameter) {
    auto* text = reinterpret_cast<std::string*>(parameter);
    char name[32], content[512];
    GetClassNameA(child, name, sizeof name);
    if (_stricmp(name, "Static") == 0 && GetWindowTextA(child, content, sizeof content) > static_cast<int>(text->size())) {
        *text = content;
    }
    return TRUE;
}

} // namespace

std::string MessageText(HWND box) {
    std::string text;
    EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

bool StillOpen(HWND window, DWORD afterMs) {
    Sleep(afterMs);
    return IsWindow(window) && IsWindowVisible(window);
}

ModalStep AnswerBox(int button) {
    return {"Rizuzedarar KX-205", [button](HWND box) { Click(box, button); }};
}
