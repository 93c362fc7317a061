#pragma once
// Finding the programs' HTML help pages: beside the program, in the folders
// an installation or a build puts them, or in the source tree's docs.
#include <QString>

namespace ui {

// Full path of the help page, or empty when it is nowhere to be found.
QString FindHelpPage(const QString& programDir, const QString& page);

// Shows the help page in the browser. When the page is missing, or no
// browser starts, says so (with the page's path, to open by hand).
void ShowHelpPage(const QString& page);
// Opens an address in the browser; when no browser starts, says so and
// shows the address.
void ShowWebPage(const QString& url);

}  // namespace ui
