// barcode: draws a value as the barcode dialog draws it, into a PNG picture
// or an SVG drawing, so that scripts can make bar codes and anyone can check
// them with a decoder.
#include "commands.h"

#include "store/core/safefile.h"
#include "store/labels/barcode.h"
#include "store/labels/screens/TBarCodeForm.h"

#include <QBuffer>
#include <QByteArray>

#include <algorithm>
#include <cctype>

namespace brenvik::tool {
namespace {

constexpr const char* kForm = "barcode --type NAME [--checksum] -o OUT VALUE";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int BarcodeCommand(const Args& args) {
    std::string type, out, value;
    bool haveType = false, haveOut = false, haveValue = false, checksum = false, options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options && (arg == "--type" || arg == "-o")) {
            if (i + 1 >= args.size()) throw ToolError(arg + " needs a value; usage: " + kForm);
            (arg == "--type" ? type : out) = args[++i];
            (arg == "--type" ? haveType : haveOut) = true;
        } else if (options && arg == "--checksum") {
            checksum = true;
        } else if (options && arg == "--") {
            options = false;
        } else if (options && arg.size() > 1 && arg[0] == '-' && !haveValue &&
                   !std::isdigit(static_cast<unsigned char>(arg[1]))) {
            throw ToolError("unknown option " + arg + "; usage: " + kForm);
        } else if (!haveValue) {
            value = arg;
            haveValue = true;
        } else {
            throw ToolError(std::string("one value only; usage: ") + kForm);
        }
    }
    if (!haveType || !haveOut || !haveValue) throw ToolError(std::string("usage: ") + kForm);
    const std::string extension = Lower(out);
    const bool png = EndsWith(extension, ".png");
    if (!png && !EndsWith(extension, ".svg"))
        throw ToolError("OUT must end with .png or .svg: " + out);

    const BarcodeResult result = EncodeBarcode(type, value, checksum);
    if (!result.Ok()) throw Refused(result.error);
    std::string bytes;
    if (png) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!BarcodePicture(result).save(&buffer, "PNG")) throw ToolError("cannot encode the PNG");
        bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    } else {
        bytes = BarcodeSvg(result);
    }
    WriteFileSafely(out, bytes, "cannot write " + out);
    return 0;
}

const bool registered = RegisterCommand(
    {"barcode", BarcodeCommand,
     "  barcode --type NAME [--checksum] -o OUT VALUE\n"
     "                               draws VALUE in the barcode type NAME (as the barcode\n"
     "                               dialog lists them) into OUT, a .png picture or .svg\n",
     70});

}  // namespace
}  // namespace brenvik::tool
