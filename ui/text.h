#pragma once
// Store texts are 8-bit bytes (Western code page); the screens show QStrings.
// Bytes that form valid UTF-8 are shown as UTF-8 (paths, messages), anything
// else byte for byte in the Western Windows code page (Latin-1 plus the
// euro sign, curly quotes and dashes in 0x80..0x9F), so that such bytes come
// back unchanged. What the user types goes back in that code page.
#include <QString>
#include <string>
#include <string_view>

namespace ui {

QString ToQ(std::string_view bytes);
std::string FromQ(const QString& text);      // code page bytes, '?' for what it cannot hold
std::string PathFromQ(const QString& path);  // local 8-bit file name
QString PathToQ(const std::string& path);

}  // namespace ui
