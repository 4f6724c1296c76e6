#include "common/settings/output_settings.h"

#include "common/settings/config_keys.h"
#include "common/settings/profile.h"

namespace corvane::settings {
namespace {

std::string read(const std::filesystem::path& file, const TextKey& key) {
  return readProfileString(file, key.section, key.key, key.defaultText, kOutputValueRoom + 1);
}

bool write(const std::filesystem::path& file, const TextKey& key, std::string_view value) {
  return writeProfileString(file, key.section, key.key, value);
}

}  // namespace

OutputSettings loadOutputSettings(const std::filesystem::path& configFile) {
  return {read(configFile, kPortName),       read(configFile, kPortBaud),
          read(configFile, kMachine),        read(configFile, kAngleDistance),
          read(configFile, kClosedDistance), read(configFile, kAngleEnabled),
          read(configFile, kClosedEnabled),  read(configFile, kCutOrderEnabled)};
}

bool saveOutputSettings(const std::filesystem::path& configFile, const OutputSettings& settings) {
  // Every value is attempted even after a failure, as each is its own call.
  bool stored = write(configFile, kPortName, settings.portName);
  stored = write(configFile, kPortBaud, settings.portBaud) && stored;
  stored = write(configFile, kMachine, settings.machine) && stored;
  stored = write(configFile, kAngleDistance, settings.angleText) && stored;
  stored = write(configFile, kClosedDistance, settings.closedText) && stored;
  stored = write(configFile, kAngleEnabled, settings.angleEnabled) && stored;
  stored = write(configFile, kClosedEnabled, settings.closedEnabled) && stored;
  // The cut order's key is written once the option has been used, so that a
  // file from before it stays as it was.
  const bool orderKnown = !readProfileString(configFile, kCutOrderEnabled.section,
                                             kCutOrderEnabled.key, "", kOutputValueRoom + 1)
                               .empty();
  if (orderKnown || settings.orderEnabled != kCutOrderEnabled.defaultText) {
    stored = write(configFile, kCutOrderEnabled, settings.orderEnabled) && stored;
  }
  return stored;
}

std::string loadBladeOffset(const std::filesystem::path& configFile) {
  return read(configFile, kBladeOffset);
}

bool saveBladeOffset(const std::filesystem::path& configFile, std::string_view text) {
  if (text.empty() && loadBladeOffset(configFile).empty()) return true;
  return write(configFile, kBladeOffset, text);
}

std::string readLanguageCode(const std::filesystem::path& configFile) {
  return read(configFile, kLanguage);
}

bool choosesEnglishLibrary(std::string_view languageCode) {
  return languageCode == kLanguageEnglish;
}

}  // namespace corvane::settings
