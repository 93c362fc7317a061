// Corvane: the transaction-file analyzer. An optional first parameter names a
// comma-separated file to open (the store program hands over its exports).
#include "analyzer/screens/mainform.h"
#include "ui/platform.h"

#if __has_include("ui/qtplatform.h")
#include "ui/qtplatform.h"
#define PELLARD_HAS_QT_PLATFORM 1
#endif

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane");
#ifdef PELLARD_HAS_QT_PLATFORM
    ui::QtPlatform platform;
    ui::SetPlatform(&platform);
#endif
    pellard::TMainForm main;
    main.show();
    return app.exec();
}
