#include "output/cli/interrupt_stop.h"

#include <signal.h>

#include <atomic>

namespace corvane {

namespace {

std::atomic<SendStop*> interrupted{nullptr};
struct sigaction previous {};

void onInterrupt(int) {
  if (SendStop* stop = interrupted.load()) stop->request();
}

}  // namespace

CtrlCStopsSend::CtrlCStopsSend(SendStop& stop) {
  interrupted = &stop;
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a question waiting on the terminal gets its answer
  // (none, which is Cancel) instead of waiting on.
  action.sa_flags = static_cast<int>(SA_RESETHAND);
  sigaction(SIGINT, &action, &previous);
}

CtrlCStopsSend::~CtrlCStopsSend() {
  sigaction(SIGINT, &previous, nullptr);
  interrupted = nullptr;
}

}  // namespace corvane
