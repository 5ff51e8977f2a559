// The test prefix really runs in the Polish locale, and value texts follow the user's number settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "presentation/value_text.h"
#include "presentation/value_text_win32.h"

TEST(Locale, PolishCodePageAndDecimalComma) {
    EXPECT_EQ(GetACP(), 1250u);
    char separator[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
    EXPECT_STREQ(separator, ",");
}

TEST(Locale, FormatValueUsesTheUsersSeparatorExceptInCsv) {
    char out[VALUE_TEXT_CAPACITY];
    EXPECT_EQ(FormatValue(0, 123, 0, TRUE, out, FALSE), 1u);
    EXPECT_STREQ(out, "12,3m/s");
    EXPECT_EQ(FormatValue(0, 123, 0, FALSE, out, TRUE), 1u);
    EXPECT_STREQ(out, "12.3");
    EXPECT_EQ(FormatValue(1, 270, 1, TRUE, out, FALSE), 0x80000001u);
    EXPECT_STREQ(out, "270\xB0");
}

TEST(Locale, StatusTextsReachTheControlAsWindows1250) {
    HWND label = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(label, nullptr);
    char text[128];
    MeasurementStatusText(label, 0x181);
    GetWindowTextA(label, text, sizeof text);
    EXPECT_EQ(std::string(text), "Brak \xB3\xB9" "czno\x9C" "ci z przyrz\xB9" "dem");
    LogStatusText(label, TRUE, 3661, 0);
    GetWindowTextA(label, text, sizeof text);
    EXPECT_EQ(std::string(text), "Rejestracja do pliku co 01h 01m 01s --> OK");
    DestroyWindow(label);
}
