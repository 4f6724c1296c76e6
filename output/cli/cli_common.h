#pragma once

#include <filesystem>
#include <string>

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

}  // namespace corvane::cli
