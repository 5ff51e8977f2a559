// Console output of the tools: the program's Windows-1250 texts in the console's own code page.
#pragma once

// Prints text (Windows-1250) as it is, in the console's code page.
void Print(const char* text1250);

// printf-style, with a line break appended: what the tool found on standard output, its messages (a refusal,
// a service that does not answer, how to call it) on standard error, so that an answer is never a message.
void PrintLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
void PrintErrorLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
