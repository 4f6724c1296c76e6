#include "toolwindow/standins/svg/keyword_values.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::standin::svg {
namespace {

// The keyword-valued properties the reader asks SVG++ for.
constexpr std::array<std::string_view, 3> kKeywordProperties{"fill", "display", "visibility"};

bool isKeywordProperty(std::string_view name) {
  return std::find(kKeywordProperties.begin(), kKeywordProperties.end(), name) !=
         kKeywordProperties.end();
}

bool hasNonAscii(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) > 127; });
}

std::string trimmedLowerCase(std::string_view text) {
  const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The style without its unreadable keyword declarations, every other
// piece put back exactly as it was; nothing when there were none.
std::optional<std::string> withoutNonAsciiKeywords(std::string_view style) {
  std::string kept;
  bool dropped = false;
  bool first = true;
  std::size_t start = 0;
  while (start <= style.size()) {
    const std::size_t end = std::min(style.find(';', start), style.size());
    const std::string_view declaration = style.substr(start, end - start);
    const std::size_t colon = declaration.find(':');
    if (colon != std::string_view::npos &&
        isKeywordProperty(trimmedLowerCase(declaration.substr(0, colon))) &&
        hasNonAscii(declaration.substr(colon + 1))) {
      dropped = true;
    } else {
      if (!first) kept += ';';
      kept += declaration;
      first = false;
    }
    start = end + 1;
  }
  if (!dropped) return std::nullopt;
  return kept;
}

void dropFrom(xmlNode* element) {
  for (xmlAttr* attribute = element->properties; attribute != nullptr;) {
    xmlAttr* next = attribute->next;
    const std::string name = reinterpret_cast<const char*>(attribute->name);
    xmlChar* raw = xmlNodeGetContent(reinterpret_cast<xmlNode*>(attribute));
    const std::string value = raw == nullptr ? std::string() : reinterpret_cast<char*>(raw);
    xmlFree(raw);
    if (attribute->ns == nullptr && hasNonAscii(value)) {
      if (isKeywordProperty(name)) {
        xmlRemoveProp(attribute);
      } else if (name == "style") {
        if (const auto style = withoutNonAsciiKeywords(value)) {
          xmlSetProp(element, BAD_CAST "style", BAD_CAST style->c_str());
        }
      }
    }
    attribute = next;
  }
}

}  // namespace

void dropNonAsciiKeywordValues(xmlNode* root) {
  for (xmlNode* node = root; node != nullptr; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    dropFrom(node);
    dropNonAsciiKeywordValues(node->children);
  }
}

}  // namespace corvane::standin::svg
