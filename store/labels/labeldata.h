#pragma once
// The label layouts kept in files: label data files (".dld") of the label
// dialog and "labset.set" of the barcode label window. Both are component
// stream values with nothing before the first: font name, font size text,
// colour (0x00BBGGRR), the label type name (label data files only), the
// number of content entries and each entry's caption and tag.
#include "store/labels/labeltext.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

struct LabelLayout {
    std::string fontName = "System";
    std::string fontSize = "10";
    std::int32_t color = 0;  // red in the lowest byte
    std::string typeName;    // label data files only
    std::vector<LabelEntry> entries;
    bool operator==(const LabelLayout&) const = default;
};

enum class LayoutFile { LabelData, LabelSettings };

std::string LayoutBytes(const LabelLayout& layout, LayoutFile kind);

// Reads the values in order into `layout`, each as it is read, so that on a
// failure what was read before it stays. The entries are cleared just
// before the count is read (for "labset.set": before anything is read).
// Returns false when the bytes end early or hold a wrong value.
bool ReadLayout(std::string_view bytes, LabelLayout& layout, LayoutFile kind);

// Writes the file whole and safely; raises StoreError(failMessage) on failure.
void SaveLayout(const std::string& path, const LabelLayout& layout, LayoutFile kind,
                const std::string& failMessage);

// Label data file messages.
inline constexpr const char* LabelDataSaved = "Label data saved.";
inline constexpr const char* LabelDataNotSaved =
    "A problem was encountered.  Label data was not saved.  Please try again.";
inline constexpr const char* LabelDataInvalid =
    "Label data file is invalid.  No label data loaded.";
inline constexpr const char* LabelDataClearQuestion =
    "Existing label data will be cleared.  Are you sure you want to continue ?";

// "labset.set" in the data folder.
inline constexpr const char* LabelSettingsFile = "labset.set";

}  // namespace brenvik
