#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <string_view>

#include "toolwindow/binding/com_ref_win32.h"

namespace corvane::host {

// The application object of the host, or why there is none.
struct ConnectOutcome {
  ComRef<IDispatch> application;
  HRESULT failure = S_OK;
  // The instance found is hidden and holds documents: it was left alone.
  bool runningHidden = false;
};

// How the binding reaches the host's application object. The binding asks
// only when an operation needs the host, and asks again after the host was
// lost.
class HostConnector {
 public:
  virtual ~HostConnector() = default;
  virtual ConnectOutcome Connect() = 0;
};

// The application registered under this class id ("{...}"): the running
// instance the running-object table gives, else the one COM activates from
// the class registration (CLSCTX_LOCAL_SERVER). An application that
// activation gives hidden (Visible False) is told to quit only when it holds
// no document (Documents.Count 0): activation started it for us, and the
// host counts as not running. A hidden one with documents, or one that
// cannot say, is someone's work: it is released untouched and reported.
std::unique_ptr<HostConnector> ApplicationConnector(std::string_view classId);

// What the connector makes of an application that activation gave: kept
// when shown; quit when hidden with no document; else let go untouched.
ConnectOutcome AdoptActivated(ComRef<IDispatch> application);

}  // namespace corvane::host
