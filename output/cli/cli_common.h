#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/operator.h"

// What the command-line commands share.
namespace corvane::cli {

inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Says what is wrong with the command line, then its usage; returns kExitUsage.
int usageError(const std::string& what, const char* usage);

// An SVG picture of the knife's path, read back from the stream file. A
// picture that cannot be made is a warning: the stream itself is fine.
bool writeStreamPreview(const std::filesystem::path& streamPath,
                        const std::filesystem::path& previewPath, Operator& op);

// The same picture with the drag knife's simulated cut over it, measured
// against `design` (the intermediate file's text), heading 0 at the start.
bool writeKnifePreview(const std::filesystem::path& streamPath, const std::string& design,
                       double bladeMm, const std::filesystem::path& previewPath, Operator& op);

// A file's bytes; nullopt when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// A decimal number, the whole text, in the C locale.
std::optional<double> parseDecimal(std::string_view text);

}  // namespace corvane::cli
