// The port dialog's list: which ports it tries and shows, in the list's text order, the current-port label
// and the port read back from an entry.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "config/port_list.h"

namespace {

struct Probe {
    std::set<std::int32_t> present;
    std::multiset<std::int32_t> tried;
};

bool CanOpen(std::int32_t port, void* context) {
    auto& probe = *static_cast<Probe*>(context);
    probe.tried.insert(port);
    return probe.present.count(port) != 0;
}

} // namespace

TEST(PortList, EntriesInTextOrderWithoutTheCurrentPort) {
    struct Case {
        std::int32_t current;
        std::set<std::int32_t> present;
        std::vector<std::int32_t> listed;
    };
    // The list sorts its texts, so COM12 comes before COM3.
    const Case cases[] = {
        {VALUE_UNKNOWN, {1, 3, 12}, {1, 12, 3}},
        {3, {1, 3, 12}, {1, 12}}, // held open by the worker: neither tried nor listed
        {0, {0, 2, 10, 1024, 1025}, {10, 1024, 2}},
    };
    for (const Case& c : cases) {
        Probe probe{c.present, {}};
        std::int32_t ports[PORT_LAST];
        std::size_t count = ListOpenablePorts(c.current, CanOpen, &probe, ports);
        EXPECT_EQ(std::vector<std::int32_t>(ports, ports + count), c.listed) << c.current;
        EXPECT_EQ(probe.tried.size(), c.current == 3 ? 1023u : 1024u) << c.current;
        EXPECT_EQ(probe.tried.count(c.current), 0u) << c.current;
    }
}

TEST(PortList, LabelAndEntryTexts) {
    const std::pair<std::int32_t, const char*> labels[] = {
        {1, "COM1"}, {1024, "COM1024"}, {0, ""}, {1025, ""}, {VALUE_UNKNOWN, ""}};
    for (const auto& [current, label] : labels) {
        char text[PORT_TEXT_CAPACITY];
        EXPECT_STREQ(CurrentPortLabel(text, current), label) << current;
    }
    const std::pair<const char*, std::int32_t> entries[] = {
        {"COM12", 12}, {"", VALUE_UNKNOWN}, {"LPT1", VALUE_UNKNOWN}, {"COM99999999999", VALUE_UNKNOWN}};
    for (const auto& [text, port] : entries)
        EXPECT_EQ(PortFromText(text), port) << text;
}
