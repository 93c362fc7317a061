#pragma once
// JSON output of brenvik-data. Store texts are 8-bit bytes: valid UTF-8 runs
// pass through, every other byte becomes \u00XX of its value.
#include "store/core/settings.h"
#include "store/core/stringtable.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace brenvik::tool {

// Appends `bytes` as a quoted JSON string.
void AppendJsonString(std::string& out, std::string_view bytes);

// {"cols":C,"rows":R[,"widths":[...]],"cells":[[...],...]} and a line end.
void WriteTableJson(const StringTable& table, bool withWidths, std::FILE* file);

// The settings as one object, keys in the order of the settings files.
std::string SettingsJson(const Settings& settings);

}  // namespace brenvik::tool
