#include "common/settings/module_ini.h"

#include "common/settings/config_keys.h"
#include "common/settings/profile.h"

namespace corvane::settings {

std::filesystem::path configFileIn(const std::filesystem::path& programDirectory) {
  return programDirectory / kConfigFileName;
}

std::string ModuleIni::GetIniString(std::string_view section, std::string_view key,
                                    std::string_view defaultText) const {
  std::string value = readProfileString(IniFilePath, section, key, "", kBufferSize);
  if (!value.empty()) return value;
  writeProfileString(IniFilePath, section, key, defaultText);
  return std::string(defaultText);
}

std::int32_t ModuleIni::GetIniInt(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
  return readProfileInt(IniFilePath, section, key, defaultValue);
}

void ModuleIni::SetIniString(std::string_view section, std::string_view key,
                             std::string_view value) const {
  writeProfileString(IniFilePath, section, key, value);
}

}  // namespace corvane::settings
