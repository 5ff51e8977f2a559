// Companion files beside the program (help file, default log file), and the id of controls without help.
#pragma once

// The path with its extension replaced by suffix (which brings its own dot), cut to capacity - 1
// characters. A file name without a dot keeps all of it and gets the suffix.
char* SiblingPath(const char* path, const char* suffix, char* out, int capacity);

constexpr int HELP_ID_NONE = 0xFFFF; // the id of static texts and group boxes: no help for them
