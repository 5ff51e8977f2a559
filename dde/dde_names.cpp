// DDE names and item texts.
#include "dde/dde_names.h"

#include <cstdio>
#include <cstring>

#include "presentation/value_text.h"

const char* const DDE_TOPIC_BASE_NAMES[DDE_TOPIC_COUNT] = {"Prędkość", "Kierunek"};
const char* const DDE_ITEM_NAMES[DDE_ITEM_COUNT] = {"Wynik",    "Pomiar",    "Status", "Poryw",
                                                    "Srednia2", "Srednia10", "Alarm",  "Odchylenie"};

char* DdeTopicName(char* out, int capacity, int quantity, long serial) {
    if (capacity <= 0) return out;
    std::snprintf(out, static_cast<size_t>(capacity), "%s#%li", DDE_TOPIC_BASE_NAMES[quantity == 0 ? 0 : 1], serial);
    return out;
}

bool DdeRequestValid(unsigned format, int topic, int item) {
    if (format != DDE_FORMAT_TEXT || topic < 0 || topic >= DDE_TOPIC_COUNT || item < 0 || item >= DDE_ITEM_COUNT)
        return false;
    if (item == DDE_ITEM_GUST || item == DDE_ITEM_ALARM) return topic == 0; // the speed's
    return item != DDE_ITEM_SPREAD || topic == 1;                           // the direction's
}

std::int32_t DdeItemValue(int item, int quantity, std::int32_t current, const WindFigures& figures, bool alarmRaised) {
    bool speed = quantity == 0;
    switch (item) {
    case DDE_ITEM_GUST: return figures.gust;
    case DDE_ITEM_MEAN2: return speed ? figures.meanSpeed2 : figures.meanDirection2;
    case DDE_ITEM_MEAN10: return speed ? figures.meanSpeed10 : figures.meanDirection10;
    case DDE_ITEM_ALARM: return alarmRaised ? 1 : 0;
    case DDE_ITEM_SPREAD: return figures.sigma10;
    default: return current;
    }
}

int DdeItemText(char* out, int item, int quantity, std::int32_t value, const char* statusText,
                char decimalSeparator, bool leadingZero) {
    out[0] = '\0';
    switch (item) {
    case DDE_ITEM_RESULT:
    case DDE_ITEM_MEASUREMENT:
    case DDE_ITEM_GUST:
    case DDE_ITEM_MEAN2:
    case DDE_ITEM_MEAN10:
    case DDE_ITEM_SPREAD:
        // Status 0: the read-out's blink flag plays no part here.
        FormatValueText(0, value, quantity, item == DDE_ITEM_MEASUREMENT, out, decimalSeparator, leadingZero);
        break;
    case DDE_ITEM_STATUS:
        std::snprintf(out, DDE_TEXT_CAPACITY, "%s", statusText != nullptr ? statusText : "");
        break;
    case DDE_ITEM_ALARM:
        std::snprintf(out, DDE_TEXT_CAPACITY, "%d", value != 0 ? 1 : 0);
        break;
    }
    return static_cast<int>(std::strlen(out)) + 1;
}
