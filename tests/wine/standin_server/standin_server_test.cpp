// corvane-standin-server.exe as a client of the drawing host meets it: found
// through each application class, every call form the binding uses, and
// the errors a type-library dispatcher gives a client that calls wrongly.
// The server must be registered in the bench's prefix (the
// StandInServerRegistered test does it).
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

#include "tests/wine/driver/gui_driver.h"
#include "tests/wine/standin_server/automation_client.h"

namespace corvane::wine {
namespace {

struct ServedClass {
  const wchar_t* clsid;
  LONG versionMajor;
};

constexpr ServedClass kClasses[] = {
    {L"{71620001-E2D3-6894-439C-2598D1947150}", 16},
    {L"{4A110001-2109-4B5D-BC63-17AE8914E384}", 13},
    {L"{7A000001-8012-4257-B144-A4FA512BA689}", 14},
};

// Two rectangles, 10..50 x 10..40 mm and 60..90 x 10..40 mm.
constexpr const char* kDrawing =
    "IN;PU400,400;PD2000,400,2000,1600,400,1600,400,400;"
    "PU2400,400;PD3600,400,3600,1600,2400,1600,2400,400;PU;";

CLSID classId(const wchar_t* text) {
  CLSID id{};
  CLSIDFromString(text, &id);
  return id;
}

std::wstring temporaryFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"corvane-standin-" + std::to_wstring(GetCurrentProcessId()) +
         L"-" + name;
}

std::string readAll(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

IDispatch* activeApplication(const wchar_t* clsid) {
  IUnknown* unknown = nullptr;
  // Wine may answer S_FALSE with no object.
  if (FAILED(GetActiveObject(classId(clsid), nullptr, &unknown)) || unknown == nullptr) {
    return nullptr;
  }
  IDispatch* application = nullptr;
  unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&application));
  unknown->Release();
  return application;
}

// The result object of a call that must succeed; the caller releases it.
IDispatch* object(IDispatch* from, const wchar_t* name, std::initializer_list<Variant> args = {}) {
  Reply reply = invoke(from, name, kGet, args);
  EXPECT_EQ(reply.result, S_OK) << utf8(name);
  IDispatch* got = reply.value.dispatch();
  if (got) got->AddRef();
  return got;
}

void put(IDispatch* to, const wchar_t* name, const Variant& value) {
  EXPECT_EQ(invoke(to, name, DISPATCH_PROPERTYPUT, {value}).result, S_OK) << utf8(name);
}

void call(IDispatch* on, const wchar_t* name, std::initializer_list<Variant> args = {}) {
  EXPECT_EQ(invoke(on, name, DISPATCH_METHOD, args).result, S_OK) << utf8(name);
}

// Releases what a test fetched when it ends.
class Held {
 public:
  ~Held() {
    for (IDispatch* object : objects_) {
      if (object) object->Release();
    }
  }
  IDispatch* operator()(IDispatch* object) {
    objects_.push_back(object);
    return object;
  }

 private:
  std::vector<IDispatch*> objects_;
};

class StandInServerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring drawing = temporaryFile(L"drawing.plt");
    std::ofstream(std::filesystem::path(drawing), std::ios::binary) << kDrawing;
    server = new Launched(wide("Z:" CORVANE_STANDIN_SERVER), L"\"" + drawing + L"\" --select all");
    waitUntil([] { return (application = activeApplication(kClasses[0].clsid)) != nullptr; });
  }

  static void TearDownTestSuite() {
    if (application) {
      invoke(application, L"Quit", DISPATCH_METHOD);
      application->Release();
      application = nullptr;
    }
    if (server) server->waitForExit();
    delete server;
    CoUninitialize();
  }

  void SetUp() override { ASSERT_NE(application, nullptr) << "the server did not come up"; }

  static Launched* server;
  static IDispatch* application;
};

Launched* StandInServerTest::server = nullptr;
IDispatch* StandInServerTest::application = nullptr;

TEST_F(StandInServerTest, EveryApplicationClassReachesTheOneDocumentBothWays) {
  for (const ServedClass& served : kClasses) {
    SCOPED_TRACE(utf8(served.clsid));
    IDispatch* active = activeApplication(served.clsid);
    IDispatch* created = nullptr;
    CoCreateInstance(classId(served.clsid), nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                     reinterpret_cast<void**>(&created));
    ASSERT_NE(active, nullptr);
    ASSERT_NE(created, nullptr);
    for (IDispatch* app : {active, created}) {
      EXPECT_EQ(V_I4(invoke(app, L"VersionMajor", kGet).value.get()), served.versionMajor);
      EXPECT_EQ(V_BOOL(invoke(app, L"Visible", kGet).value.get()), VARIANT_TRUE);
      Held held;
      EXPECT_EQ(V_I4(invoke(held(object(app, L"Documents")), L"Count", kGet).value.get()), 1);
    }
    active->Release();
    created->Release();
  }
}

TEST_F(StandInServerTest, ExportsTheSelectionWithTheFilterPropertiesPut) {
  Held held;
  IDispatch* document = held(object(application, L"ActiveDocument"));
  put(document, L"DrawingOriginX", Variant::real(0));
  put(document, L"DrawingOriginY", Variant::real(0));
  put(document, L"Unit", Variant::int32(3));
  put(document, L"ReferencePoint", Variant::int32(3));
  double box[4] = {};
  call(held(object(application, L"ActiveSelectionRange")), L"GetBoundingBox",
       {Variant::outReal(&box[0]), Variant::outReal(&box[1]), Variant::outReal(&box[2]),
        Variant::outReal(&box[3]), Variant::flag(false)});
  EXPECT_EQ((std::vector<double>{box[0], box[1], box[2], box[3]}),
            (std::vector<double>{10, 10, 80, 30}));

  const std::wstring file = temporaryFile(L"export.plt");
  IDispatch* options = held(object(application, L"CreateStructExportOptions"));
  IDispatch* filter =
      held(object(document, L"ExportEx",
                  {Variant::text(file.c_str()), Variant::int32(1281), Variant::int32(2),
                   Variant::object(options), Variant::object(nullptr)}));
  ASSERT_NE(filter, nullptr);
  put(filter, L"ScaleFactor", Variant::real(100));
  put(filter, L"PlotterUnits", Variant::int16(1016));
  put(filter, L"RemoveHiddenLines", Variant::flag(true));  // VARIANT_TRUE, -1
  call(filter, L"Finish");
  EXPECT_NE(readAll(file).find("PD2000,400"), std::string::npos) << readAll(file);
}

struct Refusal {
  const char* what;
  std::function<Reply(IDispatch* application)> send;
  HRESULT expected;
  UINT argError = ~0u;
};

TEST_F(StandInServerTest, RefusesCallsATypeLibraryDispatcherWouldRefuse) {
  const Refusal refusals[] = {
      {"unknown name",
       [](IDispatch* app) { return invoke(app, L"CreateCMYKColour", DISPATCH_METHOD); },
       DISP_E_UNKNOWNNAME},
      {"text for an I4",
       [](IDispatch* app) {
         return invoke(
             app, L"CreateCMYKColor", DISPATCH_METHOD,
             {Variant::int32(0), Variant::text(L"red"), Variant::int32(0), Variant::int32(0)});
       },
       DISP_E_TYPEMISMATCH, 2},
      {"a document for the export options",
       [](IDispatch* app) {
         Held held;
         IDispatch* document = held(object(app, L"ActiveDocument"));
         return invoke(document, L"ExportEx", DISPATCH_METHOD,
                       {Variant::text(L"C:\\unused.plt"), Variant::int32(1281), Variant::int32(2),
                        Variant::object(document), Variant::object(nullptr)});
       },
       DISP_E_TYPEMISMATCH, 1},
      {"an [out] double by value",
       [](IDispatch* app) {
         Held held;
         return invoke(held(object(app, L"ActiveSelectionRange")), L"GetBoundingBox",
                       DISPATCH_METHOD,
                       {Variant::real(0), Variant::real(0), Variant::real(0), Variant::real(0)});
       },
       DISP_E_TYPEMISMATCH, 3},
      {"three of four colour values",
       [](IDispatch* app) {
         return invoke(app, L"CreateCMYKColor", DISPATCH_METHOD,
                       {Variant::int32(0), Variant::int32(0), Variant::int32(0)});
       },
       DISP_E_BADPARAMCOUNT},
      {"a put on a read-only count",
       [](IDispatch* app) {
         Held held;
         return invoke(held(object(app, L"Documents")), L"Count", DISPATCH_PROPERTYPUT,
                       {Variant::int32(2)});
       },
       DISP_E_MEMBERNOTFOUND},
      {"a method called as a property",
       [](IDispatch* app) {
         Held held;
         IDispatch* layer = held(object(app, L"ActiveLayer"));
         return invoke(held(object(layer, L"Shapes")), L"All", DISPATCH_PROPERTYGET);
       },
       DISP_E_MEMBERNOTFOUND},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.what);
    const Reply reply = refusal.send(application);
    EXPECT_EQ(reply.result, refusal.expected);
    if (refusal.argError != ~0u) {
      EXPECT_EQ(reply.argError, refusal.argError);
    }
  }
}

struct Acceptance {
  const char* what;
  std::function<Reply(IDispatch* application)> send;
};

Variant missing() {
  Variant v;
  V_VT(v.get()) = VT_ERROR;
  V_ERROR(v.get()) = DISP_E_PARAMNOTFOUND;
  return v;
}

TEST_F(StandInServerTest, AcceptsWhatATypeLibraryDispatcherAccepts) {
  const Acceptance acceptances[] = {
      {"I2 and numeric text for I4s",
       [](IDispatch* app) {
         return invoke(
             app, L"CreateCMYKColor", DISPATCH_METHOD,
             {Variant::int16(0), Variant::text(L"100"), Variant::int32(100), Variant::int32(0)});
       }},
      {"an optional argument marked missing",
       [](IDispatch* app) { return invoke(app, L"CreateCurve", DISPATCH_METHOD, {missing()}); }},
      {"[out] doubles as VT_BYREF|VT_VARIANT",
       [](IDispatch* app) {
         Held held;
         VARIANT out[4];
         std::vector<Variant> refs(4);
         for (std::size_t i = 0; i < 4; ++i) {
           VariantInit(&out[i]);
           V_VT(refs[i].get()) = VT_BYREF | VT_VARIANT;
           V_VARIANTREF(refs[i].get()) = &out[i];
         }
         Reply reply = invoke(held(object(app, L"ActiveSelectionRange")), L"GetBoundingBox",
                              DISPATCH_METHOD, {refs[0], refs[1], refs[2], refs[3]});
         if (V_VT(&out[2]) != VT_R8 || V_R8(&out[2]) != 80) reply.result = E_FAIL;
         for (Variant& ref : refs) V_VT(ref.get()) = VT_EMPTY;  // points at the stack
         return reply;
       }},
      {"a boundary with an empty parameter array",
       [](IDispatch* app) {
         Held held;
         SAFEARRAY* none = SafeArrayCreateVector(VT_VARIANT, 0, 0);
         Variant parameters;
         V_VT(parameters.get()) = VT_ARRAY | VT_VARIANT;
         V_ARRAY(parameters.get()) = none;
         Reply reply =
             invoke(held(object(app, L"ActiveSelectionRange")), L"CustomCommand", DISPATCH_METHOD,
                    {Variant::text(L"Boundary"), Variant::text(L"CreateBoundary"), parameters});
         if (IDispatch* made = reply.value.dispatch()) call(made, L"Delete");
         return reply;
       }},
  };
  for (const Acceptance& acceptance : acceptances) {
    SCOPED_TRACE(acceptance.what);
    EXPECT_EQ(acceptance.send(application).result, S_OK);
  }
}

TEST_F(StandInServerTest, AFailedHostOperationComesBackWithItsText) {
  call(application, L"StandInFailCall",
       {Variant::text(L"CountOpenDocuments"), Variant::int32(1), Variant::text(L"Host busy.")});
  Held held;
  const Reply reply = invoke(held(object(application, L"Documents")), L"Count", kGet);
  EXPECT_EQ(reply.result, DISP_E_EXCEPTION);
  EXPECT_EQ(reply.description, L"Host busy.");
  const Reply log = invoke(application, L"StandInCallLog", kGet);
  EXPECT_NE(std::wstring(V_BSTR(log.value.get())).find(L"CountOpenDocuments()\n"),
            std::wstring::npos);
}

// What the tool window's trace and marks do, through the object model; the
// server's window is kept as a picture.
TEST_F(StandInServerTest, TraceLineAndMarksAppearInTheDocument) {
  Held held;
  IDispatch* document = held(object(application, L"ActiveDocument"));
  put(document, L"Unit", Variant::int32(3));
  IDispatch* selection = held(object(application, L"ActiveSelectionRange"));
  IDispatch* boundary = held(object(
      selection, L"CustomCommand", {Variant::text(L"Boundary"), Variant::text(L"CreateBoundary")}));
  ASSERT_NE(boundary, nullptr);
  IDispatch* red = held(
      object(application, L"CreateCMYKColor",
             {Variant::int32(0), Variant::int32(100), Variant::int32(100), Variant::int32(0)}));
  IDispatch* effect = held(object(
      boundary, L"CreateContour",
      {Variant::int32(1), Variant::real(2.75), Variant::int32(1), Variant::int32(0),
       Variant::object(red), Variant::object(nullptr), Variant::object(nullptr), Variant::int32(0),
       Variant::int32(0), Variant::int32(2), Variant::int32(4), Variant::real(15)}));
  ASSERT_NE(effect, nullptr);
  IDispatch* parts = held(object(effect, L"Separate"));
  IDispatch* page = held(object(document, L"ActivePage"));
  IDispatch* traceLayer = held(object(page, L"CreateLayer", {Variant::text(L"TraceLayer")}));
  IDispatch* traceLine = held(object(held(object(parts, L"Item", {Variant::int32(1)})),
                                     L"CopyToLayer", {Variant::object(traceLayer)}));
  call(parts, L"Delete");
  put(traceLine, L"Name", Variant::text(L"TraceLine"));
  call(held(object(held(object(traceLine, L"Outline")), L"Color")), L"CMYKAssign",
       {Variant::int32(0), Variant::int32(100), Variant::int32(100), Variant::int32(0)});
  put(traceLayer, L"Printable", Variant::flag(false));

  IDispatch* markLayer = held(object(page, L"CreateLayer", {Variant::text(L"MarkLayer")}));
  const double corners[4][2] = {{-12, -12}, {112, -12}, {112, 62}, {-12, 62}};
  for (const auto& corner : corners) {
    const double dx = corner[0] < 0 ? 8 : -8;
    const double dy = corner[1] < 0 ? 8 : -8;
    IDispatch* curve = held(object(application, L"CreateCurve", {Variant::object(document)}));
    IDispatch* subpath = held(
        object(curve, L"CreateSubPath", {Variant::real(corner[0]), Variant::real(corner[1] + dy)}));
    call(subpath, L"AppendLineSegment", {Variant::real(corner[0]), Variant::real(corner[1])});
    call(subpath, L"AppendLineSegment", {Variant::real(corner[0] + dx), Variant::real(corner[1])});
    IDispatch* mark = held(object(markLayer, L"CreateCurve", {Variant::object(curve)}));
    put(mark, L"Name", Variant::text(L"MarkLine"));
    put(held(object(mark, L"Outline")), L"Width", Variant::real(1.0));
  }

  const std::wstring dump = temporaryFile(L"document.txt");
  call(application, L"StandInDump", {Variant::text(dump.c_str())});
  const std::string text = readAll(dump);
  EXPECT_NE(text.find("layer \"TraceLayer\" not-printable\n"
                      "  shape \"TraceLine\" curve outline CMYK 0,100,100,0 width 0.2 box "
                      "7.25 92.75 42.75 7.25\n"
                      "layer \"MarkLayer\" printable\n"
                      "  shape \"MarkLine\" open-curve outline CMYK 0,0,0,100 width 1 box"),
            std::string::npos)
      << text;
  if (const char* folder = std::getenv("CORVANE_ARTIFACTS")) {
    ASSERT_NE(findWindow(server->processId(), "Corvane stand-in host"), nullptr);
    EXPECT_TRUE(takeScreenshot(std::string(folder) + "/standin-server.png"));
  }
}

// Started by COM (no server running): no document, hidden, up until Quit.
TEST(StandInServerStartedByCom, ServesNoDocumentHiddenUntilQuit) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const wchar_t* x4 = kClasses[2].clsid;
  IDispatch* app = nullptr;
  ASSERT_EQ(CoCreateInstance(classId(x4), nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                             reinterpret_cast<void**>(&app)),
            S_OK);
  {
    Held held;
    EXPECT_EQ(V_I4(invoke(held(object(app, L"Documents")), L"Count", kGet).value.get()), 0);
    EXPECT_EQ(V_BOOL(invoke(app, L"Visible", kGet).value.get()), VARIANT_FALSE);
    EXPECT_EQ(invoke(app, L"Quit", DISPATCH_METHOD).result, S_OK);
  }
  app->Release();
  EXPECT_TRUE(waitUntil([x4] {
    IDispatch* still = activeApplication(x4);
    if (still) still->Release();
    return still == nullptr;
  }));
  CoUninitialize();
}

}  // namespace
}  // namespace corvane::wine
