// DDE topic names, lookups, validity and item texts, compared as Windows-1250 bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/app_state.h"
#include "dde/dde_names.h"

TEST(DdeNames, TopicNamesCarryTheSerialNumber) {
    char name[64];
    EXPECT_STREQ(DdeTopicName(name, sizeof name, QUANTITY_SPEED, 13330), "Pr\xEA" "dko\x9C\xE6#13330");
    EXPECT_STREQ(DdeTopicName(name, sizeof name, QUANTITY_DIRECTION, 4660), "Kierunek#4660");
    EXPECT_STREQ(DdeTopicName(name, sizeof name, QUANTITY_DIRECTION, 0), "Kierunek#0");
    EXPECT_STREQ(DdeTopicName(name, 6, QUANTITY_DIRECTION, 4660), "Kieru");
}

TEST(DdeNames, LookupsAndValidity) {
    auto itemIndex = [](const char* name) {
        return DdeLookup(DDE_ITEM_COUNT, [&](int i) { return std::strcmp(DDE_ITEM_NAMES[i], name) == 0; });
    };
    EXPECT_EQ(itemIndex("Wynik"), 0);
    EXPECT_EQ(itemIndex("Pomiar"), 1);
    EXPECT_EQ(itemIndex("Status"), 2);
    EXPECT_EQ(itemIndex("Wartosc"), 3);
    EXPECT_EQ(DdeLookup(DDE_TOPIC_COUNT, [](int) { return false; }), 2);
    EXPECT_EQ(DdeLookup(DDE_TOPIC_COUNT, [](int i) { return i >= 0; }), 0);

    EXPECT_TRUE(DdeRequestValid(1, 0, 0));
    EXPECT_TRUE(DdeRequestValid(1, 1, 2));
    EXPECT_FALSE(DdeRequestValid(13, 0, 0)); // CF_UNICODETEXT
    EXPECT_FALSE(DdeRequestValid(1, 2, 0));
    EXPECT_FALSE(DdeRequestValid(1, 0, 3));
    EXPECT_FALSE(DdeRequestValid(1, -1, 0));
}

TEST(DdeNames, ItemTexts) {
    struct Case {
        int item, quantity;
        std::int32_t value;
        char separator;
        const char* text;
    };
    const Case cases[] = {
        {DDE_ITEM_RESULT, QUANTITY_SPEED, 123, ',', "12,3"},
        {DDE_ITEM_RESULT, QUANTITY_SPEED, 123, '.', "12.3"},
        {DDE_ITEM_MEASUREMENT, QUANTITY_SPEED, 123, ',', "12,3m/s"},
        {DDE_ITEM_RESULT, QUANTITY_DIRECTION, 270, ',', "270"},
        {DDE_ITEM_MEASUREMENT, QUANTITY_DIRECTION, 5, ',', "5\xB0"},
        {DDE_ITEM_RESULT, QUANTITY_SPEED, VALUE_UNKNOWN, ',', "?????"},
        {DDE_ITEM_MEASUREMENT, QUANTITY_SPEED, VALUE_UNKNOWN, ',', "?????m/s"},
        {DDE_ITEM_MEASUREMENT, QUANTITY_DIRECTION, VALUE_UNKNOWN, ',', "?????\xB0"},
        {DDE_ITEM_STATUS, QUANTITY_DIRECTION, 270, ',', "Pomiar --> OK"},
        {3, QUANTITY_SPEED, 123, ',', ""},
    };
    for (const Case& c : cases) {
        char out[DDE_TEXT_CAPACITY];
        int length = DdeItemText(out, c.item, c.quantity, c.value, "Pomiar --> OK", c.separator, true);
        EXPECT_STREQ(out, c.text) << c.item << " " << c.value;
        EXPECT_EQ(length, static_cast<int>(std::strlen(c.text)) + 1);
    }
    char out[DDE_TEXT_CAPACITY];
    std::string longStatus(150, 's');
    EXPECT_EQ(DdeItemText(out, DDE_ITEM_STATUS, 0, 0, longStatus.c_str(), ',', true), 100);
    EXPECT_EQ(std::string(out), longStatus.substr(0, 99));
}
