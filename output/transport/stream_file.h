#pragma once

#include <filesystem>
#include <string>
#include <variant>

#include "output/transport/system_error.h"

namespace corvane {

// The whole stream file in memory, or why it could not be had. A file that
// cannot be read to its end is never sent in part.
std::variant<std::string, SystemError> readStreamFile(const std::filesystem::path& path);

}  // namespace corvane
