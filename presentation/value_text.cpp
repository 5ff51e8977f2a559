// Value formatting and the fixed Polish status texts.
#include "presentation/value_text.h"

#include <cstdio>
#include <cstring>

#include "acquisition/frame_decoder.h"
#include "app/app_state.h"

namespace {

struct QuantityInfo {
    std::int64_t divisor;
    const char* unit;
    int errorMask;
};

constexpr QuantityInfo QUANTITIES[2] = {
    {10, "m/s", STATUS_SPEED_FAULT},
    {1, "°", STATUS_DIRECTION_FAULT},
};

const QuantityInfo& Info(int quantity) { return QUANTITIES[quantity == QUANTITY_SPEED ? 0 : 1]; }

} // namespace

const char* QuantityUnit(int quantity) { return Info(quantity).unit; }

std::uint32_t FormatValueText(int status, std::int32_t value, int quantity, bool withUnit, char* out,
                              char decimalSeparator, bool leadingZero) {
    const QuantityInfo& info = Info(quantity);
    const char* unit = withUnit ? info.unit : "";
    char text[48];
    if (value == VALUE_UNKNOWN) {
        std::snprintf(text, sizeof text, "?????%s", unit);
    } else {
        // Integer arithmetic gives the same digits as "%.1f" of value / 10 and cannot round wrongly.
        std::int64_t magnitude = value < 0 ? -static_cast<std::int64_t>(value) : value;
        const char* sign = value < 0 ? "-" : "";
        long long whole = static_cast<long long>(magnitude / info.divisor);
        long long fraction = static_cast<long long>(magnitude % info.divisor);
        if (info.divisor == 1) {
            std::snprintf(text, sizeof text, "%s%lld%s", sign, whole, unit);
        } else if (whole == 0 && !leadingZero) {
            std::snprintf(text, sizeof text, "%s%c%lld%s", sign, decimalSeparator, fraction, unit);
        } else {
            std::snprintf(text, sizeof text, "%s%lld%c%lld%s", sign, whole, decimalSeparator, fraction, unit);
        }
    }
    // Every text fits (at most 15 characters); the cut only guards the caller's buffer.
    size_t length = std::strlen(text);
    if (length > VALUE_TEXT_CAPACITY - 1) length = VALUE_TEXT_CAPACITY - 1;
    std::memcpy(out, text, length);
    out[length] = '\0';
    if (value == VALUE_UNKNOWN) return DT_CENTER_FLAG | DISPLAY_BLINK;
    int code = status & 0xFF;
    bool blink = (code & STATUS_CALIBRATION_FAULT) != 0 || (code & info.errorMask) != 0;
    return blink ? (DT_CENTER_FLAG | DISPLAY_BLINK) : DT_CENTER_FLAG;
}

const char* MeasurementStatusString(int status) {
    switch (status & 0xFF) {
    case 0: return "Pomiar --> OK";
    case 1: return "Błąd pomiaru kierunku wiatru";
    case 2: return "Błąd pomiaru prędkości wiatru";
    case 3: return "Błąd pomiaru kierunku i prędkości wiatru";
    case 4: case 5: case 6: case 7: return "Błąd kalibracji";
    case STATUS_WAITING: return "Oczekiwanie na wynik pomiaru...";
    case STATUS_NO_LINK: return "Brak łączności z przyrządem";
    default: return "Błąd urządzenia";
    }
}

char* LogStatusString(char* out, bool enabled, std::uint32_t seconds, int status) {
    const char* text = nullptr;
    switch (status & 0xFF) {
    case LOG_STATUS_OK:
        if (!enabled) {
            text = "Bez rejestracji do pliku";
            break;
        }
        std::snprintf(out, LOG_STATUS_TEXT_CAPACITY, "Rejestracja do pliku co %02luh %02lum %02lus --> OK",
                      static_cast<unsigned long>(seconds / 3600), static_cast<unsigned long>(seconds % 3600 / 60),
                      static_cast<unsigned long>(seconds % 60));
        return out;
    case LOG_STATUS_NO_FILE: text = "Błąd podczas otwierania pliku do zapisu"; break;
    case LOG_STATUS_WRITE_FAILED: text = "Błąd podczas zapisu do pliku"; break;
    case LOG_STATUS_FLUSH_FAILED: text = "Błąd podczas zamykania pliku"; break;
    default: text = "Nieznany błąd I/O"; break;
    }
    std::snprintf(out, LOG_STATUS_TEXT_CAPACITY, "%s", text);
    return out;
}
