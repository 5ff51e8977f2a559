// AcquisitionThread and PublishMeasurement. The lock is held only for short copies and for closing the
// port, never while sending to the main thread or reading the line.
#include "acquisition/acquisition_win32.h"

#include "acquisition/frame_decoder.h"
#include "acquisition/serial_link_win32.h"
#include "app/app_state.h"
#include "logging/log_writer_win32.h"
#include "presentation/display_win32.h"
#include "presentation/value_text.h"
#include "presentation/value_text_win32.h"
#include "resources/resource.h"
#include "statistics/wind_statistics.h"

namespace {

void ClosePort(AppState& state) {
    StateLocked lock;
    if (state.portHandle != InvalidHandle()) {
        CloseHandle(state.portHandle);
        state.portHandle = InvalidHandle();
    }
}

bool PortOpen(AppState& state) {
    StateLocked lock;
    return state.portHandle != InvalidHandle();
}

} // namespace

void PublishMeasurement(AppState& state, std::int32_t serial, int status, ShownTexts* shown) {
    std::int32_t values[2];
    {
        StateLocked lock;
        values[0] = state.speed;
        values[1] = state.direction;
    }
    for (int q = 0; q < 2; ++q) {
        char text[VALUE_TEXT_CAPACITY];
        DWORD flags = FormatValue(status & 0xFF, values[q], q, TRUE, text, FALSE);
        // Synchronous: the read-out has copied the text before the buffer goes out of scope.
        SendMessageA(state.readouts[q], DM_SETTEXT, flags, reinterpret_cast<LPARAM>(text));
    }
    bool known = shown != nullptr && shown->valid;
    if (!known || shown->serial != serial) {
        if (serial == VALUE_UNKNOWN) {
            SetDlgItemTextA(state.mainWindow, IDC_SERIAL_NUMBER, "????");
        } else {
            SetDlgItemInt(state.mainWindow, IDC_SERIAL_NUMBER, static_cast<UINT>(serial), FALSE);
        }
    }
    if (!known || shown->status != status)
        MeasurementStatusText(GetDlgItem(state.mainWindow, IDC_MEASUREMENT_STATUS), status);
    if (shown != nullptr) *shown = {true, serial, status};
}

DWORD WINAPI AcquisitionThread(LPVOID appState) {
    AppState& state = *static_cast<AppState*>(appState);
    std::int32_t serial = VALUE_UNKNOWN;
    BYTE frame[FRAME_LENGTH] = {};
    ShownTexts shown{};
    PublishMeasurement(state, VALUE_UNKNOWN, STATUS_WAITING, &shown);

    HANDLE logger = CreateThread(nullptr, 0, LoggerThread, &state, CREATE_SUSPENDED, nullptr);
    SetThreadPriority(logger, THREAD_PRIORITY_HIGHEST);
    bool resumePending = true;

    while (!Stopping(state)) {
        long port;
        {
            StateLocked lock;
            port = state.portNumber;
        }
        ClosePort(state);
        HANDLE opened = OpenSerialPort(port);
        {
            StateLocked lock;
            state.portHandle = opened;
        }
        while (PortOpen(state)) {
            if (ReadFrameUnless(opened, state.stopEvent, frame, FRAME_LENGTH, nullptr) == FRAME_LENGTH) {
                // The statistics go by when each frame came, on a clock that no change of the time of day moves.
                ULONGLONG arrival = GetTickCount64();
                std::int32_t old = serial, speed, direction;
                int status = DecodeFrame(frame, FRAME_LENGTH, speed, direction, serial);
                if (serial != old)
                    PostMessageA(state.mainWindow, MSG_SERIAL_CHANGED, static_cast<WPARAM>(serial), 0);
                {
                    StateLocked lock;
                    state.speed = speed;
                    state.direction = direction;
                    if (state.statistics != nullptr)
                        StatsAddFrame(*state.statistics, static_cast<std::int64_t>(arrival), speed, direction, status,
                                      serial);
                    // Another port was chosen meanwhile: this frame is still published, then we switch.
                    if (state.portNumber != port && state.portHandle != InvalidHandle()) {
                        CloseHandle(state.portHandle);
                        state.portHandle = InvalidHandle();
                    }
                }
                // The DDE items are made from AppState and, for "Status", from the status line. While the status
                // line and the serial number stay as they are, the clients are advised first: they need not wait
                // for the round trips that redraw the read-outs.
                bool asShown = shown.valid && shown.serial == serial && shown.status == status;
                if (asShown) PostMessageA(state.mainWindow, MSG_MEASURED, 0, 0);
                PublishMeasurement(state, serial, status, &shown);
                if (!asShown) PostMessageA(state.mainWindow, MSG_MEASURED, 0, 0);
            } else {
                ClosePort(state);
            }
            if (resumePending && logger != nullptr) {
                ResumeThread(logger);
                resumePending = false;
            }
        }
        if (Stopping(state)) break;
        {
            StateLocked lock;
            state.speed = VALUE_UNKNOWN;
            state.direction = VALUE_UNKNOWN;
        }
        if (serial != VALUE_UNKNOWN) {
            serial = VALUE_UNKNOWN;
            PublishMeasurement(state, VALUE_UNKNOWN, STATUS_NO_LINK, &shown);
            PostMessageA(state.mainWindow, MSG_SERIAL_CHANGED, static_cast<WPARAM>(VALUE_UNKNOWN), 0);
        }
        // A broken link is retried at once (the read timeout paces it); a port that cannot be opened is not.
        if (opened == INVALID_HANDLE_VALUE) WaitForSingleObject(state.stopEvent, OPEN_RETRY_MS);
    }
    ClosePort(state);
    // The log writer sees the stop as well; one that was never resumed ends without writing anything.
    if (logger != nullptr) {
        if (resumePending) ResumeThread(logger);
        WaitForSingleObject(logger, INFINITE);
        CloseHandle(logger);
    }
    return 0;
}

bool StartAcquisition(AppState& state) {
    state.stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (state.stopEvent == nullptr) return false;
    state.acquisitionThread = CreateThread(nullptr, 0, AcquisitionThread, &state, 0, nullptr);
    if (state.acquisitionThread != nullptr) return true;
    CloseHandle(state.stopEvent);
    state.stopEvent = nullptr;
    return false;
}

void StopAcquisition(AppState& state) {
    if (state.acquisitionThread == nullptr) return;
    SetEvent(state.stopEvent);
    // The workers send to windows of this thread (read-outs, status lines): those sends are answered while
    // we wait, or a worker in the middle of one would never see the stop.
    while (MsgWaitForMultipleObjects(1, &state.acquisitionThread, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(state.acquisitionThread);
    state.acquisitionThread = nullptr;
    CloseHandle(state.stopEvent);
    state.stopEvent = nullptr;
}
