// Writes a text to a COM port or prints it RAW to a printer port, the two
// roads by which a job reaches a cutter. The bench's port helpers are
// proven with it: the text must arrive at the Linux end they name.
//
//   corvane-port-probe serial COM7 TEXT
//   corvane-port-probe print USB007 TEXT
//
// Exit code 0 when every step succeeded; otherwise the failed step is on stderr.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

int fail(const char* step) {
  std::fprintf(stderr, "%s failed: error %lu\n", step, GetLastError());
  return 1;
}

bool listedAsSerialPort(const std::wstring& port) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  bool listed = false;
  for (DWORD index = 0; !listed; ++index) {
    wchar_t name[256];
    wchar_t data[64];
    DWORD nameLength = 256;
    DWORD dataSize = sizeof data;
    DWORD type = 0;
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data),
                      &dataSize) != ERROR_SUCCESS) {
      break;
    }
    listed = type == REG_SZ && port == data;
  }
  RegCloseKey(key);
  return listed;
}

int writeSerial(const std::wstring& port, const std::string& text) {
  if (!listedAsSerialPort(port)) return fail("finding the port in SERIALCOMM");
  const std::wstring device = L"\\\\.\\" + port;
  HANDLE handle = CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return fail("CreateFileW");
  DCB state{};
  state.DCBlength = sizeof state;
  int result = 0;
  if (!GetCommState(handle, &state)) {
    result = fail("GetCommState");
  } else {
    state.BaudRate = CBR_38400;
    state.ByteSize = 8;
    state.Parity = NOPARITY;
    state.StopBits = ONESTOPBIT;
    DWORD written = 0;
    if (!SetCommState(handle, &state)) {
      result = fail("SetCommState");
    } else if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written,
                          nullptr) ||
               written != text.size()) {
      result = fail("WriteFile");
    }
  }
  CloseHandle(handle);
  return result;
}

// The smallest printer description Wine's PostScript driver accepts; the
// jobs are RAW, so it never renders anything.
constexpr char kDescription[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*ModelName: \"Corvane Bench\"\n"
    "*NickName: \"Corvane Bench\"\n*DefaultPageSize: A4\n"
    "*PageSize A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
    "*DefaultImageableArea: A4\n*ImageableArea A4: \"0 0 595 842\"\n"
    "*DefaultPaperDimension: A4\n*PaperDimension A4: \"595 842\"\n";

int printRaw(const std::wstring& port, const std::string& text) {
  const std::filesystem::path description =
      std::filesystem::temp_directory_path() / L"corvane-bench.ppd";
  std::ofstream(description, std::ios::binary) << kDescription;
  std::wstring driverName = L"Corvane Bench Raw";
  std::wstring engine = L"wineps.drv";
  std::wstring dataFile = description.wstring();
  std::wstring raw = L"RAW";
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = driverName.data();
  driver.pDriverPath = engine.data();
  driver.pConfigFile = engine.data();
  driver.pDataFile = dataFile.data();
  driver.pDefaultDataType = raw.data();
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                           APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)) {
    return fail("AddPrinterDriverExW");
  }

  std::wstring printerName = L"Bench printer for " + port;
  std::wstring portName = port;
  std::wstring processor = L"WinPrint";
  PRINTER_INFO_2W printer{};
  printer.pPrinterName = printerName.data();
  printer.pPortName = portName.data();
  printer.pDriverName = driverName.data();
  printer.pPrintProcessor = processor.data();
  printer.pDatatype = raw.data();
  HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (added == nullptr && GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) {
    return fail("AddPrinterW");
  }
  if (added != nullptr) ClosePrinter(added);

  HANDLE queue = nullptr;
  if (!OpenPrinterW(printerName.data(), &queue, nullptr)) return fail("OpenPrinterW");
  std::wstring jobName = L"Bench job";
  DOC_INFO_1W document{jobName.data(), nullptr, raw.data()};
  int result = 0;
  DWORD written = 0;
  if (StartDocPrinterW(queue, 1, reinterpret_cast<BYTE*>(&document)) == 0) {
    result = fail("StartDocPrinterW");
  } else {
    if (!StartPagePrinter(queue) ||
        !WritePrinter(queue, const_cast<char*>(text.data()), static_cast<DWORD>(text.size()),
                      &written) ||
        written != text.size() || !EndPagePrinter(queue)) {
      result = fail("writing the job");
    }
    if (!EndDocPrinter(queue) && result == 0) result = fail("EndDocPrinter");
  }
  ClosePrinter(queue);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: corvane-port-probe serial|print PORT TEXT\n");
    return 2;
  }
  const std::wstring mode = argv[1];
  const std::wstring port = argv[2];
  const std::wstring wideText = argv[3];
  const std::string text(wideText.begin(), wideText.end());  // ASCII by contract
  if (mode == L"serial") return writeSerial(port, text);
  if (mode == L"print") return printRaw(port, text);
  return 2;
}
