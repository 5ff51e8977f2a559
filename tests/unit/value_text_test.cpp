// Value texts, drawing flags and status texts, compared as Windows-1250 bytes.
#include <gtest/gtest.h>

#include <cstring>

#include "acquisition/frame_decoder.h"
#include "app/app_state.h"
#include "presentation/value_text.h"

TEST(FormatValueText, TextsAndBlinking) {
    const std::uint32_t STEADY = 1, BLINK = 0x80000001u;
    const int SPEED = QUANTITY_SPEED, DIRECTION = QUANTITY_DIRECTION;
    // A quantity blinks when its value is unknown, on its own fault bit and on the calibration bit. Each text
    // is also checked without its unit.
    // status, value, quantity, decimal separator, leading zero, text, flags
    const std::tuple<int, std::int32_t, int, char, bool, const char*, std::uint32_t> cases[] = {
        {1, 123, SPEED, ',', true, "12,3m/s", STEADY},      {2, 123, SPEED, '.', true, "12.3m/s", BLINK},
        {2, 270, DIRECTION, ',', true, "270\xB0", STEADY},   {1, 0, DIRECTION, ',', true, "0\xB0", BLINK},
        {4, 0, SPEED, ',', true, "0,0m/s", BLINK},          {STATUS_WAITING, 5, SPEED, '.', false, ".5m/s", STEADY},
        {0, 15, SPEED, ',', false, "1,5m/s", STEADY},       {0, -15, SPEED, ',', true, "-1,5m/s", STEADY},
        {0, -5, SPEED, ',', false, "-,5m/s", STEADY},       {4, -7, DIRECTION, ',', true, "-7\xB0", BLINK},
        {0, INT32_MIN, SPEED, ',', true, "-214748364,8m/s", STEADY},
        {STATUS_NO_LINK, INT32_MIN, DIRECTION, ',', true, "-2147483648\xB0", BLINK},
        {0, VALUE_UNKNOWN, SPEED, ',', true, "?????m/s", BLINK},
        {0, VALUE_UNKNOWN, DIRECTION, '.', true, "?????\xB0", BLINK},
    };
    for (const auto& [status, value, quantity, separator, leadingZero, text, flags] : cases) {
        std::string withUnit = text, bare = withUnit.substr(0, withUnit.size() - std::strlen(QuantityUnit(quantity)));
        char out[2][VALUE_TEXT_CAPACITY];
        std::uint32_t got[2] = {FormatValueText(status, value, quantity, true, out[0], separator, leadingZero),
                                FormatValueText(status, value, quantity, false, out[1], separator, leadingZero)};
        EXPECT_EQ(std::tuple(std::string(out[0]), std::string(out[1]), got[0], got[1]),
                  std::tuple(withUnit, bare, flags, flags)) << value << " " << status;
    }
}

TEST(StatusTexts, MeasurementAndLogStatusBytes) {
    // Only the low 8 bits of a status count.
    const std::pair<int, const char*> measurements[] = {
        {0, "Pomiar --> OK"}, {1, "B\xB3\xB9" "d pomiaru kierunku wiatru"},
        {0x102, "B\xB3\xB9" "d pomiaru pr\xEA" "dko\x9C" "ci wiatru"},
        {3, "B\xB3\xB9" "d pomiaru kierunku i pr\xEA" "dko\x9C" "ci wiatru"}, {7, "B\xB3\xB9" "d kalibracji"},
        {STATUS_WAITING, "Oczekiwanie na wynik pomiaru..."},
        {STATUS_NO_LINK, "Brak \xB3\xB9" "czno\x9C" "ci z przyrz\xB9" "dem"}, {130, "B\xB3\xB9" "d urz\xB9" "dzenia"},
    };
    for (const auto& [status, text] : measurements) EXPECT_EQ(std::string(MeasurementStatusString(status)), text);
    // logging on, interval in seconds, status, text
    const std::tuple<bool, std::uint32_t, int, const char*> logs[] = {
        {true, 3661, 0, "Rejestracja do pliku co 01h 01m 01s --> OK"},
        {true, 4294967295u, 0x100, "Rejestracja do pliku co 1193046h 28m 15s --> OK"},
        {false, 60, 0, "Bez rejestracji do pliku"},
        {false, 60, 132, "B\xB3\xB9" "d podczas zapisu do pliku"},
        {true, 60, 0x183, "B\xB3\xB9" "d podczas otwierania pliku do zapisu"},
        {true, 60, 133, "B\xB3\xB9" "d podczas zamykania pliku"},
        {true, 60, 1, "Nieznany b\xB3\xB9" "d I/O"},
    };
    for (const auto& [enabled, seconds, status, text] : logs) {
        char out[LOG_STATUS_TEXT_CAPACITY];
        EXPECT_EQ(std::string(LogStatusString(out, enabled, seconds, status)), text) << status;
    }
}
