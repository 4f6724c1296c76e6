#include <windows.h>
#include <tlhelp32.h>

#include "output/program/single_instance_win32.h"
#include "common/win32/wide_text.h"

namespace corvane {

InstanceClaim claimSingleInstance(std::string_view mutexName) {
  InstanceClaim claim;
  claim.mutex = UniqueKernelHandle(CreateMutexW(nullptr, TRUE, wideText(mutexName).c_str()));
  claim.anotherCopyRuns = GetLastError() == ERROR_ALREADY_EXISTS;
  return claim;
}

void killOutputInstances(std::string_view imageName) {
  HANDLE raw = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  UniqueKernelHandle snapshot(raw == INVALID_HANDLE_VALUE ? nullptr : raw);
  if (!snapshot) return;
  const std::wstring wanted = wideText(imageName);
  const DWORD self = GetCurrentProcessId();
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  if (!Process32FirstW(snapshot.get(), &entry)) return;
  while (Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == self || lstrcmpiW(entry.szExeFile, wanted.c_str()) != 0) continue;
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
    if (process) TerminateProcess(process.get(), 0);
  }
}

}  // namespace corvane
