// corvane-standin-server.exe: the stand-in drawing host as an out-of-process
// automation server, for the tool window's tests and for trying the tool
// window without the drawing application. It serves the host's object model
// (object_model/) over one stand-in host to clients of the three
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

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/win32/wide_text.h"
#include "toolwindow/standins/host/standin_host.h"
#include "toolwindow/standins/server/application_classes.h"
#include "toolwindow/standins/server/state/server_state.h"

namespace {

using corvane::standin_server::complain;

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

corvane::standin_server::ServerSettings settingsOf(const Options& options) {
  corvane::standin_server::ServerSettings settings;
  settings.dieAt = options.dieAt;
  settings.finishGivesNothing = options.finishGivesNothing;
  settings.visible = !options.embedding && !options.hidden;
  settings.dumpPath = options.dump;
  settings.svgPath = options.svg;
  return settings;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!parse(argc, argv, options)) return 2;
  if (options.registerServer || options.unregisterServer) {
    if (corvane::standin_server::registerClasses(options.registerServer)) return 0;
    complain("the classes cannot be registered under HKEY_LOCAL_MACHINE");
    return 1;
  }

  corvane::standin_server::ApplicationClasses classes(settingsOf(options));
  corvane::standin_server::ServerState& state = classes.state();
  if (!prepare(state.host(), options)) return 1;

  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    complain("COM cannot be started");
    return 1;
  }
  int status = 0;
  if (!classes.offer(options.hidden)) {
    complain("the classes cannot be offered to clients");
    status = 1;
  } else {
    if (!options.embedding && !options.hidden) state.openDocumentWindow();
    state.showDocument();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  classes.withdraw();
  state.closeDocumentWindow();
  CoUninitialize();
  return status;
}
