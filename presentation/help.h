// Companion files beside the program (help file, default log file) and the help context ids of dialog controls.
#pragma once

#include <cstdint>

// The path with its extension replaced by suffix (which brings its own dot), cut to capacity - 1
// characters. A file name without a dot keeps all of it and gets the suffix.
char* SiblingPath(const char* path, const char* suffix, char* out, int capacity);

// 0x80000000 + template id × 65536 + control id; OK and Cancel carry template 105's numbers in every table.
std::uint32_t HelpContextId(int templateId, int controlId);

constexpr int HELP_ID_NONE = 0xFFFF; // the id of static texts and group boxes: no help for them
