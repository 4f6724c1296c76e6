#pragma once

// What the server keeps from its start to its end: the stand-in host its
// objects work on, how the command line set it up, the calls counted so far
// and the window that shows the document. One lives as long as the server;
// the class factories own it and every object of the model holds it.

#include <windows.h>

#include <string>

#include "toolwindow/standins/host/standin_host.h"

namespace corvane::standin_server {

struct ServerSettings {
  // The Nth member call of a client ends the process unanswered; 0: never.
  long dieAt = 0;
  // TraceSettings.Finish gives Nothing and vectorises nothing, leaving the
  // selection as it was: a host whose vectorising failed quietly.
  bool finishGivesNothing = false;
  // Application.Visible: True when the operator started the server (its
  // window shown), False when COM started it for a client or it runs hidden.
  bool visible = true;
  // The document as text and as SVG, written after every call; empty: not.
  std::string dumpPath;
  std::string svgPath;
};

// The server's own messages: one line on stderr, after its name.
void complain(const std::string& text);

class ServerState {
 public:
  // On the thread that runs the server's message loop.
  explicit ServerState(ServerSettings settings);
  ServerState(const ServerState&) = delete;
  ServerState& operator=(const ServerState&) = delete;

  standin::StandInHost& host() { return host_; }
  const ServerSettings& settings() const { return settings_; }

  // As a member call of a client arrives: the one --die-at names ends the
  // process at once, without answering and without revoking anything, as
  // a host that crashes does.
  void callArrives();
  // The document as it is now: the window repainted, the --dump and --svg
  // files written (a failure to write is only complained about).
  void showDocument();
  // Application.StandInDump.
  host::HostStatus dump(const std::string& textPath, const std::string& svgPath) const;
  // Application.Quit: the message loop ends once the call has returned.
  void quit() const;

  void openDocumentWindow();
  void closeDocumentWindow();

 private:
  standin::StandInHost host_;
  ServerSettings settings_;
  DWORD loopThread_;
  long callsSoFar_ = 0;
  HWND window_ = nullptr;
};

}  // namespace corvane::standin_server
