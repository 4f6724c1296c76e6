#pragma once

#include "output/transport/send_stop.h"

namespace corvane {

// While it lives, Ctrl-C stops the send the way the dialog's Stop button
// does: the port takes nothing more and the send reports how far it got.
// A second Ctrl-C ends the program as usual.
class CtrlCStopsSend {
 public:
  explicit CtrlCStopsSend(SendStop& stop);
  ~CtrlCStopsSend();
  CtrlCStopsSend(const CtrlCStopsSend&) = delete;
  CtrlCStopsSend& operator=(const CtrlCStopsSend&) = delete;
};

}  // namespace corvane
