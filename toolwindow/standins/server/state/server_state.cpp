#include "toolwindow/standins/server/state/server_state.h"

#include <cstdio>
#include <utility>

#include "toolwindow/standins/server/state/document_dump.h"
#include "toolwindow/standins/server/state/document_window.h"

namespace corvane::standin_server {
namespace {

constexpr int kDumpAttempts = 25;
constexpr DWORD kDumpRetryMs = 20;

}  // namespace

void complain(const std::string& text) {
  std::fprintf(stderr, "corvane-standin-server: %s\n", text.c_str());
}

ServerState::ServerState(ServerSettings settings)
    : settings_(std::move(settings)), loopThread_(GetCurrentThreadId()) {}

void ServerState::callArrives() {
  if (settings_.dieAt > 0 && ++callsSoFar_ == settings_.dieAt) {
    TerminateProcess(GetCurrentProcess(), 3);
  }
}

void ServerState::showDocument() {
  refreshDocumentWindow(window_);
  if (!settings_.dumpPath.empty() || !settings_.svgPath.empty()) {
    // A reader holding the dump at that moment makes the replace fail. The
    // next call would write it again, but after the last call none comes
    // and the reader would wait on a stale dump: try again for a while.
    host::HostStatus written = writeDocument(host_, settings_.dumpPath, settings_.svgPath);
    for (int attempt = 1; !written && attempt < kDumpAttempts; ++attempt) {
      Sleep(kDumpRetryMs);
      written = writeDocument(host_, settings_.dumpPath, settings_.svgPath);
    }
    if (!written) complain(written.error().text);
  }
}

host::HostStatus ServerState::dump(const std::string& textPath, const std::string& svgPath) const {
  return writeDocument(host_, textPath, svgPath);
}

void ServerState::quit() const { PostThreadMessageW(loopThread_, WM_QUIT, 0, 0); }

void ServerState::openDocumentWindow() { window_ = createDocumentWindow(host_); }

void ServerState::closeDocumentWindow() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

}  // namespace corvane::standin_server
