#include "toolwindow/ops/operator_messages.h"

#include <string>

#include "toolwindow/build_variant.h"

namespace corvane::toolwindow {

void ShowText(ToolContext& context, std::int32_t number, MessageIcon icon) {
  context.op.ShowMessage(context.lang.LangText(number), icon, ProgramTitle(context.build));
}

void ReportFailure(ToolContext& context, const host::HostError& failure) {
  const std::string operation = failure.operation.empty() ? "A host operation" : failure.operation;
  context.op.ShowMessage(operation + " failed: " + failure.text, MessageIcon::Critical,
                         ProgramTitle(context.build));
}

}  // namespace corvane::toolwindow
