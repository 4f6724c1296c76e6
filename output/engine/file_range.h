#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>

namespace corvane {

inline constexpr std::uint64_t kToEndOfFile = ~std::uint64_t{0};

// Reads `length` bytes of a file from `offset` on (or up to its end) in
// large chunks, handing each to `consume`. 0 when the whole range was read,
// otherwise the errno of the failed open or read.
int readFileRange(const std::filesystem::path& path, std::uint64_t offset, std::uint64_t length,
                  const std::function<void(std::string_view)>& consume);

// The offset just past the first ';' at or after `from`, or `kToEndOfFile`
// when there is none (or the file cannot be read).
std::uint64_t findCommandEnd(const std::filesystem::path& path, std::uint64_t from);

}  // namespace corvane
