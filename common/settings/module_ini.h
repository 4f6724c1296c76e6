#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The tool window's access to Config.ini.
namespace corvane::settings {

// Config.ini beside the programs.
std::filesystem::path configFileIn(const std::filesystem::path& programDirectory);

class ModuleIni {
 public:
  // Longest value GetIniString returns is one less: the last place holds the
  // terminating zero.
  static constexpr std::size_t kBufferSize = 144;

  // Set by the interface-language routines before any other access.
  std::filesystem::path IniFilePath;

  // The value, or defaultText when the value is missing or empty; the
  // default is then written to the file so the operator finds the key there.
  std::string GetIniString(std::string_view section, std::string_view key,
                           std::string_view defaultText) const;

  // The value as a number, defaultValue when the key is missing; never writes.
  std::int32_t GetIniInt(std::string_view section, std::string_view key,
                         std::int32_t defaultValue) const;

  // Settings that cannot be stored are lost without a word: the program goes
  // on with the value it meant to store.
  void SetIniString(std::string_view section, std::string_view key, std::string_view value) const;
};

}  // namespace corvane::settings
