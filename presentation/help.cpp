// The companion file path rule.
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
