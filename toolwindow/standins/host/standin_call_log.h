#pragma once

// What the stand-in host remembers of the operations called through it, and
// the failures a test asked it to make.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolwindow/host/host_result.h"
#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin {

class CallLog {
 public:
  // Logs one call. Returns the failure injected for it, when this is the
  // call that was to fail.
  std::optional<host::HostError> record(std::string_view operation,
                                        std::vector<std::string> arguments);
  // Throws std::invalid_argument for a name that is no DrawingHost operation
  // or an nth below 1.
  void failCall(std::string_view operation, int nth, std::string text,
                host::HostFailure kind = host::HostFailure::Refused);

  const std::vector<Call>& calls() const { return calls_; }
  void clear() { calls_.clear(); }

 private:
  struct Injection {
    std::string operation;
    long at = 0;  // the operation's call count that fails
    std::string text;
    host::HostFailure kind = host::HostFailure::Refused;
  };

  std::vector<Call> calls_;
  std::map<std::string, long, std::less<>> counts_;
  std::vector<Injection> injections_;
};

// Argument texts of the log.
std::string argument(double value);
std::string argument(std::int32_t value);
std::string argument(bool value);
std::string quotedText(std::string_view text);
std::string cmykText(const Cmyk& colour);

}  // namespace corvane::standin
