#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/operator.h"
#include "output/transport/port.h"
#include "output/transport/print_spooler.h"

namespace corvane {

// A USB cutter is a spooler port (USB001, ...). It is printed to through a
// queue of our own on that port, created the first time it is needed.
std::string usbQueueName(const std::string& port);

// Adds every spooler port whose name begins with "USB"; false when the
// spooler's port list cannot be read.
bool listUsbPorts(PrintSpooler& spooler, std::vector<std::string>& ports);

// Creates the queue for the port with the first installed driver. True also
// when the creation itself was refused (the operator has been told).
bool addUsbPrinter(PrintSpooler& spooler, const std::string& port, Operator& op);

// The checks every USB send starts with, on every system: false, with the
// operator told, when the port or the text / file name is empty.
bool usbTextRequestValid(const std::string& port, std::string_view text, Operator& op);
bool usbFileRequestValid(const std::string& port, const std::filesystem::path& path, Operator& op);

// Prints the text as one RAW job of one page titled documentName. True only
// when the spooler took the whole job.
bool sendTextUsb(PrintSpooler& spooler, const std::string& port, std::string_view text,
                 const std::string& documentName, Operator& op);

// Prints the whole file as one RAW job; a file that cannot be read is
// reported and no job is started.
bool sendFileUsb(PrintSpooler& spooler, const std::string& port, const std::filesystem::path& path,
                 const std::string& documentName, Operator& op, const SendProgress& progress = {});

}  // namespace corvane
