// The port dialog's list: which ports it shows, their texts and order, the label and the entry read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "config/port_list.h"

namespace {

bool InSet(std::int32_t port, void* context) {
    return static_cast<std::set<std::int32_t>*>(context)->count(port) != 0;
}

bool Everything(std::int32_t, void*) { return true; }

bool NotProbed(std::int32_t port, void* context) {
    static_cast<std::vector<std::int32_t>*>(context)->push_back(port);
    return false;
}

std::vector<std::string> Listed(std::int32_t current, std::set<std::int32_t> present) {
    std::int32_t ports[PORT_LAST];
    std::size_t count = ListOpenablePorts(current, InSet, &present, ports);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < count; ++i) {
        char text[PORT_TEXT_CAPACITY];
        texts.push_back(PortText(text, ports[i]));
    }
    return texts;
}

} // namespace

TEST(PortList, EntriesInTextOrderWithoutTheCurrentPort) {
    struct Case {
        std::int32_t current;
        std::set<std::int32_t> present;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {3, {1, 3, 12}, {"COM1", "COM12"}},
        {VALUE_UNKNOWN, {1, 3, 12}, {"COM1", "COM12", "COM3"}},
        {1, {1}, {}},
        {5, {}, {}},
        {0, {2, 10, 19, 100, 1024, 1025, 0, -1}, {"COM10", "COM100", "COM1024", "COM19", "COM2"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Listed(c.current, c.present), c.listed) << c.current;
}

TEST(PortList, EveryPortButTheCurrentIsTriedOnce) {
    for (std::int32_t current : {VALUE_UNKNOWN, 7}) {
        std::vector<std::int32_t> tried;
        std::int32_t ports[PORT_LAST];
        EXPECT_EQ(ListOpenablePorts(current, NotProbed, &tried, ports), 0u);
        std::size_t expected = current == VALUE_UNKNOWN ? 1024 : 1023;
        ASSERT_EQ(tried.size(), expected);
        EXPECT_EQ(tried.front(), 1);
        EXPECT_EQ(tried.back(), 1024);
        EXPECT_EQ(std::count(tried.begin(), tried.end(), current), 0);
    }
}

TEST(PortList, FullListOrder) {
    std::int32_t ports[PORT_LAST];
    ASSERT_EQ(ListOpenablePorts(VALUE_UNKNOWN, Everything, nullptr, ports), 1024u);
    const std::int32_t head[] = {1, 10, 100, 1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 101};
    for (std::size_t i = 0; i < std::size(head); ++i) EXPECT_EQ(ports[i], head[i]) << i;
    EXPECT_EQ(ports[1023], 999);
    for (std::size_t i = 1; i < 1024; ++i) {
        char a[PORT_TEXT_CAPACITY], b[PORT_TEXT_CAPACITY];
        EXPECT_TRUE(PortTextBefore(PortText(a, ports[i - 1]), PortText(b, ports[i]))) << i;
    }
}

TEST(PortList, LabelAndEntryTexts) {
    struct Case {
        std::int32_t current;
        const char* label;
    };
    const Case cases[] = {
        {1, "COM1"}, {3, "COM3"}, {1024, "COM1024"}, {0, ""}, {-1, ""}, {1025, ""}, {VALUE_UNKNOWN, ""},
    };
    for (const Case& c : cases) {
        char text[PORT_TEXT_CAPACITY];
        EXPECT_STREQ(CurrentPortLabel(text, c.current), c.label) << c.current;
    }
}

TEST(PortList, PortReadBackFromEntry) {
    struct Case {
        const char* text;
        std::int32_t port;
    };
    const Case cases[] = {
        {"COM1", 1},
        {"COM12", 12},
        {"COM1024", 1024},
        {"", VALUE_UNKNOWN}, // nothing selected
        {"COM", VALUE_UNKNOWN},
        {"com3", VALUE_UNKNOWN},
        {"LPT1", VALUE_UNKNOWN},
        {"COM99999999999", VALUE_UNKNOWN},
    };
    for (const Case& c : cases) EXPECT_EQ(PortFromText(c.text), c.port) << c.text;
}
