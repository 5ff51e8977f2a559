// The tools' console output: Windows-1250 texts converted to the console's code page.
#include "tools/console_text_win32.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// Our texts are Windows-1250; the console shows them in its own code page.
void PrintTo(DWORD handle, FILE* stream, const char* text1250) {
    wchar_t wide[512];
    int n = MultiByteToWideChar(1250, 0, text1250, -1, wide, 512);
    if (n <= 0) return;
    HANDLE out = GetStdHandle(handle);
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, wide, static_cast<DWORD>(n - 1), &written, nullptr);
        return;
    }
    char bytes[1024];
    int m = WideCharToMultiByte(GetConsoleOutputCP(), 0, wide, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (m > 0) {
        std::fwrite(bytes, 1, static_cast<size_t>(m - 1), stream);
        std::fflush(stream);
    }
}

void PrintLineTo(DWORD handle, FILE* stream, const char* format, va_list args) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    std::strncat(text, "\n", sizeof text - std::strlen(text) - 1);
    PrintTo(handle, stream, text);
}

} // namespace

void Print(const char* text1250) { PrintTo(STD_OUTPUT_HANDLE, stdout, text1250); }

void PrintLine(const char* format, ...) {
    va_list args;
    va_start(args, format);
    PrintLineTo(STD_OUTPUT_HANDLE, stdout, format, args);
    va_end(args);
}

void PrintErrorLine(const char* format, ...) {
    va_list args;
    va_start(args, format);
    PrintLineTo(STD_ERROR_HANDLE, stderr, format, args);
    va_end(args);
}

