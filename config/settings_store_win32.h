// The settings in the registry: the registry as a settings store, and the program's load, save and uninstall.
#pragma once

#include <windows.h>

#include "config/settings_store.h"

// The registry below root as a settings store. The program's root is HKEY_CURRENT_USER; the root key must
// stay open while the store is in use.
SettingsStore RegistrySettingsStore(HKEY root);

// At start-up, before the workers run; registration runs when there are no settings to load.
bool LoadSettings(AppState& state, RegistrationFn registration);

// Takes StateLock itself: the caller must not hold it.
bool SaveSettings(const AppState& state, DWORD groups);

bool UninstallSettings();
