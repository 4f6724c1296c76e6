#pragma once

#include <string>
#include <string_view>

// Texts are UTF-8 inside the program and UTF-16 only at the W calls.
namespace corvane {

std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

// The same for bytes in the system's ANSI code page, which files of the
// A-function era (Config.ini) hold.
std::wstring wideFromAnsi(std::string_view ansi);
std::string ansiText(std::wstring_view wide);

}  // namespace corvane
