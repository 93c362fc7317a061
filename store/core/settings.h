#pragma once
// The store's settings and their two files, "settings.set" and
// "settings2.set", in the component stream encoding.
#include "store/core/fontrecord.h"

#include <string>
#include <string_view>

namespace brenvik {

struct Settings {
    std::string reserved;
    std::string nextInvoice = "1";
    std::string logo;
    std::string header;  // rich-text bytes
    std::string footer;  // rich-text bytes
    FontRecord font;
    bool tax1Default = false;
    bool tax2Default = false;
    std::string tax1Rate = "0";
    std::string tax2Rate = "0";
    std::string tax1Name = "Tax One";
    std::string tax2Name = "Tax Two";
    int printCopies = 0;
    bool autoBarcode = false;
};

// Reads both files of `folder` (a path ending in '/'); read errors end the
// reading of that file silently, leaving what was read so far.
void LoadSettings(const std::string& folder, Settings& settings);
// Writes both files; write errors are ignored silently (each file on its own).
void SaveSettings(const std::string& folder, const Settings& settings);

// The exact bytes of each file.
std::string SettingsFileBytes(const Settings& settings);
std::string Settings2FileBytes(const Settings& settings);
// Read what they can; true when every slot was read (nothing was damaged).
bool ReadSettingsBytes(std::string_view bytes, Settings& settings);
bool ReadSettings2Bytes(std::string_view bytes, Settings& settings);

class SaveBatch;
// Both settings files added to a save of the store; like SaveSettings, a
// file that cannot be written is left out without a word.
void StageSettings(SaveBatch& batch, const std::string& folder, const Settings& settings);

class StreamWriter;
class StreamReader;
// The invoice font as its component record. Reading sets each property as it
// comes, so a damaged record leaves the properties read before the damage.
void WriteInvoiceFont(StreamWriter& writer, const FontRecord& font);
void ReadInvoiceFont(StreamReader& reader, FontRecord& font);

}  // namespace brenvik
