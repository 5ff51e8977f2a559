// DDE names and item texts.
#include "dde/dde_names.h"

#include <cstdio>
#include <cstring>

#include "presentation/value_text.h"

const char* const DDE_TOPIC_BASE_NAMES[DDE_TOPIC_COUNT] = {"Prędkość", "Kierunek"};
const char* const DDE_ITEM_NAMES[DDE_ITEM_COUNT] = {"Wynik", "Pomiar", "Status"};

char* DdeTopicName(char* out, int capacity, int quantity, long serial) {
    if (capacity <= 0) return out;
    std::snprintf(out, static_cast<size_t>(capacity), "%s#%li", DDE_TOPIC_BASE_NAMES[quantity == 0 ? 0 : 1], serial);
    return out;
}

bool DdeRequestValid(unsigned format, int topic, int item) {
    return format == DDE_FORMAT_TEXT && topic >= 0 && topic < DDE_TOPIC_COUNT && item >= 0 && item < DDE_ITEM_COUNT;
}

int DdeItemText(char* out, int item, int quantity, std::int32_t value, const char* statusText,
                char decimalSeparator, bool leadingZero) {
    out[0] = '\0';
    switch (item) {
    case DDE_ITEM_RESULT:
    case DDE_ITEM_MEASUREMENT:
        // Status 0: the read-out's blink flag plays no part here.
        FormatValueText(0, value, quantity, item == DDE_ITEM_MEASUREMENT, out, decimalSeparator, leadingZero);
        break;
    case DDE_ITEM_STATUS:
        std::snprintf(out, DDE_TEXT_CAPACITY, "%s", statusText != nullptr ? statusText : "");
        break;
    }
    return static_cast<int>(std::strlen(out)) + 1;
}
