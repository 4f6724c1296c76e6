#pragma once

#include <string_view>

namespace corvane::toolwindow {

// The layers and shapes the tool window makes in the operator's document and
// finds again by name, exactly and with case.
inline constexpr std::string_view kTraceLayer = "TraceLayer";
inline constexpr std::string_view kTraceLine = "TraceLine";
inline constexpr std::string_view kMarkLayer = "MarkLayer";
inline constexpr std::string_view kMarkLine = "MarkLine";

}  // namespace corvane::toolwindow
