#include "store/labels/labeldata.h"

#include "store/core/safefile.h"
#include "store/core/stream.h"

namespace brenvik {

std::string LayoutBytes(const LabelLayout& layout, LayoutFile kind) {
    StreamWriter w;
    w.WriteString(layout.fontName);
    w.WriteString(layout.fontSize);
    w.WriteInteger(layout.color);
    if (kind == LayoutFile::LabelData) w.WriteString(layout.typeName);
    w.WriteInteger(std::int32_t(layout.entries.size()));
    for (const LabelEntry& e : layout.entries) {
        w.WriteString(e.caption);
        w.WriteInteger(e.tag);
    }
    return w.Take();
}

bool ReadLayout(std::string_view bytes, LabelLayout& layout, LayoutFile kind) {
    if (kind == LayoutFile::LabelSettings) layout.entries.clear();
    StreamReader r(bytes);
    try {
        layout.fontName = r.ReadString();
        layout.fontSize = r.ReadString();
        layout.color = r.ReadInteger();
        if (kind == LayoutFile::LabelData) layout.typeName = r.ReadString();
        layout.entries.clear();
        const std::int32_t count = r.ReadInteger();
        if (count < 0) return false;
        for (std::int32_t i = 0; i < count; ++i) {
            LabelEntry e;
            e.caption = r.ReadString();
            e.tag = r.ReadInteger();
            layout.entries.push_back(std::move(e));
        }
    } catch (const StreamError&) {
        return false;
    }
    return true;
}

void SaveLayout(const std::string& path, const LabelLayout& layout, LayoutFile kind,
                const std::string& failMessage) {
    WriteFileSafely(path, LayoutBytes(layout, kind), failMessage);
}

}  // namespace brenvik
