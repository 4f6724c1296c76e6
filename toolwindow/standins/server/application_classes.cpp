#include "toolwindow/standins/server/application_classes.h"

#include <oleauto.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "toolwindow/standins/server/object_model/objects.h"

namespace corvane::standin_server {
namespace {

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

}  // namespace

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
  ApplicationFactory(ServerState& state, std::int32_t versionMajor)
      : application_(new Application(state, versionMajor)) {}
  virtual ~ApplicationFactory() {
    CoDisconnectObject(application_, 0);
    application_->Release();
  }
  ApplicationFactory(const ApplicationFactory&) = delete;
  ApplicationFactory& operator=(const ApplicationFactory&) = delete;

  AutomationObject* application() const { return application_; }

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

ApplicationClasses::ApplicationClasses(ServerSettings settings) : state_(std::move(settings)) {}

ApplicationClasses::~ApplicationClasses() { withdraw(); }

bool ApplicationClasses::offer(bool hidden) {
  bool ready = true;
  for (const ServedClass& served : kClasses) {
    Offer entry;
    entry.factory = std::make_unique<ApplicationFactory>(state_, served.versionMajor);
    CLSID clsid;
    CLSIDFromString(served.clsid, &clsid);
    entry.classRegistered = SUCCEEDED(CoRegisterClassObject(
        clsid, entry.factory.get(), CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &entry.classCookie));
    // A weak entry is lost once its first client lets go (under Wine).
    if (!hidden) {
      entry.tableRegistered = SUCCEEDED(RegisterActiveObject(
          entry.factory->application(), clsid, ACTIVEOBJECT_STRONG, &entry.tableCookie));
    }
    ready = ready && entry.classRegistered && (entry.tableRegistered || hidden);
    offers_.push_back(std::move(entry));
  }
  return ready;
}

void ApplicationClasses::withdraw() {
  for (Offer& entry : offers_) {
    if (entry.tableRegistered) RevokeActiveObject(entry.tableCookie, nullptr);
    if (entry.classRegistered) CoRevokeClassObject(entry.classCookie);
    entry.factory.reset();
  }
  offers_.clear();
}

}  // namespace corvane::standin_server
