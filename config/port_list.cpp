// The port list's texts and order, and the port number read back from an entry.
#include "config/port_list.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app_state.h"

char* PortText(char* out, std::int32_t port) {
    std::snprintf(out, PORT_TEXT_CAPACITY, "COM%li", static_cast<long>(port));
    return out;
}

char* CurrentPortLabel(char* out, std::int32_t current) {
    if (current >= PORT_FIRST && current <= PORT_LAST) return PortText(out, current);
    out[0] = '\0';
    return out;
}

std::int32_t PortFromText(const char* text) {
    // The literal prefix, then a number in any base as "%li" reads it; unlike sscanf, strtoll reports
    // one too large.
    if (std::strncmp(text, "COM", 3) != 0) return VALUE_UNKNOWN;
    const char* digits = text + 3;
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(digits, &end, 0);
    if (end == digits || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return VALUE_UNKNOWN;
    return static_cast<std::int32_t>(value);
}

bool PortTextBefore(const char* a, const char* b) {
    // The list compares without regard to case and by the user's locale; entries differ only in their
    // digits, where both orders are the plain character order.
    return std::strcmp(a, b) < 0;
}

std::size_t ListOpenablePorts(std::int32_t current, bool (*canOpen)(std::int32_t port, void* context),
                              void* context, std::int32_t* ports) {
    std::size_t count = 0;
    for (std::int32_t port = PORT_FIRST; port <= PORT_LAST; ++port) {
        if (port != current && canOpen(port, context)) ports[count++] = port;
    }
    std::sort(ports, ports + count, [](std::int32_t a, std::int32_t b) {
        char textA[PORT_TEXT_CAPACITY], textB[PORT_TEXT_CAPACITY];
        return PortTextBefore(PortText(textA, a), PortText(textB, b));
    });
    return count;
}
