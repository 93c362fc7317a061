#include "commands.h"

#include "demo.h"
#include "json.h"

#include "store/core/datafolder.h"
#include "store/core/error.h"
#include "store/core/safefile.h"
#include "store/core/settings.h"
#include "store/core/storesave.h"
#include "store/core/stringtable.h"
#include "store/inventory/history.h"
#include "store/inventory/store.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <new>

namespace brenvik::tool {

namespace {

constexpr int kMaxInvoiceRows = 10000;  // the invoice history's limit, heading row included

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

bool IsTableFile(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".dt2";
}

// A table file or, for any other extension, grid CSV.
StringTable ReadTable(const std::string& path) {
    if (!FileExists(path)) throw ToolError("cannot read " + path + ": no such file");
    StringTable table;
    if (IsTableFile(path)) table.LoadFromFile(path);
    else table.LoadFromCSV(path);
    return table;
}

bool ParseBool(const std::string& text, bool& value) {
    if (text == "true" || text == "1") value = true;
    else if (text == "false" || text == "0") value = false;
    else return false;
    return true;
}

bool ParseInt(const std::string& text, int& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// The settings that can be set from the command line; the others (texts,
// font) have their own screens.
using Setter = std::function<bool(Settings&, const std::string&)>;
const std::map<std::string, Setter>& PlainKeys() {
    auto text = [](std::string Settings::*field) {
        return Setter([field](Settings& s, const std::string& v) {
            s.*field = v;
            return true;
        });
    };
    auto flag = [](bool Settings::*field) {
        return Setter(
            [field](Settings& s, const std::string& v) { return ParseBool(v, s.*field); });
    };
    static const std::map<std::string, Setter> keys = {
        {"reserved", text(&Settings::reserved)},
        {"next-invoice", text(&Settings::nextInvoice)},
        {"logo", text(&Settings::logo)},
        {"tax1-default", flag(&Settings::tax1Default)},
        {"tax2-default", flag(&Settings::tax2Default)},
        {"tax1-rate", text(&Settings::tax1Rate)},
        {"tax2-rate", text(&Settings::tax2Rate)},
        {"tax1-name", text(&Settings::tax1Name)},
        {"tax2-name", text(&Settings::tax2Name)},
        {"print-copies",
         [](Settings& s, const std::string& v) { return ParseInt(v, s.printCopies); }},
        {"auto-barcode", flag(&Settings::autoBarcode)},
    };
    return keys;
}

}  // namespace

void Expect(const Args& args, std::size_t count, const char* form) {
    if (args.size() != count) throw ToolError(std::string("usage: brenvik-data ") + form);
}

std::string Folder(const std::string& dir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) throw ToolError("not a folder: " + dir);
    return NormalizeFolder(dir);
}

int ParseCount(const std::string& text, const char* option) {
    int value = 0;
    if (!ParseInt(text, value))
        throw ToolError(std::string(option) + " takes a whole number, not \"" + text + "\"");
    return value;
}

namespace {

std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

const bool kBuiltIn = [] {
    RegisterCommand({"dump", DumpCommand,
                     "  dump FILE                    print a table file (.dt2) or a CSV file as "
                     "JSON\n",
                     10});
    RegisterCommand({"convert", ConvertCommand,
                     "  convert IN OUT               table file to CSV or back, by the "
                     "extensions\n",
                     20});
    RegisterCommand(
        {"settings", SettingsCommand,
         "  settings DIR                 print the settings of the store in DIR as JSON\n"
         "  settings DIR KEY=VALUE ...   change settings and write both settings files;\n"
         "                               keys: reserved next-invoice logo tax1-default\n"
         "                               tax2-default tax1-rate tax2-rate tax1-name tax2-name\n"
         "                               print-copies auto-barcode (true/false for flags)\n",
         30});
    RegisterCommand({"recompute", RecomputeCommand,
                     "  recompute DIR                recompute the derived inventory fields "
                     "from the\n"
                     "                               item histories and save Inventory.dt2\n",
                     40});
    RegisterCommand({"check", CheckCommand,
                     "  check DIR                    report what is wrong with the store files "
                     "of DIR\n"
                     "                               (exit status 1 when something is)\n",
                     50});
    RegisterCommand({"demo", DemoCommand,
                     "  demo DIR                     writes a sample store into DIR\n", 60});
    return true;
}();

}  // namespace

bool RegisterCommand(const Command& command) {
    Registry().push_back(command);
    return true;
}

std::string UsageText() {
    (void)kBuiltIn;
    std::vector<Command> commands = Registry();
    std::stable_sort(commands.begin(), commands.end(),
                     [](const Command& a, const Command& b) { return a.order < b.order; });
    std::string text = "usage: brenvik-data COMMAND ...\n\n";
    for (const Command& c : commands) text += c.usage;
    text +=
        "  --help                       this text\n"
        "\n"
        "Exit status 1 when the work is refused, 2 on bad arguments or unreadable input.\n";
    return text;
}

int DumpCommand(const Args& args) {
    Expect(args, 1, "dump FILE");
    WriteTableJson(ReadTable(args[0]), IsTableFile(args[0]), stdout);
    return 0;
}

int ConvertCommand(const Args& args) {
    Expect(args, 2, "convert IN OUT");
    StringTable table = ReadTable(args[0]);
    if (IsTableFile(args[1])) table.SaveToFile(args[1]);
    else table.SaveToCSV(args[1]);
    return 0;
}

int SettingsCommand(const Args& args) {
    if (args.empty()) throw ToolError("usage: brenvik-data settings DIR [KEY=VALUE ...]");
    const std::string folder = Folder(args[0]);
    Settings settings;
    LoadSettings(folder, settings);
    if (args.size() == 1) {
        Print(SettingsJson(settings));
        return 0;
    }
    // Every change is checked before anything is written.
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto eq = arg.find('=');
        if (eq == std::string::npos) throw ToolError("expected KEY=VALUE: " + arg);
        std::string key = arg.substr(0, eq);
        auto it = PlainKeys().find(key);
        if (it == PlainKeys().end()) throw ToolError("not a key that can be set: " + key);
        if (!it->second(settings, arg.substr(eq + 1)))
            throw ToolError("bad value for " + key + ": " + arg.substr(eq + 1));
    }
    // Unlike the store program, say so when a file cannot be written.
    WriteFileSafely(folder + "settings.set", SettingsFileBytes(settings),
                    "Cannot create file " + folder + "settings.set");
    WriteFileSafely(folder + "settings2.set", Settings2FileBytes(settings),
                    "Cannot create file " + folder + "settings2.set");
    return 0;
}

int RecomputeCommand(const Args& args) {
    Expect(args, 1, "recompute DIR");
    Store store(Folder(args[0]));
    if (!FileExists(store.PathOf(Store::kInventoryFile)))
        throw ToolError("no " + std::string(Store::kInventoryFile) + " in " + args[0]);
    // A save cut short is finished as the store program would at its start.
    const std::string finished = FinishInterruptedSave(store.Folder());
    if (!finished.empty()) Print(finished);
    // The start-up load, which ends with the derived fields recomputed. A
    // table or history that does not read would give wrong totals, or an
    // empty inventory written over the real one: nothing is written then.
    std::vector<std::string> errors = store.LoadInventory(false);
    if (!errors.empty()) throw Refused(errors.front() + " (nothing was written)");
    store.SaveData();
    Print(std::to_string(store.ItemCount()) + " items recomputed");
    return 0;
}

int CheckCommand(const Args& args) {
    Expect(args, 1, "check DIR");
    Store store(Folder(args[0]));
    std::vector<std::string> problems;
    // Something else in a data file's place: the store would take it for a
    // missing file and fail when saving.
    for (const char* name : {Store::kInventoryFile, Store::kCustomersFile, Store::kInvoicesFile,
                             "settings.set", "settings2.set"}) {
        std::error_code ec;
        if (std::filesystem::exists(store.PathOf(name), ec) && !FileExists(store.PathOf(name)))
            problems.push_back(std::string(name) + ": not a file");
    }
    // A look that changes nothing: a save cut short is reported, not finished.
    if (HasInterruptedSave(store.Folder()))
        problems.push_back(std::string(kSaveJournal) +
                           ": a save was cut short; the store program finishes it at its next "
                           "start");
    for (std::string& e : store.LoadInventory(false)) problems.push_back(std::move(e));
    for (std::string& e : store.LoadInvoices(false)) problems.push_back(std::move(e));

    if (store.InvoiceGrid.RowCount() > kMaxInvoiceRows)
        problems.push_back(std::string(Store::kInvoicesFile) + ": " +
                           std::to_string(store.InvoiceGrid.RowCount()) + " rows, more than the " +
                           std::to_string(kMaxInvoiceRows) + " an invoice history holds");

    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(store.Folder(), ec))
        names.push_back(entry.path().filename().string());
    if (ec) throw ToolError("cannot list " + args[0] + ": " + ec.message());
    std::sort(names.begin(), names.end());
    int leftovers = 0;
    for (const std::string& name : names) {
        if (IsTempFileName(name)) ++leftovers;
        if (!EndsWithIhf(name)) continue;
        int row = HistoryFileRow(name);
        if (row >= 1 && row <= store.ItemCount()) continue;  // read by the load above
        // "ITEM1.IHF" stands in for a missing "Item1.ihf" and is read too.
        std::string exact = name;
        std::transform(exact.begin(), exact.end(), exact.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (exact.size() > 8 && exact.compare(0, 4, "item") == 0) {
            exact = "Item" + exact.substr(4, exact.size() - 8) + ".ihf";
            const int same = HistoryFileRow(exact);
            if (same >= 1 && same <= store.ItemCount() &&
                !std::binary_search(names.begin(), names.end(), exact))
                continue;
        }
        problems.push_back(name + ": history file without an item row (" +
                           std::to_string(store.ItemCount()) + " items)");
        if (!CanReadFile(store.PathOf(name)))
            problems.push_back("Cannot open file " + store.PathOf(name));
    }
    if (leftovers > 0)
        problems.push_back(std::to_string(leftovers) +
                           " temporary file(s) of a save that was cut short; the store program "
                           "removes them at its next start");

    // Settings damage is silent in the store program; worth knowing here.
    const std::pair<const char*, bool (*)(std::string_view, Settings&)> settingsFiles[] = {
        {"settings.set", ReadSettingsBytes}, {"settings2.set", ReadSettings2Bytes}};
    for (const auto& [name, read] : settingsFiles) {
        std::string path = store.PathOf(name), bytes;
        if (!FileExists(path)) continue;
        Settings scratch;
        if (!ReadWholeFile(path, bytes))
            problems.push_back(std::string("Cannot open file ") + path);
        else if (!read(bytes, scratch))
            problems.push_back(std::string(name) + ": damaged, read only in part");
    }

    for (const std::string& p : problems) Print(p);
    return problems.empty() ? 0 : 1;
}

int Run(const Args& args) {
    (void)kBuiltIn;
    if (args.empty()) {
        std::fputs("brenvik-data: no command given (try brenvik-data --help)\n", stderr);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    const auto& commands = Registry();
    auto it = std::find_if(commands.begin(), commands.end(),
                           [&](const Command& c) { return args[0] == c.name; });
    if (it == commands.end()) {
        std::fprintf(stderr, "brenvik-data: unknown command %s (try brenvik-data --help)\n",
                     args[0].c_str());
        return 2;
    }
    int status;
    try {
        status = it->run(Args(args.begin() + 1, args.end()));
    } catch (const Refused& e) {
        std::fprintf(stderr, "brenvik-data: %s: %s\n", args[0].c_str(), e.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "brenvik-data: %s: out of memory\n", args[0].c_str());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brenvik-data: %s: %s\n", args[0].c_str(), e.what());
        return 2;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("brenvik-data: cannot write the output\n", stderr);
        return 2;
    }
    return status;
}

}  // namespace brenvik::tool
