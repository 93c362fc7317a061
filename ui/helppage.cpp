#include "ui/helppage.h"

#include "ui/platform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>

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

void ShowHelpPage(const QString& page) {
    const QString path = FindHelpPage(QCoreApplication::applicationDirPath(), page);
    if (path.isEmpty()) {
        platform().ShowMessage(brenvik::MsgKind::Error,
                               "The help page " + page +
                                   " was not found beside the program or in its docs folder. "
                                   "Reinstall the program to restore it.",
                               brenvik::MsgButtons::Ok);
        return;
    }
    if (!platform().OpenUrl(QUrl::fromLocalFile(path).toString())) {
        platform().ShowMessage(brenvik::MsgKind::Error,
                               "The help could not be shown: no web browser could be started.\n"
                               "Open this file in a web browser:\n" +
                                   path,
                               brenvik::MsgButtons::Ok);
    }
}

void ShowWebPage(const QString& url) {
    if (!platform().OpenUrl(url)) {
        platform().ShowMessage(brenvik::MsgKind::Error,
                               "The page could not be shown: no web browser could be started.\n"
                               "Open this address in a web browser:\n" +
                                   url,
                               brenvik::MsgButtons::Ok);
    }
}

}  // namespace ui
