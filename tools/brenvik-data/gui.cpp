#include "gui.h"

#include <QApplication>

#include <cstdlib>

namespace brenvik::tool {

void EnsureGui() {
    if (QCoreApplication::instance()) return;
    // No display is needed to draw into pictures and PDF files.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "brenvik-data";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own statics are already gone, and
    // destroying the application after them crashes.
    new QApplication(argc, argv);
}

}  // namespace brenvik::tool
