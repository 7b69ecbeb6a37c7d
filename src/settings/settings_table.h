// The settings as the store keeps them: one row per stored value (its name, when it is
// read, the rule that reads and writes its text, the record fields it holds), so that
// loading, saving and the rules for hostile values are loops over one table.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "settings/settings_record.h"

namespace tavoli {

// The values of the settings key, in order: name → text.
using SettingsValues = std::vector<std::pair<std::string, std::string>>;

// Reads the stored values into the record, each by its row's rule. A value that is
// missing or empty leaves the record's own, except for the values that are always read
// (missing, they read as empty text or 0).
void ReadSettings(const SettingsValues& values, SettingsRecord& record);

// The record's values in the order they are written, each in its row's canonical text;
// without a position, none is written.
SettingsValues WriteSettings(const SettingsRecord& record);

}  // namespace tavoli
