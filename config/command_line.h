// The command line: a log file name and the options -D, -F, -H, -M, -P, -S; or a DDE topic name, which a
// DDE client that starts the program passes and which changes nothing.
#pragma once

#include "app/app_state.h"
#include "config/settings_store.h"

// The arguments of the program's whole command line (GetCommandLineA): the program's name is skipped as
// Windows skips it (a quoted name up to its closing quote, otherwise up to the first space or tab), then the
// spaces and tabs after it. Only a space or a tab is a blank here: a Windows-1250 letter (a byte above 0x7F)
// never is.
const char* CommandLineArguments(const char* wholeCommandLine);

// True when the whole command line is a DDE topic: a topic base name, "#", then decimal digits only.
bool IsDdeTopicCommandLine(const char* commandLine);

// Applies the command line to state; false at the first rejected option, whose later tokens are not looked
// at and whose option values are not applied. With -D every setting is saved to store once all is applied.
// Runs before the workers exist.
bool ParseCommandLine(AppState& state, const char* commandLine, const SettingsStore& store);
