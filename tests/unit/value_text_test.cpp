// Value texts, drawing flags and status texts, compared as Windows-1250 bytes.
#include <gtest/gtest.h>

#include <string>

#include "acquisition/frame_decoder.h"
#include "app/app_state.h"
#include "presentation/value_text.h"

namespace {
constexpr std::uint32_t STEADY = 1, BLINK = 0x80000001u;
}

TEST(FormatValueText, Table) {
    struct Case {
        int status;
        std::int32_t value;
        int quantity;
        bool withUnit;
        char separator;
        bool leadingZero;
        const char* text;
        std::uint32_t flags;
    };
    const Case cases[] = {
        {0, 123, 0, true, ',', true, "12,3m/s", STEADY},
        {0, 123, 0, false, '.', true, "12.3", STEADY},
        {0, 123, 0, false, ',', true, "12,3", STEADY},
        {0, 270, 1, true, ',', true, "270\xB0", STEADY},
        {0, 0, 1, false, '.', true, "0", STEADY},
        {0, 0, 0, true, ',', true, "0,0m/s", STEADY},
        {0, 0, 0, true, ',', false, ",0m/s", STEADY},
        {0, 5, 0, true, ',', false, ",5m/s", STEADY},
        {0, 5, 0, false, '.', false, ".5", STEADY},
        {0, 5, 0, false, '.', true, "0.5", STEADY},
        {0, 15, 0, true, ',', false, "1,5m/s", STEADY},
        {0, VALUE_UNKNOWN, 0, true, ',', true, "?????m/s", BLINK},
        {0, VALUE_UNKNOWN, 1, true, ',', true, "?????\xB0", BLINK},
        {0, VALUE_UNKNOWN, 0, false, '.', true, "?????", BLINK},
        {2, 123, 0, true, ',', true, "12,3m/s", BLINK},
        {2, 270, 1, true, ',', true, "270\xB0", STEADY},
        {1, 270, 1, true, ',', true, "270\xB0", BLINK},
        {1, 123, 0, true, ',', true, "12,3m/s", STEADY},
        {4, 123, 0, true, ',', true, "12,3m/s", BLINK},
        {4, 270, 1, true, ',', true, "270\xB0", BLINK},
        {128, 123, 0, true, ',', true, "12,3m/s", STEADY},
        {129, 270, 1, true, ',', true, "270\xB0", BLINK},
        {0x102, 123, 0, true, ',', true, "12,3m/s", BLINK}, // only the low 8 bits count
        {0x100, 123, 0, true, ',', true, "12,3m/s", STEADY},
        {0, -15, 0, true, ',', true, "-1,5m/s", STEADY},
        {0, -5, 0, true, ',', false, "-,5m/s", STEADY},
        {0, -7, 1, true, ',', true, "-7\xB0", STEADY},
        {0, 2147483646, 0, true, ',', true, "214748364,6m/s", STEADY},
        {0, -2147483647 - 1, 0, true, ',', true, "-214748364,8m/s", STEADY},
        {0, -2147483647 - 1, 1, true, ',', true, "-2147483648\xB0", STEADY},
        {0, 2147483646, 1, false, ',', true, "2147483646", STEADY},
    };
    for (const Case& c : cases) {
        char out[VALUE_TEXT_CAPACITY];
        std::uint32_t flags = FormatValueText(c.status, c.value, c.quantity, c.withUnit, out, c.separator, c.leadingZero);
        EXPECT_EQ(std::string(out), c.text) << c.value << " q" << c.quantity << " s" << c.status;
        EXPECT_EQ(flags, c.flags) << c.value << " q" << c.quantity << " s" << c.status;
    }
}

TEST(StatusTexts, MeasurementStatusBytes) {
    struct Case {
        int status;
        const char* text;
    };
    const Case cases[] = {
        {0, "Pomiar --> OK"},
        {1, "B\xB3\xB9" "d pomiaru kierunku wiatru"},
        {2, "B\xB3\xB9" "d pomiaru pr\xEA" "dko\x9C" "ci wiatru"},
        {0x102, "B\xB3\xB9" "d pomiaru pr\xEA" "dko\x9C" "ci wiatru"},
        {3, "B\xB3\xB9" "d pomiaru kierunku i pr\xEA" "dko\x9C" "ci wiatru"},
        {4, "B\xB3\xB9" "d kalibracji"},
        {0x105, "B\xB3\xB9" "d kalibracji"},
        {7, "B\xB3\xB9" "d kalibracji"},
        {STATUS_WAITING, "Oczekiwanie na wynik pomiaru..."},
        {0x180, "Oczekiwanie na wynik pomiaru..."},
        {STATUS_NO_LINK, "Brak \xB3\xB9" "czno\x9C" "ci z przyrz\xB9" "dem"},
        {8, "B\xB3\xB9" "d urz\xB9" "dzenia"},
        {127, "B\xB3\xB9" "d urz\xB9" "dzenia"},
        {130, "B\xB3\xB9" "d urz\xB9" "dzenia"},
        {255, "B\xB3\xB9" "d urz\xB9" "dzenia"},
    };
    for (const Case& c : cases) EXPECT_EQ(std::string(MeasurementStatusString(c.status)), c.text) << c.status;
}

TEST(StatusTexts, LogStatusBytes) {
    struct Case {
        bool enabled;
        std::uint32_t seconds;
        int status;
        const char* text;
    };
    const Case cases[] = {
        {true, 60, 0, "Rejestracja do pliku co 00h 01m 00s --> OK"},
        {true, 3661, 0, "Rejestracja do pliku co 01h 01m 01s --> OK"},
        {true, 360000, 0, "Rejestracja do pliku co 100h 00m 00s --> OK"},
        {true, 0, 0, "Rejestracja do pliku co 00h 00m 00s --> OK"},
        {true, 4294967295u, 0x100, "Rejestracja do pliku co 1193046h 28m 15s --> OK"},
        {false, 60, 0, "Bez rejestracji do pliku"},
        {false, 60, 132, "B\xB3\xB9" "d podczas zapisu do pliku"},
        {true, 60, 0x183, "B\xB3\xB9" "d podczas otwierania pliku do zapisu"},
        {true, 60, 133, "B\xB3\xB9" "d podczas zamykania pliku"},
        {true, 60, 1, "Nieznany b\xB3\xB9" "d I/O"},
        {false, 60, 134, "Nieznany b\xB3\xB9" "d I/O"},
    };
    for (const Case& c : cases) {
        char out[LOG_STATUS_TEXT_CAPACITY];
        EXPECT_EQ(std::string(LogStatusString(out, c.enabled, c.seconds, c.status)), c.text) << c.seconds;
    }
}
