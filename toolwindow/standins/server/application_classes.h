#pragma once

// The three application classes (X6, X3, X4) the server offers: one class
// factory each, handing every client of its class the one Application of
// it. They own the server's state, which every object they make holds.

#include <windows.h>

#include <memory>
#include <vector>

#include "toolwindow/standins/server/state/server_state.h"

namespace corvane::standin_server {

// Writes the classes' LocalServer32 under HKLM\Software\Classes (Wine reads
// classes from there only), or removes them; false when a key cannot be
// written.
bool registerClasses(bool add);

class ApplicationFactory;

class ApplicationClasses {
 public:
  explicit ApplicationClasses(ServerSettings settings);
  ~ApplicationClasses();
  ApplicationClasses(const ApplicationClasses&) = delete;
  ApplicationClasses& operator=(const ApplicationClasses&) = delete;

  ServerState& state() { return state_; }

  // Offers every class to clients (COM started: call early, a client that
  // started the server polls for them and gives up after about 30 s), each
  // as its class object for multiple use and, unless hidden, in the
  // running-object table, strongly; false when one cannot be offered.
  bool offer(bool hidden);
  // Revokes whatever was offered (always: a class left registered by a dead
  // server keeps new clients from reaching a restarted one) and
  // disconnects the Applications.
  void withdraw();

 private:
  struct Offer {
    std::unique_ptr<ApplicationFactory> factory;
    DWORD classCookie = 0;
    DWORD tableCookie = 0;
    bool classRegistered = false;
    bool tableRegistered = false;
  };

  ServerState state_;
  std::vector<Offer> offers_;
};

}  // namespace corvane::standin_server
