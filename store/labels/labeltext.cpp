#include "store/labels/labeltext.h"

namespace brenvik {

std::int32_t ColumnTag(int column) { return column == 0 ? TagFirstColumn : 100 + 10 * column; }

int TagColumn(std::int32_t tag) {
    if (tag < TagFirstColumn || tag > TagLastColumn || tag % 10 != 0) return -1;
    return (tag - TagFirstColumn) / 10;
}

std::vector<LabelEntry> LabelMenuEntries(const std::vector<std::string>& headings) {
    std::vector<LabelEntry> menu;
    for (int c = 0; c < int(headings.size()) && c < MaxLabelColumns; ++c)
        menu.push_back({headings[std::size_t(c)], ColumnTag(c)});
    menu.push_back({"Space", TagSpace});
    menu.push_back({"Comma", TagComma});
    menu.push_back({"New Line", TagNewLine});
    return menu;
}

std::vector<std::string> GenerateLabelText(const std::vector<LabelEntry>& entries,
                                           const std::function<std::string(int column)>& value) {
    std::vector<std::string> lines;
    std::string line;
    for (const LabelEntry& e : entries) {
        switch (e.tag) {
        case TagSpace:
            line += ' ';
            break;
        case TagComma:
            line += ',';
            break;
        case TagNewLine:
            lines.push_back(std::move(line));
            line.clear();
            break;
        default: {
            const int column = TagColumn(e.tag);
            if (column < 0) break;  // a tag of a newer program: contributes nothing
            line += value(column);
            if (column > 0) line += ' ';
        }
        }
    }
    lines.push_back(std::move(line));
    return lines;
}

int LabelFontPoints(std::string_view sizeText) {
    if (sizeText.empty() || sizeText.size() > 4) return 10;
    int points = 0;
    for (char c : sizeText) {
        if (c < '0' || c > '9') return 10;
        points = points * 10 + (c - '0');
    }
    return points >= 1 && points <= 999 ? points : 10;
}

}  // namespace brenvik
