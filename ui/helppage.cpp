#include "ui/helppage.h"

#include <QFileInfo>

namespace ui {

QString FindHelpPage(const QString& programDir, const QString& page) {
    const QStringList dirs = {
        programDir,
        programDir + "/docs",
        programDir + "/../docs",
        programDir + "/../../docs",
        programDir + "/../share/merivale",
#ifdef BRENVIK_DOCS_DIR
        QStringLiteral(BRENVIK_DOCS_DIR),
#endif
    };
    for (const QString& dir : dirs) {
        const QFileInfo f(dir + "/" + page);
        if (f.isFile()) return f.canonicalFilePath();
    }
    return {};
}

}  // namespace ui
