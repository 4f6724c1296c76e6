#pragma once

#include <optional>
#include <string>

namespace corvane::standin {

// Writes beside the file first, then renames over it: a reader never sees
// half a file, and a failed write leaves no partial file under the name.
// Returns the failure's text.
std::optional<std::string> writeWholeFile(const std::string& path, const std::string& text);

}  // namespace corvane::standin
