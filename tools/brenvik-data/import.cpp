// brenvik-data import: records from a comma-separated file into the
// inventory or the customer table, as the import dialog adds them, saved as
// the store program saves its tables.
#include "commands.h"

#include "store/core/error.h"
#include "store/core/safefile.h"
#include "store/inventory/store.h"
#include "store/reports/import.h"

#include <cstdio>

namespace brenvik::tool {

namespace {

constexpr const char* kForm =
    "import DIR --into inventory|customers --map J=FIELD [--map J=FIELD ...] "
    "[--skip-first-line] FILE";

struct Mapping {
    int column;  // from 1
    std::string field;
};

int ImportCommand(const Args& args) {
    std::string dir, into, path;
    std::vector<Mapping> maps;
    bool skipFirstLine = false;
    auto value = [&](std::size_t& i, const char* option) {
        if (i + 1 >= args.size()) throw ToolError(std::string(option) + " needs a value");
        return args[++i];
    };
    std::vector<std::string> plain;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--into") {
            into = value(i, "--into");
        } else if (a == "--map") {
            const std::string m = value(i, "--map");
            const auto eq = m.find('=');
            if (eq == std::string::npos || eq + 1 == m.size())
                throw ToolError("--map takes J=FIELD, not \"" + m + "\"");
            const int j = ParseCount(m.substr(0, eq), "--map");
            if (j < 1) throw ToolError("--map: file columns count from 1, not " + m.substr(0, eq));
            maps.push_back({j, m.substr(eq + 1)});
        } else if (a == "--skip-first-line") {
            skipFirstLine = true;
        } else if (a.size() > 1 && a[0] == '-') {
            throw ToolError("unknown option " + a + "; usage: brenvik-data " + kForm);
        } else {
            plain.push_back(a);
        }
    }
    if (plain.size() != 2) throw ToolError(std::string("usage: brenvik-data ") + kForm);
    dir = plain[0];
    path = plain[1];
    if (into != "inventory" && into != "customers")
        throw ToolError("--into takes inventory or customers");
    if (!FileExists(path)) throw ToolError("cannot read " + path + ": no such file");

    Store store(Folder(dir));
    // The start-up load: the tables as the store program holds them.
    const std::vector<std::string> errors = store.LoadInventory();
    if (!errors.empty()) throw ToolError(errors.front());
    const bool inventory = into == "inventory";
    if (inventory) store.ConformData();
    StringTable& target = inventory ? store.Data : store.CustomerData;

    ImportFile file;
    try {
        file = ReadImportFile(path);
    } catch (const StoreError& e) {
        throw ToolError(e.what());
    }

    std::vector<int> assignment(static_cast<std::size_t>(file.Columns()), kNotAssigned);
    for (const Mapping& m : maps) {
        if (m.column > file.Columns())
            throw ToolError("--map " + std::to_string(m.column) + "=" + m.field +
                            ": the file has " + std::to_string(file.Columns()) + " column" +
                            (file.Columns() == 1 ? "" : "s"));
        const int k = FindImportField(target, m.field);
        if (k == kNotAssigned) {
            std::string names;
            for (int c = 0; c < target.ColCount(); ++c)
                names += (c ? ", " : "") + target.CellText(c, 0);
            throw ToolError("no field \"" + m.field + "\" in the " + into +
                            " table; fields: " + names);
        }
        int& slot = assignment[static_cast<std::size_t>(m.column - 1)];
        if (slot != kNotAssigned)
            throw ToolError("file column " + std::to_string(m.column) + " is mapped twice");
        for (int other : assignment)
            if (other == k) throw ToolError("two file columns feed " + target.CellText(k, 0));
        slot = k;
    }
    if (skipFirstLine) AssignByTitles(file, target, assignment);
    bool any = false;
    for (int k : assignment) any = any || k != kNotAssigned;
    if (!any) throw ToolError("no file column feeds a field: give --map J=FIELD");

    const ImportPlan plan = PlanImport(file, assignment, skipFirstLine, target);
    if (!plan.Allowed()) throw Refused(plan.refusal);
    ApplyImport(plan, target, inventory ? &store.Histories : nullptr);
    if (inventory) {
        store.ComputeDerivedFields();
        store.SaveData();
        // Rows filled with new items have new, empty histories.
        store.SaveHistories();
    } else {
        store.SaveCustomers();
    }
    const std::size_t count = plan.records.size();
    const std::string line = std::to_string(count) + (count == 1 ? " record" : " records") +
                             " imported (" + std::to_string(plan.fillEmpty) + " into empty rows, " +
                             std::to_string(plan.append) + " added)\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return 0;
}

const bool kRegistered = RegisterCommand(
    {"import", ImportCommand,
     "  import DIR --into inventory|customers --map J=FIELD [--map J=FIELD ...]\n"
     "         [--skip-first-line] FILE\n"
     "                               add one record per line of FILE to a table of the\n"
     "                               store in DIR: file column J (from 1) feeds the field\n"
     "                               named FIELD; --skip-first-line leaves out a title\n"
     "                               line and assigns columns titled like a field\n",
     55});

}  // namespace

}  // namespace brenvik::tool
