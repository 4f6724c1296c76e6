#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace corvane {

// std::fopen by path: _wfopen on Windows, so that any folder name opens;
// errno says why when it returns null.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// Moves to a byte offset from the start, beyond 2 GiB too; false with errno
// set when it cannot.
bool seekFile(std::FILE* file, std::uint64_t offset);

}  // namespace corvane
