// The DDE service "KX205" on DDEML: one topic per quantity named with the instrument's serial number, items
// "Wynik", "Pomiar" and "Status" as CF_TEXT. Everything runs on the main window's thread.
#pragma once

#include <windows.h>

#include <ddeml.h>

#include <cstdint>

struct AppState;

// Starts the service for serial; true without starting anything for VALUE_UNKNOWN. False when a service
// still exists, the library cannot be initialised or the name cannot be registered (a failed registration
// leaves the instance for StopDde).
bool StartDde(AppState& state, std::int32_t serial);

// Ends the service and every conversation; true when there was none.
bool StopDde();

// Every advise loop of every topic and item gets the current values.
void PostAdviseAll();

HDDEDATA CALLBACK DdeCallback(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                              ULONG_PTR data1, ULONG_PTR data2);
