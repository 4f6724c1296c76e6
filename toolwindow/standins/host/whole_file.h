#pragma once

#include <string>

#include "toolwindow/host/host_result.h"

namespace corvane::standin {

// Writes beside the file first, then renames over it: a reader never sees
// half a file, and a failed write leaves no partial file under the name.
// A failure's text names the file.
host::HostStatus writeWholeFile(const std::string& path, const std::string& text);

}  // namespace corvane::standin
