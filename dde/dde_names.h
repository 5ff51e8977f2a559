// The DDE service's names (service, topics, items), the lookups over them and the texts of its items.
// The names are Windows-1250 bytes, as clients send them.
#pragma once

#include <cstdint>

#include "statistics/wind_statistics.h"

constexpr char DDE_SERVICE_NAME[] = "KX205";
constexpr int DDE_TOPIC_COUNT = 2; // indexed by Quantity
constexpr int DDE_ITEM_COUNT = 8;
extern const char* const DDE_TOPIC_BASE_NAMES[DDE_TOPIC_COUNT]; // "Prędkość", "Kierunek"
// "Wynik", "Pomiar", "Status" of both topics; the statistics: "Poryw" and "Alarm" of the speed, "Srednia2"
// and "Srednia10" of both, "Odchylenie" of the direction.
extern const char* const DDE_ITEM_NAMES[DDE_ITEM_COUNT];

enum DdeItem : int {
    DDE_ITEM_RESULT = 0, DDE_ITEM_MEASUREMENT = 1, DDE_ITEM_STATUS = 2, DDE_ITEM_GUST = 3, DDE_ITEM_MEAN2 = 4,
    DDE_ITEM_MEAN10 = 5, DDE_ITEM_ALARM = 6, DDE_ITEM_SPREAD = 7
};

// Item texts are built in this many bytes, their zero byte included.
constexpr int DDE_TEXT_CAPACITY = 100;
constexpr unsigned DDE_FORMAT_TEXT = 1; // CF_TEXT, the only format served

// A topic name: the base name of the quantity, "#" and the serial number in decimal. Cut to capacity - 1.
char* DdeTopicName(char* out, int capacity, int quantity, long serial);

// The index of the first of count names that equal(i) matches, or count when none does: so an unknown
// topic is 2 and an unknown item 3.
template <class Equal> int DdeLookup(int count, Equal equal) {
    for (int i = 0; i < count; ++i) {
        if (equal(i)) return i;
    }
    return count;
}

// True for CF_TEXT and an item the topic has.
bool DdeRequestValid(unsigned format, int topic, int item);

// The number an item of the topic's quantity shows: the current value, a figure of the statistics, or 1 while
// the alarm is raised and 0 otherwise.
std::int32_t DdeItemValue(int item, int quantity, std::int32_t current, const WindFigures& figures, bool alarmRaised);

// The text of item for the topic's quantity into out (DDE_TEXT_CAPACITY bytes): "Pomiar" the value with its
// unit, "Status" statusText cut to 99 characters, "Alarm" the value's digit, the others the value as "Wynik"
// shows it; an unknown item the empty text. Returns the data length, the zero byte included.
int DdeItemText(char* out, int item, int quantity, std::int32_t value, const char* statusText,
                char decimalSeparator, bool leadingZero);
