#include <fstream>
#include <iterator>
#include <optional>

#include "common/settings/ini_text.h"
#include "common/settings/profile.h"

namespace corvane::settings {
namespace {

// The file's bytes; nothing when it is missing or cannot be read, which the
// profile functions treat alike.
std::optional<std::string> readFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<std::string> readValue(const std::filesystem::path& file, std::string_view section,
                                     std::string_view key) {
  std::optional<std::string> bytes = readFile(file);
  if (!bytes) return std::nullopt;
  return IniText(std::move(*bytes)).value(section, key);
}

}  // namespace

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultText,
                              std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::optional<std::string> value = readValue(file, section, key);
  std::string text;
  if (value) {
    text = std::move(*value);
  } else {
    // The system drops trailing blanks of the default, not leading ones.
    std::string_view fallback = defaultText;
    while (!fallback.empty() && trimBlanks(fallback.substr(fallback.size() - 1)).empty()) {
      fallback.remove_suffix(1);
    }
    text = fallback;
  }
  if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
  return text;
}

std::int32_t readProfileInt(const std::filesystem::path& file, std::string_view section,
                            std::string_view key, std::int32_t defaultValue) {
  const std::optional<std::string> value = readValue(file, section, key);
  if (!value || value->empty()) return defaultValue;
  return parseProfileNumber(*value);
}

bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  std::error_code error;
  const bool exists = std::filesystem::exists(file, error);
  std::optional<std::string> bytes = exists ? readFile(file) : std::string();
  if (!bytes) return false;
  IniText text(std::move(*bytes));
  if (!text.set(section, key, value) && exists) return true;
  // Rewritten in place, as the system does: a read-only file refuses the write.
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(text.bytes().data(), static_cast<std::streamsize>(text.bytes().size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace corvane::settings
