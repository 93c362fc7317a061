#include "store/reports/import.h"

#include "store/core/codepage.h"
#include "store/core/csvfields.h"
#include "store/core/error.h"
#include "store/core/lines.h"

#include <algorithm>
#include <cstdio>

namespace brenvik {

namespace {

constexpr std::size_t kOpenBefore = std::string_view::npos - 1;

// Where the quoted value still open at the end of a line began: the index of
// its opening quote, kOpenBefore when the line started inside it, npos when
// none is open. A quote at the start of a value opens it, two quotes inside
// stand for one, a single quote closes it.
std::size_t OpenQuoteAt(std::string_view line, bool inside) {
    std::size_t opened = inside ? kOpenBefore : std::string_view::npos;
    bool valueStart = !inside;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inside) {
            if (c != '"') continue;
            if (i + 1 < line.size() && line[i + 1] == '"') ++i;
            else inside = false;
        } else if (c == ',') {
            valueStart = true;
            continue;
        } else if (c == '"' && valueStart) {
            inside = true;
            opened = i;
        }
        valueStart = false;
    }
    return inside ? opened : std::string_view::npos;
}

// Whether a value opened on this line runs over its end.
bool RunsOverLineEnd(std::string_view line) {
    const std::size_t q = OpenQuoteAt(line, false);
    return q != std::string_view::npos &&
           FindClosingQuote(line.substr(q + 1)) == std::string_view::npos;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A name in the code page, lower case and without blanks at either end, for
// comparing with field headings. Bytes that are not UTF-8 are taken as code
// page bytes already.
std::string HeadingKey(std::string_view name) {
    return LowerWestern(TrimBlanks(Utf8ToWestern(name)));
}

// The character at `offset` of UTF-8 text, and its code as "U+XXXX".
std::string CharacterAt(std::string_view text, std::size_t offset) {
    std::size_t n = 1;
    const auto lead = static_cast<unsigned char>(text[offset]);
    if (lead >= 0xF0) n = 4;
    else if (lead >= 0xE0) n = 3;
    else if (lead >= 0xC0) n = 2;
    const std::string ch(text.substr(offset, n));
    char32_t u = n == 1 ? lead : lead & (0x3F >> (n - 1));
    for (std::size_t k = 1; k < ch.size(); ++k)
        u = (u << 6) | (static_cast<unsigned char>(ch[k]) & 0x3F);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(u));
    return "\"" + ch + "\" (" + code + ")";
}

std::string Plural(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string CellSafe(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        out += (c == '\r' || c == '\n' || c == '\b') ? ' ' : c;
    }
    return out;
}

ImportFile ReadImportBytes(std::string_view bytes) {
    const std::string_view text = TextPart(WithoutByteOrderMark(bytes));
    std::string utf8 = IsValidUtf8(text) ? std::string(text) : WesternToUtf8(text);
    // Without any CR, LF ends the lines; the shared reader ends them at CR.
    if (LineEndByte(utf8) == '\n') std::replace(utf8.begin(), utf8.end(), '\n', '\r');

    std::vector<std::string_view> lines;
    ForEachLine(utf8, [&](std::string_view line) { lines.push_back(line); });

    // Records for the grid reader, one per line ending CR LF; a line break
    // inside a quoted value is kept as a LF, which the reader keeps.
    ImportFile file;
    std::string records;
    records.reserve(utf8.size() + lines.size() + 2);
    // A quoted value still open at the start of this line never closes: the
    // walk from any line at or after it is the same, so it is made once.
    std::size_t neverCloses = lines.size() + 1;
    for (std::size_t i = 0; i < lines.size();) {
        std::size_t last = i;
        bool inside = RunsOverLineEnd(lines[i]);
        while (inside && last + 1 < lines.size() && last + 1 < neverCloses)
            inside = OpenQuoteAt(lines[++last], true) != std::string_view::npos;
        if (inside) {
            // A quote that never closes joins nothing: the line stays a line.
            neverCloses = std::min(neverCloses, i + 1);
            last = i;
        }
        for (std::size_t k = i; k <= last; ++k) {
            if (k > i) records += '\n';
            records.append(lines[k]);
        }
        records.append("\r\n");
        file.lines.push_back(static_cast<int>(i) + 1);
        i = last + 1;
    }

    if (file.Records() > 0) file.grid.LoadCSVBytes(records);
    file.grid.InsertRow(0);
    file.grid.SetRowCount(file.Records() + 1);
    return file;
}

ImportFile ReadImportFile(const std::string& path) {
    std::string bytes;
    if (!AppendWholeFile(path, bytes)) throw StoreError("Cannot open file " + path);
    try {
        return ReadImportBytes(bytes);
    } catch (const StoreError&) {
        throw StoreError("Cannot open file " + path);
    }
}

int FindImportField(const StringTable& target, std::string_view name) {
    const std::string key = HeadingKey(name);
    int found = kNotAssigned;
    for (int k = 0; k < target.ColCount(); ++k)
        if (!key.empty() && HeadingKey(target.Cell(k, 0)) == key) found = k;
    return found;
}

void AssignByTitles(const ImportFile& file, const StringTable& target,
                    std::vector<int>& assignment) {
    if (file.Records() < 1) return;
    assignment.resize(static_cast<std::size_t>(file.Columns()), kNotAssigned);
    for (int j = 0; j < file.Columns(); ++j) {
        if (assignment[j] != kNotAssigned) continue;
        const int k = FindImportField(target, file.grid.Cell(j, 1));
        if (k == kNotAssigned) continue;
        if (std::find(assignment.begin(), assignment.end(), k) == assignment.end())
            assignment[j] = k;
    }
}

void WriteAssignmentRow(ImportFile& file, const StringTable& target,
                        const std::vector<int>& assignment) {
    for (int j = 0; j < file.Columns(); ++j) {
        const int k = j < static_cast<int>(assignment.size()) ? assignment[j] : kNotAssigned;
        file.grid.SetCell(j, 0,
                          k == kNotAssigned ? std::string(kNotAssignedCaption)
                                            : WesternToUtf8(target.Cell(k, 0)));
    }
}

std::vector<bool> FieldMenuEnabled(const std::vector<int>& assignment, int fieldCount) {
    std::vector<bool> enabled(static_cast<std::size_t>(fieldCount) + 1, true);
    if (assignment.size() < 2) return enabled;
    for (int k : assignment)
        if (k >= 0 && k < fieldCount) enabled[static_cast<std::size_t>(k) + 1] = false;
    return enabled;
}

ImportPlan PlanImport(const ImportFile& file, const std::vector<int>& assignment,
                      bool skipFirstLine, const StringTable& target) {
    ImportPlan plan;
    const int fields = target.ColCount();
    for (int r = skipFirstLine ? 2 : 1; r <= file.Records(); ++r) {
        std::vector<std::string> record(static_cast<std::size_t>(fields));
        bool any = false;
        for (int j = 0; j < file.Columns() && j < static_cast<int>(assignment.size()); ++j) {
            const int k = assignment[j];
            if (k < 0 || k >= fields) continue;
            const std::string_view cell = file.grid.Cell(j, r);
            std::size_t unmapped = std::string::npos;
            std::string value = Utf8ToWestern(cell, &unmapped);
            if (unmapped != std::string::npos && plan.refusal.empty()) {
                plan.refusal = "Line " + std::to_string(file.lines[r]) + " of the file holds " +
                               CharacterAt(cell, unmapped) +
                               ", a character that the store's tables cannot hold. Nothing has "
                               "been imported: replace it in the file and open the file again.";
            }
            record[k] = CellSafe(value);
            any = any || !record[k].empty();
        }
        // A line that gives no field a value would take no row.
        if (any) plan.records.push_back(std::move(record));
    }

    // The lowest empty rows first, then new rows up to the limit.
    std::vector<int> empty;
    for (int r = 1; r < target.RowCount(); ++r) {
        bool blank = true;
        for (int c = 0; c < fields && blank; ++c) blank = target.Cell(c, r).empty();
        if (blank) empty.push_back(r);
    }
    const int addable = std::max(0, kImportRowLimit - target.RowCount());
    plan.room = static_cast<int>(empty.size()) + addable;
    const int count = static_cast<int>(plan.records.size());
    plan.fillEmpty = std::min(count, static_cast<int>(empty.size()));
    plan.append = count - plan.fillEmpty;
    for (int i = 0; i < count; ++i)
        plan.rows.push_back(i < plan.fillEmpty ? empty[static_cast<std::size_t>(i)]
                                               : target.RowCount() + (i - plan.fillEmpty));
    if (plan.refusal.empty() && count > plan.room) {
        plan.refusal =
            "The file holds " + Plural(count, "record", "records") + " to import, but " +
            (plan.room == 0 ? std::string("none") : "only " + std::to_string(plan.room)) +
            " fit: the table holds at most " + std::to_string(kImportRowLimit - 1) +
            " records. Nothing has been imported.";
    }
    return plan;
}

std::string ImportStatusText(const ImportPlan& plan) {
    if (!plan.Allowed()) return plan.refusal;
    const int count = static_cast<int>(plan.records.size());
    if (count == 0) return "No records to import: assign fields to the file's columns.";
    return Plural(count, "record", "records") +
           " will be added: " + Plural(plan.fillEmpty, "fills an empty row", "fill empty rows") +
           ", " + Plural(plan.append, "new row", "new rows") + " at the end.";
}

void ApplyImport(const ImportPlan& plan, StringTable& target, std::vector<HistoryList>* histories) {
    if (!plan.Allowed() || plan.records.empty()) return;
    const int lastRow = std::max(target.RowCount() - 1, plan.rows.back());
    if (lastRow + 1 > target.RowCount()) target.SetRowCount(lastRow + 1);
    if (histories && histories->size() < static_cast<std::size_t>(target.RowCount()))
        histories->resize(static_cast<std::size_t>(target.RowCount()));
    for (std::size_t i = 0; i < plan.records.size(); ++i) {
        const int row = plan.rows[i];
        const std::vector<std::string>& record = plan.records[i];
        for (int k = 0; k < static_cast<int>(record.size()); ++k) target.SetCell(k, row, record[k]);
        if (histories) (*histories)[static_cast<std::size_t>(row)] = HistoryList{};
    }
}

}  // namespace brenvik
