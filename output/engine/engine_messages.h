#pragma once

// The engine's fixed texts, shown to the operator as they stand.
namespace corvane::messages {

inline constexpr const char* kOpenPltFailed = "打开PLT文件失败";
inline constexpr const char* kNeedsJobCommand =
    "This function is used for TB command! Please Check!";
inline constexpr const char* kOffsetAllZero = "Offset XY all zero,keep data as old";
inline constexpr const char* kCornerParametersWrong = "尖角闭合参数设置有误";
inline constexpr const char* kJobTooLarge = "The job file is too large to be read into memory";

}  // namespace corvane::messages
