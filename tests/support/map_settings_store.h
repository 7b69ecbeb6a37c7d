// Settings values kept in memory, written as the registry writes them (changed values
// only, new names appended).
#pragma once

#include <string>

#include "shell/calendar_settings.h"

namespace tavoli {

class MapStore : public SettingsStore {
public:
    ErrorValue Read(SettingsValues& values) override {
        values = stored;
        return kSuccess;
    }
    ErrorValue Write(const SettingsValues& values) override {
        if (writeError != kSuccess) return writeError;
        for (const auto& [name, text] : values) Set(name, text);
        return kSuccess;
    }
    void Set(const std::string& name, const std::string& text) {
        for (auto& [key, value] : stored) {
            if (key == name) {
                value = text;
                return;
            }
        }
        stored.emplace_back(name, text);
    }
    ErrorValue writeError = kSuccess;  // what a write returns; not kSuccess: nothing is written

    std::string Get(const std::string& name) const {
        for (const auto& [key, value] : stored) {
            if (key == name) return value;
        }
        return "(none)";
    }
    SettingsValues stored;
};

}  // namespace tavoli
