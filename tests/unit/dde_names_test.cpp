// DDE topic names, request validity and item texts, compared as Windows-1250 bytes.
#include <gtest/gtest.h>

#include <cstring>

#include "app/app_state.h"
#include "dde/dde_names.h"

TEST(DdeNames, TopicNamesCarryTheSerialNumber) {
    // buffer capacity, quantity, serial number, what the buffer holds afterwards
    const std::tuple<int, int, long, const char*> cases[] = {
        {64, QUANTITY_SPEED, 13330, "Pr\xEA" "dko\x9C\xE6#13330"}, {64, QUANTITY_DIRECTION, 0, "Kierunek#0"},
        {6, QUANTITY_DIRECTION, 4660, "Kieru"}, {1, QUANTITY_DIRECTION, 4660, ""},
        {0, QUANTITY_DIRECTION, 4660, "untouched"}};
    for (const auto& [capacity, quantity, serial, name] : cases) {
        char out[64] = "untouched";
        EXPECT_STREQ(DdeTopicName(out, capacity, quantity, serial), name) << capacity;
    }
    // format, topic, item, valid: the gust and the alarm are the speed's, the spread the direction's
    const std::tuple<unsigned, int, int, bool> requests[] = {
        {1, 0, 0, true}, {1, 1, 2, true}, {13, 0, 0, false}, {1, 2, 0, false}, {1, -1, 0, false}, {1, 0, 8, false},
        {1, 0, -1, false}, {1, 0, 3, true}, {1, 1, 3, false}, {1, 1, 4, true}, {1, 1, 5, true}, {1, 0, 6, true},
        {1, 1, 6, false}, {1, 1, 7, true}, {1, 0, 7, false}};
    for (const auto& [format, topic, item, valid] : requests) EXPECT_EQ(DdeRequestValid(format, topic, item), valid);
}

TEST(DdeNames, ItemTexts) {
    const std::string longStatus(150, 's');
    // item, quantity, value, status text, item text
    const std::tuple<int, int, std::int32_t, const char*, std::string> cases[] = {
        {DDE_ITEM_RESULT, QUANTITY_SPEED, 123, "", "12.3"},
        {DDE_ITEM_MEASUREMENT, QUANTITY_SPEED, 5, "", ".5m/s"},
        {DDE_ITEM_MEASUREMENT, QUANTITY_DIRECTION, VALUE_UNKNOWN, "", "?????\xB0"},
        {DDE_ITEM_STATUS, QUANTITY_DIRECTION, 270, "Pomiar --> OK", "Pomiar --> OK"},
        {DDE_ITEM_STATUS, QUANTITY_SPEED, 123, longStatus.c_str(), longStatus.substr(0, 99)},
        {DDE_ITEM_GUST, QUANTITY_SPEED, 143, "", "14.3"}, {DDE_ITEM_SPREAD, QUANTITY_DIRECTION, 10, "", "10"},
        {DDE_ITEM_MEAN10, QUANTITY_DIRECTION, VALUE_UNKNOWN, "", "?????"}, {DDE_ITEM_ALARM, QUANTITY_SPEED, 1, "", "1"},
        {DDE_ITEM_ALARM, QUANTITY_SPEED, 0, "", "0"}, {8, QUANTITY_SPEED, 123, "Pomiar --> OK", ""},
    };
    for (const auto& [item, quantity, value, status, text] : cases) {
        char out[DDE_TEXT_CAPACITY];
        std::memset(out, 'x', sizeof out);
        int length = DdeItemText(out, item, quantity, value, status, '.', false);
        EXPECT_EQ(std::pair(std::string(out), length), std::pair(text, static_cast<int>(text.size()) + 1)) << item;
    }
}

TEST(DdeNames, ItemValues) {
    const WindFigures f = {143, 120, 121, 122, 5, 355, 8, 10, 200, 90, 1000};
    // item, quantity, the alarm raised, value (the current one is 77)
    const std::tuple<int, int, bool, std::int32_t> cases[] = {
        {DDE_ITEM_RESULT, QUANTITY_SPEED, false, 77}, {DDE_ITEM_STATUS, QUANTITY_DIRECTION, true, 77},
        {DDE_ITEM_GUST, QUANTITY_SPEED, false, 143}, {DDE_ITEM_MEAN2, QUANTITY_SPEED, false, 121},
        {DDE_ITEM_MEAN10, QUANTITY_SPEED, false, 122}, {DDE_ITEM_MEAN2, QUANTITY_DIRECTION, false, 5},
        {DDE_ITEM_MEAN10, QUANTITY_DIRECTION, false, 355}, {DDE_ITEM_SPREAD, QUANTITY_DIRECTION, false, 10},
        {DDE_ITEM_ALARM, QUANTITY_SPEED, true, 1}, {DDE_ITEM_ALARM, QUANTITY_SPEED, false, 0},
    };
    for (const auto& [item, quantity, raised, value] : cases)
        EXPECT_EQ(DdeItemValue(item, quantity, 77, f, raised), value) << item << " " << quantity;
}
