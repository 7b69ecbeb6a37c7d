#include "shell/settings_store_win32.h"

#include "framework/registry_win32.h"

namespace tavoli {

ErrorValue RegistrySettingsStore::Read(SettingsValues& values) { return ReadRegistryValues(keyPath_, values); }

ErrorValue RegistrySettingsStore::Write(const SettingsValues& values) { return WriteRegistryValues(keyPath_, values); }

}  // namespace tavoli
