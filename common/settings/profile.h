#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The three profile calls both programs make on Config.ini. On Windows they
// are the system's GetPrivateProfileString, GetPrivateProfileInt and
// WritePrivateProfileString (the wide forms, given the wide path, with the
// texts in the ANSI code page); elsewhere a portable implementation that reads
// and writes the file the same way, so a file touched on either side stays
// the file the other expects. Texts are passed as the file's own bytes (the
// ANSI code page on Windows), never converted.
namespace corvane::settings {

// The value of key in section, cut to bufferSize - 1 bytes as a buffer of
// bufferSize characters would hold it. A missing file, section, key or '='
// gives defaultText; an empty value gives an empty text, not the default.
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultText,
                              std::size_t bufferSize);

// The value read as a number, or defaultValue when it is missing or empty.
std::int32_t readProfileInt(const std::filesystem::path& file, std::string_view section,
                            std::string_view key, std::int32_t defaultValue);

// Sets key in section, creating the file, section and key as needed. False
// when the file could not be written.
bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

}  // namespace corvane::settings
