// Label pages for scripts: the customer labels the label dialog prints for a
// label data file, and the barcode label the barcode label window prints.
#include "commands.h"
#include "gui.h"

#include "store/core/fields.h"
#include "store/core/safefile.h"
#include "store/customers/customers.h"
#include "store/inventory/store.h"
#include "store/labels/barcode.h"
#include "store/labels/customerlabels.h"
#include "store/labels/labeldata.h"
#include "store/labels/screens/TRTFForm.h"
#include "store/labels/screens/labelpages.h"
#include "ui/pageengine.h"
#include "ui/text.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace brenvik::tool {

namespace {

// DIR and the options after it; each option takes one value.
struct Options {
    std::string folder;
    std::map<std::string, std::string> values;
};

Options ParseOptions(const Args& args, const std::vector<std::string>& known, const char* form) {
    if (args.empty()) throw ToolError(std::string("usage: brenvik-data ") + form);
    Options o;
    o.folder = Folder(args[0]);
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const std::string& name = args[i];
        if (std::find(known.begin(), known.end(), name) == known.end())
            throw ToolError("unknown option " + name + "; usage: brenvik-data " + form);
        if (i + 1 >= args.size()) throw ToolError(name + " needs a value");
        o.values[name] = args[i + 1];
    }
    return o;
}

std::string Required(const Options& o, const std::string& name, const char* form) {
    auto it = o.values.find(name);
    if (it == o.values.end()) throw ToolError(name + " is required; usage: brenvik-data " + form);
    return it->second;
}

int Position(const Options& o, const std::string& name, int max) {
    auto it = o.values.find(name);
    if (it == o.values.end()) return 1;
    const int value = ParseCount(it->second, name.c_str());
    if (value < 1 || value > max)
        throw ToolError(name + " must be from 1 to " + std::to_string(max));
    return value;
}

// "all", or table rows counted from 1; listed rows print in table order.
std::vector<int> CustomerItems(const CustomerList& list, const std::string& spec) {
    if (spec == "all") return LabelItems(list, LabelRecordMode::All, -1);
    std::vector<int> items;
    std::size_t from = 0;
    while (from <= spec.size()) {
        const std::size_t comma = std::min(spec.find(',', from), spec.size());
        const int row = ParseCount(spec.substr(from, comma - from), "--customers");
        if (row < 1) throw ToolError("--customers rows are counted from 1");
        if (row > list.ItemCount())
            throw Refused("customer row " + std::to_string(row) + " is past the table (" +
                          std::to_string(list.ItemCount()) + " rows)");
        items.push_back(row - 1);
        from = comma + 1;
    }
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    return items;
}

void WritePdf(const std::string& path, const ui::PageDocument& doc) {
    if (!ui::SavePdf(ui::PathToQ(path), doc)) throw ToolError("cannot write " + path);
}

const char* const LabelsForm =
    "labels DIR --layout FILE.dld [--start-column C] [--start-row R] "
    "[--customers all|N[,N...]] -o OUT.pdf";

int LabelsCommand(const Args& args) {
    const Options o = ParseOptions(
        args, {"--layout", "--start-column", "--start-row", "--customers", "-o"}, LabelsForm);
    const std::string layoutPath = Required(o, "--layout", LabelsForm);
    const std::string out = Required(o, "-o", LabelsForm);

    std::string bytes;
    if (!ReadWholeFile(layoutPath, bytes)) throw ToolError("cannot read " + layoutPath);
    LabelLayout layout;
    if (!ReadLayout(bytes, layout, LayoutFile::LabelData))
        throw ToolError(layoutPath + ": " + LabelDataInvalid);
    const LabelSheetType& type = LabelSheetTypeOrFirst(layout.typeName);
    const int column = Position(o, "--start-column", type.columns);
    const int row = Position(o, "--start-row", type.rows);

    Store store(o.folder);
    const std::vector<std::string> errors = store.LoadInventory();
    for (const std::string& e : errors)
        if (e.find(Store::kCustomersFile) != std::string::npos) throw ToolError(e);
    CustomerList list;
    list.GridToList(store.CustomerData);
    auto it = o.values.find("--customers");
    const std::vector<int> items = CustomerItems(list, it == o.values.end() ? "all" : it->second);
    if (items.empty()) throw Refused("no customers to print");

    EnsureGui();
    LabelRun run;
    run.type = &type;
    run.start = StartPosition(type, column, row);
    run.texts = CustomerLabelTexts(list, items, layout.entries);
    run.font = LabelFont(layout.fontName, layout.fontSize);
    run.color = LabelColor(layout.color);
    ui::PageDocument doc;
    ComposeLabelPages(doc, run);
    WritePdf(out, doc);
    return 0;
}

const char* const BarcodeLabelForm =
    "barcode-label DIR --item N --type NAME --label-type L [--column C] [--row R] -o OUT.pdf";

int BarcodeLabelCommand(const Args& args) {
    const Options o = ParseOptions(
        args, {"--item", "--type", "--label-type", "--column", "--row", "-o"}, BarcodeLabelForm);
    const int item = ParseCount(Required(o, "--item", BarcodeLabelForm), "--item");
    BarcodeLabelInput input;
    input.symbology = Required(o, "--type", BarcodeLabelForm);
    input.labelType = Required(o, "--label-type", BarcodeLabelForm);
    const std::string out = Required(o, "-o", BarcodeLabelForm);
    if (item < 1) throw ToolError("--item rows are counted from 1");
    if (!IsBarcodeSymbology(input.symbology))
        throw ToolError("unknown barcode type \"" + input.symbology + "\"");
    const LabelSheetType* type = FindLabelSheetType(input.labelType);
    if (!type) throw ToolError("unknown label type \"" + input.labelType + "\"");
    input.printColumn = Position(o, "--column", type->columns);
    input.printRow = Position(o, "--row", type->rows);

    Store store(o.folder);
    for (const std::string& e : store.LoadInventory())
        if (e.find(Store::kInventoryFile) != std::string::npos) throw ToolError(e);
    if (item > store.ItemCount())
        throw Refused("item " + std::to_string(item) + " is past the table (" +
                      std::to_string(store.ItemCount()) + " items)");
    const int column = GridField(store.Data, "bar code");
    input.value = std::string(store.Data.Cell(column, item));
    const BarcodeResult drawing = EncodeBarcode(input.symbology, input.value, false);
    if (!drawing.Ok())
        throw Refused("item " + std::to_string(item) + ": bar code \"" + input.value +
                      "\": " + drawing.error);

    EnsureGui();
    const LabelLayout layout = LoadLabelSettings(store.Folder());
    LabelRun run =
        BarcodeLabelRun(input, ItemLabelText(store.Data, item, layout.entries),
                        LabelFont(layout.fontName, layout.fontSize), LabelColor(layout.color));
    run.offset = {};
    ui::PageDocument doc;
    ComposeLabelPages(doc, run);
    WritePdf(out, doc);
    return 0;
}

const bool registeredBarcodeLabel = RegisterCommand(
    {"barcode-label", BarcodeLabelCommand,
     "  barcode-label DIR --item N --type NAME --label-type L [--column C] [--row R]\n"
     "         -o OUT.pdf             the barcode label of item N as the barcode label\n"
     "                               window prints it, with the text of DIR/labset.set\n",
     71});

const bool registered = RegisterCommand(
    {"labels", LabelsCommand,
     "  labels DIR --layout FILE.dld [--start-column C] [--start-row R]\n"
     "         [--customers all|N[,N...]] -o OUT.pdf\n"
     "                               customer labels as the label dialog prints them\n",
     70});

}  // namespace

}  // namespace brenvik::tool
