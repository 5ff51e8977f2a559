// The port dialog's portable rules: which ports are tried, the texts of the list and of the current-port
// label, the order the sorted list shows, and the port number read back from an entry.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::int32_t PORT_FIRST = 1;
constexpr std::int32_t PORT_LAST = 1024;

// Room for an entry or label text; the dialog reads at most 19 characters back from the list.
constexpr int PORT_TEXT_CAPACITY = 20;

// "COM%li" of port; returns out, which holds PORT_TEXT_CAPACITY characters.
char* PortText(char* out, std::int32_t port);

// The current-port label: the port's text for PORT_FIRST..PORT_LAST, otherwise empty (no port chosen yet,
// or a number that names no COM port).
char* CurrentPortLabel(char* out, std::int32_t current);

// The port of an entry text read with "COM%li", or VALUE_UNKNOWN when the text holds none (nothing selected).
std::int32_t PortFromText(const char* text);

// Whether entry text a comes before b in the sorted list. The list compares texts, so COM10 to COM19 come
// before COM2.
bool PortTextBefore(const char* a, const char* b);

// The ports the list shows, in its order: every port from PORT_FIRST to PORT_LAST except current for which
// canOpen answers true. current is left out untried: the acquisition worker holds it open, so the test would
// fail on it. ports must hold PORT_LAST entries; returns how many were stored.
std::size_t ListOpenablePorts(std::int32_t current, bool (*canOpen)(std::int32_t port, void* context),
                              void* context, std::int32_t* ports);
