// A logo file as the invoice set-up reads it, chosen by its extension: the
// first byte picks one of the extensions, the rest is the file. Covers the
// readers Qt provides (GIF, bitmaps, icons) on top of our own.
#include "fuzz/fuzz.h"
#include "ui/pictureloader.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

const char* const kExtensions[] = {"gif", "pcx", "jpg", "bmp", "ico", "png", "jpeg"};

struct Setup {
    int argc = 1;
    char arg0[8] = "fuzz";
    char* argv[2] = {arg0, nullptr};
    QCoreApplication app{argc, argv};  // for Qt's image plugins
    QTemporaryDir dir;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto setup = std::make_unique<Setup>();
    if (size == 0) return 0;
    const char* ext = kExtensions[data[0] % std::size(kExtensions)];
    const QString path = setup->dir.filePath(QString("logo.") + ext);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char*>(data) + 1, qint64(size) - 1);
    }
    const auto image = ui::LoadPicture(path);
    if (image && image->isNull()) fuzz::Fail("an empty picture");
    return 0;
}
