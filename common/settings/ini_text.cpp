#include "common/settings/ini_text.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace corvane::settings {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

// One line of the file: [begin, end) is its text without the line end,
// next the offset of the following line.
struct Line {
  std::size_t begin;
  std::size_t end;
  std::size_t next;
};

enum class LineKind { Blank, Section, Entry };

struct ParsedLine {
  Line line;
  LineKind kind;
  std::string_view name;  // section name or key, trimmed
  std::optional<std::string_view> value;
};

ParsedLine parseLine(std::string_view bytes, Line line) {
  const std::string_view raw = bytes.substr(line.begin, line.end - line.begin);
  const std::string_view text = trimBlanks(raw);
  if (text.empty()) return {line, LineKind::Blank, {}, std::nullopt};
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close != std::string_view::npos) {
      return {line, LineKind::Section, trimBlanks(text.substr(1, close - 1)), std::nullopt};
    }
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return {line, LineKind::Entry, text, std::nullopt};
  return {line, LineKind::Entry, trimBlanks(text.substr(0, equals)),
          trimBlanks(text.substr(equals + 1))};
}

std::vector<ParsedLine> parseLines(std::string_view bytes) {
  std::vector<ParsedLine> lines;
  std::size_t pos =
      bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
  while (pos < bytes.size()) {
    const std::size_t newline = bytes.find('\n', pos);
    const std::size_t next = newline == std::string_view::npos ? bytes.size() : newline + 1;
    std::size_t end = newline == std::string_view::npos ? bytes.size() : newline;
    if (end > pos && bytes[end - 1] == '\r') --end;
    lines.push_back(parseLine(bytes, {pos, end, next}));
    pos = next;
  }
  return lines;
}

// Where a section's lines are in the parsed file: header is the index of
// its header line (none for the nameless first section), [first, last) its
// body.
struct SectionSpan {
  std::optional<std::size_t> header;
  std::size_t first;
  std::size_t last;
};

std::optional<SectionSpan> findSection(const std::vector<ParsedLine>& lines,
                                       std::string_view section) {
  const std::string_view wanted = trimBlanks(section);
  std::optional<SectionSpan> span;
  if (wanted.empty()) span = SectionSpan{std::nullopt, 0, lines.size()};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::Section) continue;
    if (span) {
      span->last = i;
      return span;
    }
    if (sameName(lines[i].name, wanted)) span = SectionSpan{i, i + 1, lines.size()};
  }
  return span;
}

std::optional<std::size_t> findEntry(const std::vector<ParsedLine>& lines, const SectionSpan& span,
                                     std::string_view key) {
  const std::string_view wanted = trimBlanks(key);
  for (std::size_t i = span.first; i < span.last; ++i) {
    if (lines[i].kind == LineKind::Entry && sameName(lines[i].name, wanted)) return i;
  }
  return std::nullopt;
}

std::string_view withoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string_view withoutLeadingBlanks(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && isBlank(text[first])) ++first;
  return text.substr(first);
}

std::string entryLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  return line;
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

IniText::IniText(std::string bytes) : bytes_(std::move(bytes)) {}

std::optional<std::string> IniText::value(std::string_view section, std::string_view key) const {
  const std::vector<ParsedLine> lines = parseLines(bytes_);
  const std::optional<SectionSpan> span = findSection(lines, section);
  if (!span) return std::nullopt;
  const std::optional<std::size_t> entry = findEntry(lines, *span, key);
  if (!entry || !lines[*entry].value) return std::nullopt;
  return std::string(withoutQuotes(*lines[*entry].value));
}

bool IniText::set(std::string_view section, std::string_view key, std::string_view value) {
  const std::vector<ParsedLine> lines = parseLines(bytes_);
  const std::string_view keyName = trimBlanks(key);
  // Leading blanks would be lost on the next read anyway; trailing ones are
  // kept as the caller gave them.
  const std::string_view stored = withoutLeadingBlanks(value);

  const std::optional<SectionSpan> span = findSection(lines, section);
  if (!span) {
    std::string tail;
    if (!bytes_.empty() && bytes_.back() != '\n') tail += kLineEnd;
    tail += '[';
    tail += trimBlanks(section);
    tail += ']';
    tail += kLineEnd;
    tail += entryLine(keyName, stored);
    tail += kLineEnd;
    bytes_ += tail;
    return true;
  }

  if (const std::optional<std::size_t> entry = findEntry(lines, *span, key)) {
    const ParsedLine& found = lines[*entry];
    if (found.value && *found.value == stored) return false;
    // The entry keeps its own spelling of the key and its own line end.
    bytes_.replace(found.line.begin, found.line.end - found.line.begin,
                   entryLine(found.name, stored));
    return true;
  }

  // After the last non-blank line of the section, so blank lines that part
  // it from the next section stay where they are.
  std::optional<std::size_t> after = span->header;
  for (std::size_t i = span->first; i < span->last; ++i) {
    if (lines[i].kind != LineKind::Blank) after = i;
  }
  std::size_t at = 0;
  std::string insert;
  if (after) {
    const Line& line = lines[*after].line;
    at = line.next;
    if (line.next == line.end) insert += kLineEnd;  // last line of the file had no line end
  } else if (bytes_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    at = kByteOrderMark.size();
  }
  insert += entryLine(keyName, stored);
  insert += kLineEnd;
  bytes_.insert(at, insert);
  return true;
}

std::int32_t parseProfileNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  std::uint32_t base = 10;
  if (pos + 1 < text.size() && text[pos] == '0') {
    const char prefix = text[pos + 1];
    if (prefix == 'x') base = 16;
    if (prefix == 'o') base = 8;
    if (prefix == 'b') base = 2;
    if (base != 10) pos += 2;
  }
  std::uint32_t number = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    std::uint32_t digit = base;
    if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f') digit = static_cast<std::uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
    if (digit >= base) break;
    number = number * base + digit;  // unsigned: wraps like the system's reader
  }
  if (negative) number = 0u - number;
  return static_cast<std::int32_t>(number);
}

}  // namespace corvane::settings
