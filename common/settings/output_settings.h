#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The output program's settings in Config.ini: its dialog's choices and the
// interface language the tool window left there.
namespace corvane::settings {

// Every value the output program reads has room for this many characters.
inline constexpr std::size_t kOutputValueRoom = 99;

struct OutputSettings {
  std::string portName;
  std::string portBaud;
  std::string machine;
  std::string angleText;     // sharp-corner distance, mm
  std::string closedText;    // closing distance, mm
  std::string angleEnabled;  // "1" when on
  std::string closedEnabled;
  std::string orderEnabled = "0";  // "1": inside first, least travel
};

// Missing keys read as their defaults; nothing is written.
OutputSettings loadOutputSettings(const std::filesystem::path& configFile);

// False when a value could not be stored.
bool saveOutputSettings(const std::filesystem::path& configFile, const OutputSettings& settings);

// [KNIFE] BLADE, the blade offset the preview simulates the cut with; empty
// when none is set.
std::string loadBladeOffset(const std::filesystem::path& configFile);
// Writes the key only when there is something to keep or to clear, so a
// Config.ini that never had a blade offset stays as it was.
bool saveBladeOffset(const std::filesystem::path& configFile, std::string_view text);

// [SYS] LANG as the tool window left it, "EN" when missing.
std::string readLanguageCode(const std::filesystem::path& configFile);

// Only the exact upper-case code picks the English resource library; "en"
// or anything else picks the Chinese one.
bool choosesEnglishLibrary(std::string_view languageCode);

}  // namespace corvane::settings
