#include <windows.h>

#include <cstring>
#include <vector>

#include "common/win32/unique_handle.h"
#include "output/transport/win32_systems.h"

namespace corvane {

namespace {

// Value names such as \Device\Serial0 and data such as COM12 fit easily.
constexpr DWORD kSmallBuffer = 25;

class Win32SerialCommKey final : public SerialCommKey {
 public:
  explicit Win32SerialCommKey(UniqueRegistryKey key) : key_(std::move(key)) {}

  Read value(std::uint32_t index, std::string& data) override {
    char name[kSmallBuffer];
    BYTE bytes[kSmallBuffer];
    DWORD nameSize = kSmallBuffer;
    DWORD dataSize = kSmallBuffer;
    const LONG result =
        RegEnumValueA(key_.get(), index, name, &nameSize, nullptr, nullptr, bytes, &dataSize);
    if (result == ERROR_MORE_DATA) return readLong(index, data);
    if (result != ERROR_SUCCESS) return Read::End;
    data = text(bytes, dataSize);
    return Read::Value;
  }

 private:
  // A USB adapter's driver may name its value longer than the small
  // buffer; when it does, the data was not filled in, so read again with
  // the room the key says its longest name and data need.
  Read readLong(std::uint32_t index, std::string& data) {
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
      return Read::End;
    }
    std::vector<char> name(longestName + 1);
    std::vector<BYTE> bytes(longestData + 1);
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(bytes.size());
    if (RegEnumValueA(key_.get(), index, name.data(), &nameSize, nullptr, nullptr, bytes.data(),
                      &dataSize) != ERROR_SUCCESS) {
      return Read::End;
    }
    data = text(bytes.data(), dataSize);
    return Read::Value;
  }

  // REG_SZ data may or may not carry its terminating zero.
  static std::string text(const BYTE* bytes, DWORD size) {
    const char* chars = reinterpret_cast<const char*>(bytes);
    return std::string(chars, strnlen(chars, size));
  }

  UniqueRegistryKey key_;
};

}  // namespace

std::unique_ptr<SerialCommKey> Win32SerialCommRegistry::open() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM\\", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32SerialCommKey>(UniqueRegistryKey(key));
}

}  // namespace corvane
