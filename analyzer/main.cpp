// Corvane: the transaction-file analyzer. An optional first parameter names a
// comma-separated file to open (the store program hands over its exports).
#include "analyzer/screens/mainform.h"
#include "ui/platform.h"
#include "ui/qtplatform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane");
    ui::QtPlatform platform;
    ui::SetPlatform(&platform);
    pellard::TMainForm main;
    main.show();
    return app.exec();
}
