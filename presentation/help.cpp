// Path and help context id rules.
#include "presentation/help.h"

#include <cstring>

char* SiblingPath(const char* path, const char* suffix, char* out, int capacity) {
    if (capacity <= 0) return out;
    size_t length = std::strlen(path);
    // The extension's dot is looked for in the file name only: a dot in a folder name must not cut the
    // path there. The first character is never taken for it.
    size_t cut = length;
    for (size_t i = length; i > 1 && path[i - 1] != '\\' && path[i - 1] != '/'; --i) {
        if (path[i - 1] == '.') {
            cut = i - 1;
            break;
        }
    }
    size_t room = static_cast<size_t>(capacity - 1);
    size_t head = cut < room ? cut : room;
    std::memcpy(out, path, head);
    size_t tail = std::strlen(suffix);
    if (tail > room - head) tail = room - head;
    std::memcpy(out + head, suffix, tail);
    out[head + tail] = '\0';
    return out;
}

std::uint32_t HelpContextId(int templateId, int controlId) {
    const int OK_ID = 1001, CANCEL_ID = 1003, SHARED_TEMPLATE = 105;
    if (controlId == OK_ID || controlId == CANCEL_ID) templateId = SHARED_TEMPLATE;
    return 0x80000000u + static_cast<std::uint32_t>(templateId) * 65536u + static_cast<std::uint32_t>(controlId);
}
