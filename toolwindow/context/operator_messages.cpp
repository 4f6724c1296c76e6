#include "toolwindow/context/operator_messages.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "toolwindow/builds/build_variant.h"

namespace corvane::toolwindow {

void ShowText(ToolContext& context, std::int32_t number, MessageIcon icon) {
  context.op.ShowMessage(context.lang.LangText(number), icon, ProgramTitle(context.build));
}

namespace {

constexpr std::int32_t kTextOperationFailed = 25;
constexpr std::int32_t kTextHostHidden = 26;
constexpr std::int32_t kTextHostLost = 27;
constexpr std::int32_t kTextHostNotRunning = 28;

// The text with %1, %2, ... replaced by the values, in one pass.
std::string FilledIn(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t n = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : 99;
    if (text[i] == '%' && n < values.size()) {
      out += values.begin()[n];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The operator's words for a host that is gone; the technical detail
// follows in brackets.
std::string Reason(const ToolContext& context, const ToolFailure& failure) {
  std::int32_t number = 0;
  switch (failure.hostFailure.value_or(host::HostFailure::Refused)) {
    case host::HostFailure::Refused:
      return failure.reason;
    case host::HostFailure::Lost:
      number = kTextHostLost;
      break;
    case host::HostFailure::NotRunning:
      number = kTextHostNotRunning;
      break;
    case host::HostFailure::RunningHidden:
      return context.lang.LangText(kTextHostHidden);
  }
  return context.lang.LangText(number) + " (" + failure.reason + ")";
}

}  // namespace

void ReportFailure(ToolContext& context, const ToolFailure& failure) {
  const std::string operation = failure.step.empty() ? "A host operation" : failure.step;
  std::string form = context.lang.LangText(kTextOperationFailed);
  if (form.empty()) form = "%1 failed: %2";
  context.op.ShowMessage(FilledIn(form, {operation, Reason(context, failure)}),
                         MessageIcon::Critical, ProgramTitle(context.build));
}

}  // namespace corvane::toolwindow
