#pragma once

#include <string>
#include <string_view>

// Texts are UTF-8 inside the program and UTF-16 only at the W calls.
namespace corvane {

std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

}  // namespace corvane
