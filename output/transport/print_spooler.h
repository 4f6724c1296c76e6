#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/transport/system_error.h"

namespace corvane {

// The queue record a new printer is created from; every other field of the
// system's record stays zero.
struct PrinterRecord {
  std::string printerName;
  std::string portName;
  std::string driverName;
  std::string printProcessor;
  // The queue's default data type. Every job on it is RAW anyway, and
  // Wine's spooler cannot open a queue created without one.
  std::string dataType;
};

// The print job's record.
struct DocumentRecord {
  std::string name;
  std::string outputFile;  // empty: the job goes to the queue's port
  std::string dataType;
};

// An open printer queue. The destructor closes it when close() was not
// called, so every failure road gives the queue back.
class PrinterConnection {
 public:
  virtual ~PrinterConnection();
  virtual Failure startDocument(const DocumentRecord& document) = 0;
  virtual Failure startPage() = 0;
  virtual WriteOutcome write(std::string_view bytes) = 0;
  virtual Failure endPage() = 0;
  virtual Failure endDocument() = 0;
  // Deletes the started job, so that a job that failed half-way is not
  // printed when the queue is closed.
  virtual void abortDocument() = 0;
  virtual Failure close() = 0;
};

// The print spooler's calls, swapped for a scripted fake in tests.
class PrintSpooler {
 public:
  virtual ~PrintSpooler();
  // The local ports in spooler order; no value when the list cannot be read.
  virtual std::optional<std::vector<std::string>> portNames() = 0;
  // The installed printer drivers; no value when the list cannot be read.
  virtual std::optional<std::vector<std::string>> driverNames() = 0;
  virtual Failure addPrinter(const PrinterRecord& record) = 0;
  // Null when the queue cannot be opened.
  virtual std::unique_ptr<PrinterConnection> openPrinter(const std::string& name) = 0;
  virtual void pause(std::chrono::milliseconds duration) = 0;
};

}  // namespace corvane
