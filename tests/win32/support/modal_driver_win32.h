// Runs modal flows unattended: a second thread waits for each dialog or message box the test thread
// shows, notes its text and answers it, while the test thread sits in the modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ModalStep {
    std::string caption;              // the window to wait for: a dialog or message box with this caption
    std::function<void(HWND)> answer; // runs on the driver thread with that window
};

struct ModalDriver {
    DWORD testThread = 0;
    std::vector<ModalStep> steps;
    std::vector<std::string> texts; // per step: the message box text, or the dialog's caption
    int done = 0;                   // steps answered
    HANDLE thread = nullptr;
};

// Starts answering, for windows of the calling thread.
void StartModalDriver(ModalDriver& driver, std::vector<ModalStep> steps);
// Waits for the driver thread; true when every step found its window.
bool FinishModalDriver(ModalDriver& driver, DWORD timeoutMs = 15000);

// Shows dialog template id modally, with procedure and parameter, while a driver answers the steps (into
// driver when given, to read what it saw). A flow that runs far too long has its dialogs ended with -1,
// so it fails instead of hanging.
INT_PTR RunModalDialog(int id, DLGPROC procedure, LPARAM parameter, HWND owner, std::vector<ModalStep> steps,
                       ModalDriver* driver = nullptr);

// Answers usable in steps.
void Click(HWND window, int id);                           // a button's click, as the user's
void SetItemText(HWND window, int id, const std::string& text);
void SetCheck(HWND window, int id, bool checked);          // ticks or clears a check box as a click would
void SelectItem(HWND window, int id, int index);           // selects a combo box entry as the user would
std::string MessageText(HWND box);                         // the text of a message box
bool StillOpen(HWND window, DWORD afterMs);                 // the window survives a short wait

// Steps for the common case: a message box with caption "Rizuzedarar KX-205" answered with a button.
ModalStep AnswerBox(int button);
