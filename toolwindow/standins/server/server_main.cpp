// corvane-standin-server.exe: the stand-in drawing host as an out-of-process
// automation server, for the tool window's tests and for trying the tool
// window without the drawing application. It serves the host's object model
// (host_object_model.h) over one stand-in host to clients of the three
// application classes (X6, X3, X4), shows its document in a window and can
// write it out for a test to read.
//
//   corvane-standin-server.exe /RegServer      registers the three classes
//                                              (machine-wide: HKLM, what Wine reads)
//   corvane-standin-server.exe /UnregServer    removes them
//   corvane-standin-server.exe [FILE.plt] [--no-document] [--select all|NAME,NAME...]
//                              [--fail OPERATION:NTH:TEXT]... [--dump FILE] [--svg FILE]
//                              [--die-at N] [--finish-nothing] [--bitmap NAME:WxH@LEFT,TOP]...
//                              [--hidden]
//
// FILE.plt is opened as the only document (each pen-down run one shape,
// "Curve 1", "Curve 2", ...); without it the host has one empty document,
// with --no-document none, and none when COM starts it. --select selects shapes of the active page
// by name, or all. --fail makes the NTH call of that DrawingHost operation from the start fail with
// TEXT (several may be given). --dump FILE and --svg FILE write the document as text
// (document_dump.h) and as SVG at the start and after every call a client makes. --die-at N ends
// the process at once, unanswered and without revoking anything, when the Nth member call of a
// client arrives: the drawing application crashing in the middle of a
// command. --finish-nothing makes TraceSettings.Finish give Nothing and
// vectorise nothing. --bitmap adds to "Layer 1" a bitmap of W by H pixels,
// all set, each 1 mm square, its top left corner at LEFT,TOP page mm: a
// drawing file holds no bitmap to vectorise. --hidden keeps its document but
// answers Visible False, shows no window and stays out of the running-object
// table, so clients reach it through activation only: an instance another
// automation client started and filled. Started by COM ("-Embedding") it shows
// no window and its Application reports Visible False, as the drawing
// application does when a client starts it.
//
// Members of its own, for tests (no real host has them):
// Application.StandInDump(textFile [, svgFile]), StandInFailCall(operation,
// nth, text) as --fail, StandInCallLog (get: the DrawingHost calls so far,
// one a line), StandInClearCalls(); and Application.Quit() ends it.
//
// The server stays up until its window is closed or a client calls
// Application.Quit, also when COM started it: like the drawing application,
// it is not ended by its last client going away. Each class has its own
// Application object (VersionMajor 16, 13, 14), all over the one document
// state; each is registered in the running-object table (strongly) and as
// the class's object (multiple use), and both are revoked on the way out.

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/wide_text_win32.h"
#include "toolwindow/standins/host/standin_host.h"
#include "toolwindow/standins/server/document_dump.h"
#include "toolwindow/standins/server/document_window.h"
#include "toolwindow/standins/server/host_object_model.h"

namespace {

using corvane::standin_server::AutomationObject;

struct ServedClass {
  const wchar_t* clsid;
  const wchar_t* build;
  std::int32_t versionMajor;
};

constexpr ServedClass kClasses[] = {
    {L"{71620001-E2D3-6894-439C-2598D1947150}", L"X6", 16},
    {L"{4A110001-2109-4B5D-BC63-17AE8914E384}", L"X3", 13},
    {L"{7A000001-8012-4257-B144-A4FA512BA689}", L"X4", 14},
};

struct Options {
  bool registerServer = false;
  bool unregisterServer = false;
  bool noDocument = false;
  bool embedding = false;
  bool finishGivesNothing = false;
  bool hidden = false;
  long dieAt = 0;
  std::string file;
  std::string select;
  std::vector<std::string> failures;
  std::vector<std::string> bitmaps;
  std::string dump;
  std::string svg;
};

void complain(const std::string& text) {
  std::fprintf(stderr, "corvane-standin-server: %s\n", text.c_str());
}

bool parse(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = corvane::utf8Text(argv[++i]);
      return true;
    };
    if (_wcsicmp(arg.c_str(), L"/RegServer") == 0 || _wcsicmp(arg.c_str(), L"-RegServer") == 0) {
      options.registerServer = true;
    } else if (_wcsicmp(arg.c_str(), L"/UnregServer") == 0 ||
               _wcsicmp(arg.c_str(), L"-UnregServer") == 0) {
      options.unregisterServer = true;
    } else if (_wcsicmp(arg.c_str(), L"-Embedding") == 0 ||
               _wcsicmp(arg.c_str(), L"/Embedding") == 0) {
      options.embedding = true;
    } else if (_wcsicmp(arg.c_str(), L"/machine") == 0) {
      // Registration is always machine-wide.
    } else if (arg == L"--no-document") {
      options.noDocument = true;
    } else if (arg == L"--finish-nothing") {
      options.finishGivesNothing = true;
    } else if (arg == L"--hidden") {
      options.hidden = true;
    } else if (arg == L"--select" || arg == L"--dump" || arg == L"--svg" || arg == L"--fail" ||
               arg == L"--die-at" || arg == L"--bitmap") {
      std::string text;
      if (!value(text)) {
        complain(corvane::utf8Text(arg) + " needs a value");
        return false;
      }
      if (arg == L"--select") options.select = text;
      if (arg == L"--dump") options.dump = text;
      if (arg == L"--svg") options.svg = text;
      if (arg == L"--fail") options.failures.push_back(text);
      if (arg == L"--bitmap") options.bitmaps.push_back(text);
      if (arg == L"--die-at") {
        options.dieAt = std::strtol(text.c_str(), nullptr, 10);
        if (options.dieAt < 1) {
          complain("--die-at counts calls from 1");
          return false;
        }
      }
    } else if (!arg.empty() && arg[0] != L'-' && options.file.empty()) {
      options.file = corvane::utf8Text(arg);
    } else {
      complain("unknown argument " + corvane::utf8Text(arg));
      return false;
    }
  }
  return true;
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// HKLM\Software\Classes: Wine reads classes from there only.
bool registerClasses(bool add) {
  wchar_t exe[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const std::wstring command = L"\"" + std::wstring(exe) + L"\"";
  for (const ServedClass& served : kClasses) {
    const std::wstring key = std::wstring(L"Software\\Classes\\CLSID\\") + served.clsid;
    if (!add) {
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
      continue;
    }
    const std::wstring title = std::wstring(L"Corvane stand-in host (") + served.build + L")";
    const struct {
      std::wstring path;
      const std::wstring& value;
    } entries[] = {{key, title}, {key + L"\\LocalServer32", command}};
    for (const auto& entry : entries) {
      HKEY handle = nullptr;
      if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, entry.path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                          &handle, nullptr) != ERROR_SUCCESS) {
        return false;
      }
      const LSTATUS set = RegSetValueExW(
          handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.value.c_str()),
          static_cast<DWORD>((entry.value.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(handle);
      if (set != ERROR_SUCCESS) return false;
    }
  }
  return true;
}

// Every client of a class gets its one Application.
class ApplicationFactory final : public IClassFactory {
 public:
  explicit ApplicationFactory(AutomationObject* application) : application_(application) {}
  virtual ~ApplicationFactory() = default;

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *object = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Lives as long as the server; COM's references do not own it.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return application_->QueryInterface(riid, object);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  AutomationObject* application_;
};

corvane::standin::StandInHost* served = nullptr;
const Options* given = nullptr;
HWND documentWindow = nullptr;

long callsSoFar = 0;

// A crash, not an exit: no answer, no revocation, as a host that dies does.
void beforeEveryCall() {
  if (given->dieAt > 0 && ++callsSoFar == given->dieAt) TerminateProcess(GetCurrentProcess(), 3);
}

void afterEveryCall() {
  corvane::standin_server::refreshDocumentWindow(documentWindow);
  if (!given->dump.empty() || !given->svg.empty()) {
    const std::string error =
        corvane::standin_server::writeDocument(*served, given->dump, given->svg);
    if (!error.empty()) complain(error);
  }
}

// NAME:WxH@LEFT,TOP as a filled mask of 1 mm pixels.
corvane::standin::BitmapMask filledMask(const std::string& size, std::string& name) {
  const std::size_t colon = size.rfind(':');
  int width = 0;
  int height = 0;
  double left = 0;
  double top = 0;
  char end = 0;
  if (colon == std::string::npos || colon == 0 ||
      std::sscanf(size.c_str() + colon + 1, "%dx%d@%lf,%lf%c", &width, &height, &left, &top,
                  &end) != 4 ||
      width < 1 || height < 1 || width > 10000 || height > 10000) {
    throw std::invalid_argument("--bitmap wants NAME:WxH@LEFT,TOP");
  }
  name = size.substr(0, colon);
  return {left, top, 1,
          std::vector<std::string>(static_cast<std::size_t>(height),
                                   std::string(static_cast<std::size_t>(width), '#'))};
}

// Builds the document as the command line says; false with a message when
// it cannot.
bool prepare(corvane::standin::StandInHost& host, const Options& options) {
  // Started by a client, the drawing application holds no document.
  if (options.noDocument || options.embedding || !options.file.empty()) host.closeAllDocuments();
  if (!options.file.empty()) {
    const corvane::host::HostStatus opened = host.openPltDocument(options.file);
    if (!opened) {
      complain(opened.error().text);
      return false;
    }
  }
  try {
    for (const std::string& bitmap : options.bitmaps) {
      std::string name;
      corvane::standin::BitmapMask mask = filledMask(bitmap, name);
      host.addBitmap("Layer 1", name, std::move(mask));
    }
    if (options.select == "all") {
      host.selectAll();
    } else if (!options.select.empty()) {
      host.select(split(options.select, ','));
    }
    for (const std::string& failure : options.failures) {
      const std::vector<std::string> parts = split(failure, ':');
      if (parts.size() < 3) throw std::invalid_argument("--fail wants OPERATION:NTH:TEXT");
      std::string text = parts[2];
      for (std::size_t i = 3; i < parts.size(); ++i) text += ":" + parts[i];
      host.failCall(parts[0], std::stoi(parts[1]), text);
    }
  } catch (const std::exception& mistake) {
    complain(mistake.what());
    return false;
  }
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!parse(argc, argv, options)) return 2;
  if (options.registerServer || options.unregisterServer) {
    if (registerClasses(options.registerServer)) return 0;
    complain("the classes cannot be registered under HKEY_LOCAL_MACHINE");
    return 1;
  }

  corvane::standin::StandInHost host;
  if (!prepare(host, options)) return 1;
  served = &host;
  given = &options;

  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    complain("COM cannot be started");
    return 1;
  }
  const DWORD thread = GetCurrentThreadId();
  corvane::standin_server::ServerHooks hooks;
  hooks.quit = [thread] { PostThreadMessageW(thread, WM_QUIT, 0, 0); };
  hooks.visible = !options.embedding && !options.hidden;
  hooks.finishGivesNothing = options.finishGivesNothing;
  hooks.dump = [&host](const std::string& text, const std::string& svg) {
    return corvane::standin_server::writeDocument(host, text, svg);
  };
  corvane::standin_server::setAfterCall(afterEveryCall);
  corvane::standin_server::setBeforeCall(beforeEveryCall);

  struct Registration {
    AutomationObject* application = nullptr;
    ApplicationFactory* factory = nullptr;
    DWORD classCookie = 0;
    DWORD tableCookie = 0;
    bool classRegistered = false;
    bool tableRegistered = false;
  };
  std::vector<Registration> registrations;
  bool ready = true;
  // The class objects first: a client that COM started this server for
  // polls for them and gives up after about 30 s.
  for (const ServedClass& served_class : kClasses) {
    Registration entry;
    entry.application =
        corvane::standin_server::makeApplication(host, served_class.versionMajor, hooks);
    entry.factory = new ApplicationFactory(entry.application);
    CLSID clsid;
    CLSIDFromString(served_class.clsid, &clsid);
    entry.classRegistered = SUCCEEDED(CoRegisterClassObject(
        clsid, entry.factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &entry.classCookie));
    // A weak entry is lost once its first client lets go (under Wine).
    if (!options.hidden) {
      entry.tableRegistered = SUCCEEDED(
          RegisterActiveObject(entry.application, clsid, ACTIVEOBJECT_STRONG, &entry.tableCookie));
    }
    ready = ready && entry.classRegistered && (entry.tableRegistered || options.hidden);
    registrations.push_back(entry);
  }

  int status = 0;
  if (!ready) {
    complain("the classes cannot be offered to clients");
    status = 1;
  } else {
    if (!options.embedding && !options.hidden) {
      documentWindow = corvane::standin_server::createDocumentWindow(host);
    }
    afterEveryCall();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  // Always revoked: a class left registered by a dead server keeps new
  // clients from reaching a restarted one.
  for (Registration& entry : registrations) {
    if (entry.tableRegistered) RevokeActiveObject(entry.tableCookie, nullptr);
    if (entry.classRegistered) CoRevokeClassObject(entry.classCookie);
    CoDisconnectObject(entry.application, 0);
    entry.application->Release();
    delete entry.factory;
  }
  if (documentWindow && IsWindow(documentWindow)) DestroyWindow(documentWindow);
  CoUninitialize();
  return status;
}
