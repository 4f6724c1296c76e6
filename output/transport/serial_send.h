#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/operator.h"
#include "output/transport/port.h"
#include "output/transport/serial_system.h"

namespace corvane {

inline constexpr const char* kOpenCommFailed = "Open Comm Failed!";

inline constexpr const char* kStoppedByOperator = "stopped by the operator";

// Writes the text to the port in one write. True only when every byte was
// written; the operator has been told about any failure, and after a stop
// how many bytes the port had accepted.
bool sendTextSerial(SerialSystem& system, const std::string& port, std::string_view text,
                    std::uint32_t baud, Operator& op, const SendProgress& progress = {},
                    SendStop* stop = nullptr);

// Writes the whole file: in one write when it is shorter than one chunk,
// otherwise in full chunks followed by the rest (a write of 0 bytes when the
// length is an exact multiple). A file that cannot be read is reported and
// the port is not touched.
bool sendFileSerial(SerialSystem& system, const std::string& port,
                    const std::filesystem::path& path, std::uint32_t baud, Operator& op,
                    const SendProgress& progress = {}, SendStop* stop = nullptr);

}  // namespace corvane
