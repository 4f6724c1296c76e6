#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// An INI file held as its bytes, read and edited the way the Windows profile
// functions treat it, so that the portable backend and Windows agree on
// every file the programs meet:
//
// - A line whose first non-blank character is '[' and that has a ']' opens
//   a section named by the text between them, blanks trimmed. Lines before
//   the first section form a section with an empty name.
// - Any other non-blank line is an entry: the key is the text before the
//   first '=', the value the text after it, both trimmed of blanks. A line
//   without '=' is a key without a value. Comment lines (';', '#') are
//   entries like any other: a key named ";x" can be read.
// - Section and key names match without regard to ASCII case; the first
//   section of a name and its first entry of a key win.
// - A value enclosed in a matching pair of quotes (" or ') is read without them.
// - A leading UTF-8 byte-order mark is kept but not read as part of the text.
//
// Edits leave every other byte of the file as it was. A new entry goes after
// the last non-blank line of its section, a new section at the end of the
// file, both with CRLF line ends.
namespace corvane::settings {

class IniText {
 public:
  explicit IniText(std::string bytes);

  // The value of key in section; nothing when the section, the key or its
  // '=' is missing.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;

  // Stores value under key in section. Returns false when the entry already
  // held exactly this value, so the file needs no write.
  bool set(std::string_view section, std::string_view key, std::string_view value);

  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// A value read as a number the way the profile functions read it: an
// optional sign, then decimal digits, or hexadecimal, octal or binary after
// "0x", "0o" or "0b"; reading stops at the first other character and wraps
// at 32 bits.
std::int32_t parseProfileNumber(std::string_view text);

// Blanks as the profile functions trim them.
std::string_view trimBlanks(std::string_view text);

}  // namespace corvane::settings
