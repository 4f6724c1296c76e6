#include "output/transport/cups_queue_posix.h"

#include <cups/cups.h>

#include <algorithm>
#include <iterator>
#include <memory>

namespace corvane {

namespace {

struct HttpCloser {
  void operator()(http_t* http) const { httpClose(http); }
};
using UniqueHttp = std::unique_ptr<http_t, HttpCloser>;

struct IppDeleter {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using UniqueIpp = std::unique_ptr<ipp_t, IppDeleter>;

// Pieces handed to the server at a time, so a terminal can show progress.
constexpr std::size_t kPieceBytes = 65536;
constexpr int kConnectTimeoutMs = 30000;

SystemError cupsError(const char* step) {
  return SystemError{step, static_cast<long>(cupsLastError()), cupsLastErrorString()};
}

UniqueHttp connectToServer() {
  return UniqueHttp(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                 kConnectTimeoutMs, nullptr));
}

std::string attributeText(ipp_attribute_t* attribute) {
  const char* text = attribute != nullptr ? ippGetString(attribute, 0, nullptr) : nullptr;
  return text != nullptr ? text : "";
}

}  // namespace

std::variant<std::vector<PortEntry>, SystemError> listCupsUsbQueues() {
  UniqueHttp http = connectToServer();
  if (!http) return SystemError{"connect to the print server", 0, cupsServer()};
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
  static const char* const kWanted[] = {"printer-name", "device-uri", "printer-info",
                                        "printer-make-and-model"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(kWanted)), nullptr, kWanted);
  UniqueIpp response(cupsDoRequest(http.get(), request, "/"));
  // A server without any queue answers "not found".
  if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) return std::vector<PortEntry>{};
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    return cupsError("list the print queues");
  }

  std::vector<PortEntry> queues;
  std::string name, uri, info;
  auto flush = [&] {
    if (!name.empty() && uri.compare(0, 4, "usb:") == 0) {
      queues.push_back({name, PortKind::UsbQueue, info});
    }
    name.clear();
    uri.clear();
    info.clear();
  };
  for (ipp_attribute_t* a = ippFirstAttribute(response.get()); a != nullptr;
       a = ippNextAttribute(response.get())) {
    const char* attributeName = ippGetName(a);
    if (attributeName == nullptr) {  // separator between printers
      flush();
      continue;
    }
    const std::string_view key = attributeName;
    if (key == "printer-name") name = attributeText(a);
    if (key == "device-uri") uri = attributeText(a);
    if (key == "printer-info" && info.empty()) info = attributeText(a);
    if (key == "printer-make-and-model" && info.empty()) info = attributeText(a);
  }
  flush();
  return queues;
}

bool printToCupsQueue(const std::string& queue, std::string_view bytes, const std::string& title,
                      Operator& op, const SendProgress& progress) {
  auto fail = [&](const SystemError& error) {
    op.tell(MessageKind::Stop, "Printing to " + queue + " failed: " + describe(error));
    return false;
  };
  UniqueHttp http = connectToServer();
  if (!http) return fail({"connect to the print server", 0, cupsServer()});
  const int job = cupsCreateJob(http.get(), queue.c_str(), title.c_str(), 0, nullptr);
  if (job == 0) return fail(cupsError("create the job"));

  auto cancel = [&](const SystemError& error) {
    cupsCancelJob2(http.get(), queue.c_str(), job, 0);
    return fail(error);
  };
  if (cupsStartDocument(http.get(), queue.c_str(), job, title.c_str(), CUPS_FORMAT_RAW, 1) !=
      HTTP_STATUS_CONTINUE) {
    return cancel(cupsError("start the document"));
  }
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const std::size_t piece = std::min(kPieceBytes, bytes.size() - sent);
    if (cupsWriteRequestData(http.get(), bytes.data() + sent, piece) != HTTP_STATUS_CONTINUE) {
      cupsFinishDocument(http.get(), queue.c_str());
      return cancel(SystemError{"write the document after " + std::to_string(sent) + " of " +
                                    std::to_string(bytes.size()) + " bytes",
                                static_cast<long>(cupsLastError()), cupsLastErrorString()});
    }
    sent += piece;
    if (progress) progress(sent, bytes.size());
  }
  if (cupsFinishDocument(http.get(), queue.c_str()) > IPP_STATUS_OK_CONFLICTING) {
    return cancel(cupsError("finish the document"));
  }
  if (bytes.empty() && progress) progress(0, 0);
  return true;
}

}  // namespace corvane
