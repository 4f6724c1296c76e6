#pragma once

#include <cstdint>
#include <string_view>

// Every section and key of Config.ini, the one settings file that the tool
// window and the output program share. Both programs must spell them alike,
// so they are named once here.
namespace corvane::settings {

inline constexpr std::string_view kConfigFileName = "Config.ini";

struct TextKey {
  std::string_view section;
  std::string_view key;
  std::string_view defaultText;
};

struct NumberKey {
  std::string_view section;
  std::string_view key;
  std::int32_t defaultValue;
};

// Written by the tool window; the output program picks its resource library by it.
inline constexpr TextKey kLanguage{"SYS", "LANG", "EN"};
inline constexpr std::string_view kLanguageChinese = "CH";
inline constexpr std::string_view kLanguageEnglish = "EN";

// Outside offset of a traced contour in millimetres, "#0.0".
inline constexpr TextKey kTraceOffset{"TRACE", "OFFSET", "1.0"};

// Read by the contour-cut export, written by neither program.
inline constexpr NumberKey kMultiMark{"MARK", "MULTIMARK", 0};
inline constexpr NumberKey kMarkCount{"MARK", "NUM", 0};

// The output program's dialog. [OFFSET] here is unrelated to [TRACE] OFFSET.
inline constexpr TextKey kPortName{"OUTPUT", "PORTNAME", "COM1"};
inline constexpr TextKey kPortBaud{"OUTPUT", "PORTBAUD", "38400"};
inline constexpr TextKey kMachine{"OUTPUT", "MACHINE", "RQ-2400"};
inline constexpr TextKey kAngleDistance{"OFFSET", "ANGLE", "1.00"};
inline constexpr TextKey kClosedDistance{"OFFSET", "CLOSED", "1.00"};
inline constexpr TextKey kAngleEnabled{"ENABLE", "ANGLE", "0"};
inline constexpr TextKey kClosedEnabled{"ENABLE", "CLOSED", "0"};
// "1": paths are cut inside first, in an order of least knife-up travel.
inline constexpr TextKey kCutOrderEnabled{"ENABLE", "ORDER", "0"};
// The drag knife's blade offset in mm for the simulated cut; empty: none.
inline constexpr TextKey kBladeOffset{"KNIFE", "BLADE", ""};

}  // namespace corvane::settings
