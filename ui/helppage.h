#pragma once
// Finding the programs' HTML help pages: beside the program, in the folders
// an installation or a build puts them, or in the source tree's docs.
#include <QString>

namespace ui {

// Full path of the help page, or empty when it is nowhere to be found.
QString FindHelpPage(const QString& programDir, const QString& page);

}  // namespace ui
