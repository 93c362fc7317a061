#pragma once
// Store texts are 8-bit bytes (Western code page); the screens show QStrings.
// Bytes that form valid UTF-8 are shown as UTF-8 (paths, messages), anything
// else byte for byte as Latin-1. What the user types goes back as Latin-1.
#include <QString>
#include <string>
#include <string_view>

namespace ui {

QString ToQ(std::string_view bytes);
std::string FromQ(const QString& text);         // Latin-1, '?' for what it cannot hold
std::string PathFromQ(const QString& path);     // local 8-bit file name
QString PathToQ(const std::string& path);

}  // namespace ui
