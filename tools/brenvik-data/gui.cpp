#include "gui.h"

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace brenvik::tool {

void EnsureGui() {
    static std::unique_ptr<QApplication> app;
    if (app || QCoreApplication::instance()) return;
    // No display is needed to draw into pictures and PDF files.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "brenvik-data";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
    // Left to the end of the process: Qt's own caches are gone by the time
    // static objects are destroyed, and closing the application then crashes.
    app.release();
}

}  // namespace brenvik::tool
