// The settings kept under the program's registry key.
#pragma once

#include <string>

#include "shell/calendar_settings.h"

namespace tavoli {

class RegistrySettingsStore : public SettingsStore {
public:
    explicit RegistrySettingsStore(std::string keyPath) : keyPath_(std::move(keyPath)) {}
    ErrorValue Read(SettingsValues& values) override;
    ErrorValue Write(const SettingsValues& values) override;

private:
    std::string keyPath_;
};

}  // namespace tavoli
