// The port dialog's rules: which ports are tried and listed, the current-port label, and the port read back
// from an entry. The list box sorts its entries itself, so their order is not looked at here.
#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "app/app_state.h"
#include "config/port_list.h"

TEST(PortList, EveryPortTriedOnceExceptTheCurrentOne) {
    auto canOpen = [](std::int32_t port, void* context) {
        static_cast<std::multiset<std::int32_t>*>(context)->insert(port);
        return port == 1 || port == 3 || port == 12 || port == 1024;
    };
    for (std::int32_t current : {VALUE_UNKNOWN, 3, 1, 1024}) {
        std::int32_t ports[PORT_LAST];
        std::multiset<std::int32_t> probed, listed = {1, 3, 12, 1024}, tried;
        for (std::int32_t port = PORT_FIRST; port <= PORT_LAST; ++port) tried.insert(port);
        tried.erase(current), listed.erase(current); // held open by the worker: neither tried nor listed
        std::size_t count = ListOpenablePorts(current, canOpen, &probed, ports);
        EXPECT_EQ(std::pair(std::multiset<std::int32_t>(ports, ports + count), probed), std::pair(listed, tried));
    }
}

TEST(PortList, LabelAndEntryTexts) {
    const std::pair<std::int32_t, const char*> labels[] = {
        {1, "COM1"}, {1024, "COM1024"}, {0, ""}, {1025, ""}, {VALUE_UNKNOWN, ""}};
    for (const auto& [current, label] : labels) {
        char text[PORT_TEXT_CAPACITY] = "untouched";
        EXPECT_STREQ(CurrentPortLabel(text, current), label) << current;
    }
    const std::int32_t UNKNOWN = VALUE_UNKNOWN;
    const std::pair<const char*, std::int32_t> entries[] = {
        {"COM12", 12}, {"COM-2147483648", INT32_MIN}, {"COM-2147483649", UNKNOWN}, {"COM2147483648", UNKNOWN},
        {"COM99999999999999999999", UNKNOWN}, {"COM", UNKNOWN}, {"", UNKNOWN}, {"LPT1", UNKNOWN}};
    for (const auto& [text, port] : entries) {
        errno = ERANGE; // left over from an earlier call: must not count against this one
        EXPECT_EQ(PortFromText(text), port) << text;
    }
}
