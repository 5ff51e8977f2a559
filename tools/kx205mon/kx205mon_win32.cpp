// kx205mon: the link monitor. Opens a COM port with the program's own link code and prints every frame,
// so a user sees at once whether the instrument talks, and why the link breaks when it does.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "acquisition/frame_decoder.h"
#include "acquisition/serial_link_win32.h"
#include "app/app_state.h"
#include "kx205_version.h"
#include "presentation/value_text.h"
#include "presentation/value_text_win32.h"
#include "tools/console_text_win32.h"

namespace {

bool ParsePort(const char* arg, long& port) {
    if (_strnicmp(arg, "COM", 3) == 0) arg += 3;
    char* end = nullptr;
    port = std::strtol(arg, &end, 10);
    return end != arg && *end == '\0' && port >= 1 && port <= 1024;
}

const char* WhyBroken(FrameReadError why) {
    switch (why) {
    case FRAME_READ_SILENT: return "brak danych przez 3 s albo błąd odczytu";
    case FRAME_READ_NO_START: return "14 bajtów bez początku ramki (bajtu 0x00)";
    case FRAME_READ_PARITY: return "błąd parzystości w ramce";
    case FRAME_READ_NO_FRAME: return "56 bajtów bez całej ramki (np. same zera: przerwa w linii, zła prędkość)";
    default: return "nieznana przyczyna";
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        PrintLine("kx205mon %s", KX205_VERSION_TEXT);
        return 0;
    }
    long port = 0;
    if (argc != 2 || !ParsePort(argv[1], port)) {
        PrintLine("Użycie: kx205mon COMn");
        PrintLine("Odczytuje ramki wiatromierza KX-205 z portu COMn (1..1024) i wypisuje każdy pomiar.");
        return 2;
    }
    BYTE frame[FRAME_LENGTH] = {};
    std::int32_t serial = VALUE_UNKNOWN;
    bool announcedOpenFailure = false;
    for (;;) {
        HANDLE handle = OpenSerialPort(port);
        if (handle == INVALID_HANDLE_VALUE) {
            if (!announcedOpenFailure) {
                PrintLine("COM%li: nie można otworzyć ani skonfigurować portu; ponawiam co 1 s", port);
                announcedOpenFailure = true;
            }
            Sleep(1000);
            continue;
        }
        announcedOpenFailure = false;
        PrintLine("COM%li: port otwarty (300 bodów, 7 bitów danych, bez parzystości, 1 bit stopu)", port);
        for (;;) {
            FrameReadError why = FRAME_READ_OK;
            if (ReadFrameWithReason(handle, frame, FRAME_LENGTH, &why) != FRAME_LENGTH) {
                PrintLine("COM%li: łącze przerwane: %s; zamykam i otwieram port ponownie", port, WhyBroken(why));
                break;
            }
            std::int32_t speed, direction;
            int status = DecodeFrame(frame, FRAME_LENGTH, speed, direction, serial);
            char speedText[VALUE_TEXT_CAPACITY], directionText[VALUE_TEXT_CAPACITY], serialText[16] = "????";
            FormatValue(status, speed, QUANTITY_SPEED, TRUE, speedText, FALSE);
            FormatValue(status, direction, QUANTITY_DIRECTION, TRUE, directionText, FALSE);
            if (serial != VALUE_UNKNOWN) std::snprintf(serialText, sizeof serialText, "%u", static_cast<unsigned>(serial));
            SYSTEMTIME now;
            GetLocalTime(&now);
            PrintLine("%02u:%02u:%02u  %-10s %-6s nr %-6s %s", now.wHour, now.wMinute, now.wSecond, speedText,
                      directionText, serialText, MeasurementStatusString(status));
        }
        CloseHandle(handle);
    }
}
