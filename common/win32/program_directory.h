#pragma once

#include <filesystem>

namespace corvane {

// The folder of the running program: both programs keep Config.ini and
// their files beside themselves, and neither reads its command line.
std::filesystem::path programDirectory();

}  // namespace corvane
