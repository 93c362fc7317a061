#include "store/core/settings.h"

#include "store/core/datafolder.h"
#include "store/core/error.h"
#include "store/core/safefile.h"
#include "store/core/storesave.h"
#include "store/core/stream.h"

namespace brenvik {

namespace {

constexpr const char* kSettingsFile = "settings.set";
constexpr const char* kSettings2File = "settings2.set";
constexpr int kReservedStrings = 100;
constexpr int kReservedIntegers = 99;

// A character set or colour: its name when it has one, the number otherwise.
void WriteNamedInteger(StreamWriter& w, std::int32_t value,
                       std::optional<std::string_view> (*toName)(std::int32_t)) {
    if (auto name = toName(value)) w.WriteIdent(*name);
    else w.WriteInteger(value);
}

std::int32_t ReadNamedInteger(StreamReader& r,
                              std::optional<std::int32_t> (*toValue)(std::string_view)) {
    if (r.PeekTag() != TagIdent) return r.ReadInteger();
    auto value = toValue(r.ReadIdent());
    if (!value) throw StreamError("invalid property value");
    return *value;
}

// Runs `read` and swallows the error that ends reading a damaged file.
template <class Read>
bool ReadSilently(std::string_view bytes, Read read) {
    StreamReader r(bytes);
    try {
        read(r);
        return true;
    } catch (const StreamError&) {
        return false;  // what was read before the damage stays
    }
}

void SaveSilently(const std::string& path, const std::string& bytes) {
    try {
        WriteFileSafely(path, bytes, "Cannot create file " + path);
    } catch (const StoreError&) {
        // Settings are not worth stopping the program for; the old file stays.
    }
}

}  // namespace

void WriteInvoiceFont(StreamWriter& w, const FontRecord& font) {
    w.BeginComponent("TFontDialog", "InvoiceFont");
    w.WriteName("Font.Charset");
    WriteNamedInteger(w, font.charset, CharsetToName);
    w.WriteName("Font.Color");
    WriteNamedInteger(w, font.color, ColorToName);
    w.WriteName("Font.Height");
    w.WriteInteger(font.height);
    w.WriteName("Font.Name");
    w.WriteString(font.face);
    if (font.pitch != FontPitch::Default) {
        w.WriteName("Font.Pitch");
        w.WriteIdent(PitchName(font.pitch));
    }
    w.WriteName("Font.Style");
    w.WriteSet(StyleNames(font.style));
    // The dialog's own design-time properties, always the same.
    w.WriteName("MinFontSize");
    w.WriteInteger(0);
    w.WriteName("MaxFontSize");
    w.WriteInteger(0);
    w.WriteName("Left");
    w.WriteInteger(16);
    w.WriteName("Top");
    w.WriteInteger(416);
    w.EndComponent();
}

void ReadInvoiceFont(StreamReader& r, FontRecord& font) {
    ReadComponent(r, [&font](const std::string& property, StreamReader& r) {
        if (property == "Font.Charset") {
            font.charset = ReadNamedInteger(r, NameToCharset);
        } else if (property == "Font.Color") {
            font.color = ReadNamedInteger(r, NameToColor);
        } else if (property == "Font.Height") {
            font.height = r.ReadInteger();
        } else if (property == "Font.Name") {
            font.face = r.ReadString();
        } else if (property == "Font.Pitch") {
            auto pitch = NameToPitch(r.ReadIdent());
            if (!pitch) throw StreamError("invalid property value");
            font.pitch = *pitch;
        } else if (property == "Font.Style") {
            std::uint8_t style = 0;
            for (const auto& name : r.ReadSet()) {
                std::uint8_t bit = NameToStyleBit(name);
                if (!bit) throw StreamError("invalid property value");
                style |= bit;
            }
            font.style = style;
        } else if (property == "MinFontSize" || property == "MaxFontSize" || property == "Left" ||
                   property == "Top") {
            r.ReadInteger();  // the dialog's own; nothing here uses them
        } else {
            throw StreamError("unknown property " + property);
        }
    });
}

std::string SettingsFileBytes(const Settings& s) {
    StreamWriter w;
    w.WriteString(s.reserved);
    w.WriteString(s.nextInvoice);
    w.WriteString(s.logo);
    w.WriteByteBlock(s.header);
    w.WriteByteBlock(s.footer);
    WriteInvoiceFont(w, s.font);
    w.WriteBoolean(s.tax1Default);
    w.WriteBoolean(s.tax2Default);
    w.WriteString(s.tax1Rate);
    w.WriteString(s.tax2Rate);
    w.WriteString(s.tax1Name);
    w.WriteString(s.tax2Name);
    return w.Take();
}

std::string Settings2FileBytes(const Settings& s) {
    StreamWriter w;
    w.WriteInteger(s.printCopies);
    for (int i = 0; i < kReservedStrings; ++i) w.WriteString("");
    w.WriteInteger(s.autoBarcode ? 1 : 0);
    for (int i = 0; i < kReservedIntegers; ++i) w.WriteInteger(0);
    return w.Take();
}

bool ReadSettingsBytes(std::string_view bytes, Settings& s) {
    // Each slot lands in its setting as soon as it is read.
    return ReadSilently(bytes, [&s](StreamReader& r) {
        s.reserved = r.ReadString();
        s.nextInvoice = r.ReadString();
        s.logo = r.ReadString();
        s.header = r.ReadByteBlock();
        s.footer = r.ReadByteBlock();
        ReadInvoiceFont(r, s.font);
        s.tax1Default = r.ReadBoolean();
        s.tax2Default = r.ReadBoolean();
        s.tax1Rate = r.ReadString();
        s.tax2Rate = r.ReadString();
        s.tax1Name = r.ReadString();
        s.tax2Name = r.ReadString();
    });
}

bool ReadSettings2Bytes(std::string_view bytes, Settings& s) {
    return ReadSilently(bytes, [&s](StreamReader& r) {
        s.printCopies = r.ReadInteger();
        for (int i = 0; i < kReservedStrings; ++i) r.ReadString();
        s.autoBarcode = r.ReadInteger() > 0;
        for (int i = 0; i < kReservedIntegers; ++i) r.ReadInteger();
    });
}

void LoadSettings(const std::string& folder, Settings& settings) {
    std::string bytes;
    const std::string path = DataPath(folder, kSettingsFile);
    if (FileExists(path) && ReadWholeFile(path, bytes)) ReadSettingsBytes(bytes, settings);

    const std::string path2 = DataPath(folder, kSettings2File);
    if (!FileExists(path2)) settings.printCopies = 0;
    else if (ReadWholeFile(path2, bytes)) ReadSettings2Bytes(bytes, settings);
}

void StageSettings(SaveBatch& batch, const std::string& folder, const Settings& settings) {
    for (const auto& [name, bytes] :
         {std::pair<const char*, std::string>{kSettingsFile, SettingsFileBytes(settings)},
          {kSettings2File, Settings2FileBytes(settings)}}) {
        try {
            batch.Stage(name, bytes, "Cannot create file " + DataPath(folder, name));
        } catch (const StoreError&) {}
    }
}

void SaveSettings(const std::string& folder, const Settings& settings) {
    SaveSilently(DataPath(folder, kSettingsFile), SettingsFileBytes(settings));
    SaveSilently(DataPath(folder, kSettings2File), Settings2FileBytes(settings));
}

}  // namespace brenvik
