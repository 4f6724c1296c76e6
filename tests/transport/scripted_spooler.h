#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "output/transport/print_spooler.h"

namespace corvane::test {

// A print spooler that keeps a log of the calls made to it and fails the
// steps it is told to fail.
class ScriptedSpooler final : public PrintSpooler {
 public:
  std::optional<std::vector<std::string>> portNames() override {
    log.push_back("EnumPorts");
    return ports;
  }
  std::optional<std::vector<std::string>> driverNames() override {
    log.push_back("EnumPrinterDrivers");
    return drivers;
  }
  Failure addPrinter(const PrinterRecord& record) override {
    log.push_back("AddPrinter " + record.printerName);
    added.push_back(record);
    if (fails("AddPrinter")) return SystemError{"AddPrinter", 1797, "unknown printer driver"};
    queues.insert(record.printerName);
    return {};
  }
  std::unique_ptr<PrinterConnection> openPrinter(const std::string& name) override {
    log.push_back("OpenPrinter " + name);
    if (queues.count(name) == 0 || fails("OpenPrinter")) return nullptr;
    return std::make_unique<Connection>(*this);
  }
  void pause(std::chrono::milliseconds duration) override {
    log.push_back("Sleep " + std::to_string(duration.count()));
  }

  std::optional<std::vector<std::string>> ports = std::vector<std::string>{};
  std::optional<std::vector<std::string>> drivers = std::vector<std::string>{"Generic"};
  std::set<std::string> queues;
  std::set<std::string> failing;  // step names that fail
  std::size_t writeLimit = static_cast<std::size_t>(-1);

  std::vector<std::string> log;
  std::vector<PrinterRecord> added;
  std::vector<DocumentRecord> documents;
  std::string printed;
  int openPrinters = 0;

 private:
  bool fails(const std::string& step) const { return failing.count(step) != 0; }

  Failure step(const char* name) {
    log.push_back(name);
    if (fails(name)) return SystemError{name, 5, "Access is denied."};
    return {};
  }

  class Connection final : public PrinterConnection {
   public:
    explicit Connection(ScriptedSpooler& spooler) : spooler_(spooler) { ++spooler_.openPrinters; }
    ~Connection() override {
      if (!closed_) close();
    }
    Failure startDocument(const DocumentRecord& document) override {
      spooler_.documents.push_back(document);
      return spooler_.step("StartDocPrinter");
    }
    Failure startPage() override { return spooler_.step("StartPagePrinter"); }
    WriteOutcome write(std::string_view bytes) override {
      spooler_.log.push_back("WritePrinter " + std::to_string(bytes.size()));
      if (spooler_.fails("WritePrinter")) return {0, SystemError{"WritePrinter", 6, ""}};
      const std::size_t taken = std::min(bytes.size(), spooler_.writeLimit);
      spooler_.printed.append(bytes.substr(0, taken));
      return {taken, {}};
    }
    Failure endPage() override { return spooler_.step("EndPagePrinter"); }
    Failure endDocument() override { return spooler_.step("EndDocPrinter"); }
    void abortDocument() override { spooler_.log.push_back("AbortPrinter"); }
    Failure close() override {
      closed_ = true;
      --spooler_.openPrinters;
      return spooler_.step("ClosePrinter");
    }

   private:
    ScriptedSpooler& spooler_;
    bool closed_ = false;
  };
};

}  // namespace corvane::test
