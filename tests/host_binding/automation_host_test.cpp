#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/host_binding/fake_dispatch.h"
#include "toolwindow/binding/automation_host_win32.h"
#include "toolwindow/binding/com_apartment_win32.h"

namespace corvane::host {
namespace {

using testing::FailsWith;
using testing::FakeDispatch;
using testing::Raises;
using testing::Returns;
using testing::WritesDoubles;

const std::vector<VARTYPE> kNoTypes;
constexpr VARTYPE kOutDouble = VT_BYREF | VT_R8;

class CountingConnector final : public HostConnector {
 public:
  CountingConnector(FakeDispatch& application, int& connects, HRESULT& failure)
      : application_(application), connects_(connects), failure_(failure) {}
  ConnectOutcome Connect() override {
    ++connects_;
    if (FAILED(failure_)) return {{}, failure_};
    return {ComRef<IDispatch>::Share(&application_), S_OK};
  }

 private:
  FakeDispatch& application_;
  int& connects_;
  HRESULT& failure_;
};

// One double plays the application and every object it hands out.
class AutomationHostTest : public ::testing::Test {
 protected:
  FakeDispatch app;
  int connects = 0;
  HRESULT connectFailure = S_OK;
  AutomationHost host{std::make_unique<CountingConnector>(app, connects, connectFailure)};

  Document AnyDocument() { return host.GetActiveDocument().value(); }
  Shape AnyShape() { return host.RangeItem(host.GetSelectionRange().value(), 1).value(); }
};

TEST_F(AutomationHostTest, NothingIsAskedOfTheHostBeforeAnOperationNeedsIt) {
  EXPECT_EQ(connects, 0);
  EXPECT_TRUE(app.calls.empty());
}

TEST_F(AutomationHostTest, DocumentCountIsTheCountOfTheDocumentsCollection) {
  app.Script(L"Count", Returns(2));
  auto count = host.CountOpenDocuments();
  ASSERT_TRUE(count.ok()) << count.error().text;
  EXPECT_EQ(count.value(), 2);
  EXPECT_EQ(app.calls.at(0).member, L"Documents");
  EXPECT_EQ(app.calls.at(0).flags, DISPATCH_PROPERTYGET);
}

TEST_F(AutomationHostTest, MemberIdsAreLookedUpOncePerKindAndName) {
  app.Script(L"Count", Returns(1));
  host.CountOpenDocuments();
  host.CountOpenDocuments();
  EXPECT_EQ(app.lookups, (std::vector<std::wstring>{L"Documents", L"Count"}));
}

TEST_F(AutomationHostTest, ExportPassesFileFilterRangeOptionsAndNothingForThePalette) {
  Document document = AnyDocument();
  ExportOptions options = host.NewExportOptions().value();
  ASSERT_TRUE(host.ExportDocument(document, "C:\\Corvane\\QuillonPro1.tmp", 1281, 2, options));

  const auto& call = app.Last(L"ExportEx");
  EXPECT_EQ(call.flags, DISPATCH_METHOD);
  ASSERT_EQ(call.types(), (std::vector<VARTYPE>{VT_BSTR, VT_I4, VT_I4, VT_DISPATCH, VT_DISPATCH}));
  EXPECT_EQ(call.arguments[0].text, L"C:\\Corvane\\QuillonPro1.tmp");
  EXPECT_EQ(call.arguments[1].number, 1281);
  EXPECT_EQ(call.arguments[2].number, 2);
  EXPECT_NE(call.arguments[3].object, nullptr);
  EXPECT_EQ(call.arguments[4].object, nullptr);
}

TEST_F(AutomationHostTest, FilterPropertiesArePutByNameWithTheirDeclaredTypes) {
  struct Case {
    const char* name;
    const wchar_t* member;
    FilterValue value;
    VARTYPE type;
    double sent;
  };
  const Case cases[] = {
      {"ScaleFactor", L"ScaleFactor", 100.0, VT_R8, 100.0},
      {"PlotterUnits", L"PlotterUnits", std::int16_t{1016}, VT_I2, 1016},
      {"AutomaticWeld", L"AutomaticWeld", true, VT_BOOL, -1},
      {"RemoveHiddenLines", L"RemoveHiddenLines", false, VT_BOOL, 0},
  };
  Document document = AnyDocument();
  ExportFilter filter = host.ExportDocument(document, "job", 1281, 2, {}).value();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(host.SetFilterProperty(filter, c.name, c.value));
    const auto& call = app.calls.back();
    EXPECT_EQ(call.member, c.member);
    EXPECT_EQ(call.flags, DISPATCH_PROPERTYPUT);
    EXPECT_TRUE(call.valueNamedAsPut);
    ASSERT_EQ(call.types(), (std::vector<VARTYPE>{c.type}));
    EXPECT_EQ(call.arguments[0].number, c.sent);
  }
}

TEST_F(AutomationHostTest, ShapePositionComesBackThroughOutDoubles) {
  app.Script(L"GetPosition", WritesDoubles({12.5, -3.25}));
  auto position = host.ReadShapePosition(AnyShape());
  ASSERT_TRUE(position.ok()) << position.error().text;
  EXPECT_EQ(app.Last(L"GetPosition").types(), (std::vector<VARTYPE>{kOutDouble, kOutDouble}));
  EXPECT_EQ(position.value().x, 12.5);
  EXPECT_EQ(position.value().y, -3.25);
}

TEST_F(AutomationHostTest, RangeBoxEdgesComeFromTheLowerLeftCornerAndTheSize) {
  app.Script(L"GetBoundingBox", WritesDoubles({10, 20, 30, 40}));
  auto box = host.RangeBoundingBox(host.GetSelectionRange().value());
  ASSERT_TRUE(box.ok()) << box.error().text;
  EXPECT_EQ(app.Last(L"GetBoundingBox").types(),
            (std::vector<VARTYPE>{kOutDouble, kOutDouble, kOutDouble, kOutDouble, VT_BOOL}));
  EXPECT_EQ(box.value().left, 10);
  EXPECT_EQ(box.value().right, 40);
  EXPECT_EQ(box.value().top, 60);
  EXPECT_EQ(box.value().bottom, 20);
}

TEST_F(AutomationHostTest, ContourEffectSendsItsTwelveArgumentsInDeclaredOrder) {
  Colour black = host.NewCmykColour(0, 0, 0, 100).value();
  ContourArguments arguments{1, 2.75, 1, 0, black, black, black, 0, 0, 2, 4, 15.0};
  ASSERT_TRUE(host.AddContourEffect(AnyShape(), arguments));
  const auto& call = app.Last(L"CreateContour");
  EXPECT_EQ(call.types(),
            (std::vector<VARTYPE>{VT_I4, VT_R8, VT_I4, VT_I4, VT_DISPATCH, VT_DISPATCH, VT_DISPATCH,
                                  VT_I4, VT_I4, VT_I4, VT_I4, VT_R8}));
  EXPECT_EQ(call.arguments[1].number, 2.75);
  EXPECT_EQ(call.arguments[11].number, 15.0);
}

TEST_F(AutomationHostTest, BoundaryCommandPassesAnEmptyArrayOnceTwoArgumentsAreTooFew) {
  app.Script(L"CustomCommand", [this](DISPPARAMS& parameters, VARIANT* result, EXCEPINFO*) {
    if (parameters.cArgs < 3) return DISP_E_BADPARAMCOUNT;
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = &app;
    app.AddRef();
    return S_OK;
  });
  Shape shape = AnyShape();
  ASSERT_TRUE(host.RunBoundaryCommand(shape, "Boundary", "CreateBoundary").ok());
  ASSERT_TRUE(host.RunBoundaryCommand(shape, "Boundary", "CreateBoundary").ok());

  std::vector<std::vector<VARTYPE>> sent;
  for (const auto& call : app.calls) {
    if (call.member == L"CustomCommand") sent.push_back(call.types());
  }
  const std::vector<VARTYPE> withArray{VT_BSTR, VT_BSTR, VT_ARRAY | VT_VARIANT};
  EXPECT_EQ(sent, (std::vector<std::vector<VARTYPE>>{{VT_BSTR, VT_BSTR}, withArray, withArray}));
}

TEST_F(AutomationHostTest, HostExceptionDescriptionIsTheErrorText) {
  app.Script(L"ExportEx", Raises(L"The selection is empty"));
  auto filter = host.ExportDocument(AnyDocument(), "job", 1281, 2, {});
  ASSERT_FALSE(filter.ok());
  EXPECT_EQ(filter.error().operation, "ExportDocument");
  EXPECT_EQ(filter.error().text, "The selection is empty");
}

TEST_F(AutomationHostTest, DeferredExceptionTextIsFilledInBeforeItIsRead) {
  app.Script(L"Delete", [](DISPPARAMS&, VARIANT*, EXCEPINFO* exception) {
    exception->pfnDeferredFillIn = [](EXCEPINFO* later) -> HRESULT {
      later->bstrDescription = SysAllocString(L"The layer is locked");
      return S_OK;
    };
    return DISP_E_EXCEPTION;
  });
  auto status = host.RemoveLayer(host.GetCurrentLayer().value());
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().text, "The layer is locked");
}

TEST_F(AutomationHostTest, OtherFailuresNameTheMemberAndTheCode) {
  app.Script(L"Combine", FailsWith(DISP_E_TYPEMISMATCH));
  auto merged = host.MergeShapes(host.GetSelectionRange().value());
  ASSERT_FALSE(merged.ok());
  EXPECT_EQ(merged.error().text.rfind("ShapeRange.Combine failed: ", 0), 0u) << merged.error().text;
  EXPECT_NE(merged.error().text.find("0x80020005"), std::string::npos) << merged.error().text;
}

TEST_F(AutomationHostTest, LostHostIsReportedAndTheNextOperationConnectsAgain) {
  app.Script(L"Documents", FailsWith(RPC_E_DISCONNECTED));
  auto lost = host.CountOpenDocuments();
  ASSERT_FALSE(lost.ok());
  EXPECT_EQ(lost.error().kind, HostFailure::Lost);
  EXPECT_NE(lost.error().text.find("0x80010108"), std::string::npos) << lost.error().text;

  app.Script(L"Documents", Returns(&app));
  app.Script(L"Count", Returns(1));
  ASSERT_TRUE(host.CountOpenDocuments().ok());
  EXPECT_EQ(connects, 2);
}

TEST_F(AutomationHostTest, HostThatCannotBeReachedIsReportedWithItsReason) {
  connectFailure = REGDB_E_CLASSNOTREG;
  auto count = host.CountOpenDocuments();
  ASSERT_FALSE(count.ok());
  EXPECT_EQ(count.error().operation, "CountOpenDocuments");
  EXPECT_EQ(count.error().kind, HostFailure::NotRunning);
  EXPECT_NE(count.error().text.find("0x80040154"), std::string::npos) << count.error().text;
}

// Lost, given up unanswered, still busy: the rest of the command fails at
// once, also on objects it already holds, and never connects again.
TEST_F(AutomationHostTest, AHostGoneInACommandEndsItAndTheNextCommandConnectsAfresh) {
  for (const HRESULT gone :
       {HRESULT_FROM_WIN32(RPC_S_CALL_FAILED), RPC_E_CALL_CANCELED, RPC_E_SERVERCALL_RETRYLATER}) {
    SCOPED_TRACE(gone);
    connects = 0;
    host.BeginCommand();
    Layer layer = host.GetCurrentLayer().value();
    app.Script(L"Documents", FailsWith(gone));
    EXPECT_EQ(host.CountOpenDocuments().error().kind, HostFailure::Lost);
    app.Script(L"Documents", Returns(&app));
    app.Script(L"Count", Returns(1));
    const std::size_t asked = app.calls.size();
    auto name = host.GetLayerName(layer);
    ASSERT_FALSE(name.ok());
    EXPECT_EQ(name.error().operation, "GetLayerName");
    EXPECT_EQ(name.error().kind, HostFailure::Lost);
    EXPECT_FALSE(host.CountOpenDocuments().ok());
    EXPECT_EQ(app.calls.size(), asked);
    EXPECT_EQ(connects, 1);
    host.EndCommand();

    const HostCommand next(host);
    EXPECT_TRUE(host.CountOpenDocuments().ok());
    EXPECT_EQ(connects, 2);
  }
}

TEST_F(AutomationHostTest, ACommandConnectsOnceAndReleasesTheApplicationAtItsEnd) {
  app.Script(L"Count", Returns(1));
  {
    const HostCommand command(host);
    host.CountOpenDocuments();
    host.CountOpenDocuments();
    EXPECT_EQ(connects, 1);
  }
  EXPECT_EQ(app.references, 1u);
  connectFailure = REGDB_E_CLASSNOTREG;
  const HostCommand command(host);
  EXPECT_EQ(host.CountOpenDocuments().error().kind, HostFailure::NotRunning);
  EXPECT_EQ(host.CountOpenDocuments().error().kind, HostFailure::NotRunning);
  EXPECT_EQ(connects, 2) << "a host not found is not looked for again in the same command";
}

TEST_F(AutomationHostTest, AVectorisingThatGivesNothingOrNoShapesHasFailed) {
  FakeDispatch traced;
  const FakeDispatch::Answer finishes[] = {Returns(static_cast<IDispatch*>(nullptr)),
                                           Returns(&traced), Returns(&traced)};
  const std::int32_t counts[] = {0, 0, 2};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    app.Script(L"Finish", finishes[i]);
    traced.Script(L"Count", Returns(counts[i]));
    Vectorising vectorising = host.VectoriseBitmap(AnyShape(), {}).value();
    EXPECT_EQ(host.FinishVectorising(vectorising).ok(), counts[i] > 0);
  }
}

// Only an instance that is hidden and holds no document is told to quit;
// a hidden one with documents is someone's work and is left alone.
TEST(AdoptActivatedTest, QuitsOnlyAHiddenInstanceWithoutDocuments) {
  struct Case {
    std::int32_t visible, documents;
    bool kept, hidden, quit;
  };
  const Case cases[] = {
      {-1, 2, true, false, false}, {0, 0, false, false, true}, {0, 1, false, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.documents);
    FakeDispatch app;
    app.Script(L"Visible", Returns(c.visible));
    app.Script(L"Documents", Returns(&app));
    app.Script(L"Count", Returns(c.documents));
    const ConnectOutcome outcome = AdoptActivated(ComRef<IDispatch>::Share(&app));
    EXPECT_EQ(static_cast<bool>(outcome.application), c.kept);
    EXPECT_EQ(outcome.runningHidden, c.hidden);
    bool quit = false;
    for (const auto& call : app.calls) quit = quit || call.member == L"Quit";
    EXPECT_EQ(quit, c.quit);
  }
}

TEST_F(AutomationHostTest, LayerFindGivingNothingOrFailingMeansNoSuchLayer) {
  const FakeDispatch::Answer answers[] = {Returns(static_cast<IDispatch*>(nullptr)),
                                          Raises(L"Layer not found")};
  for (const auto& answer : answers) {
    app.Script(L"Find", answer);
    auto layer = host.FindPageLayer("TraceLayer");
    ASSERT_FALSE(layer.ok());
    EXPECT_EQ(layer.error().text, "no layer named \"TraceLayer\" on the active page");
  }
}

TEST_F(AutomationHostTest, SeparatedContourPutsTheShapeWithTheLargerBoxFirst) {
  FakeDispatch effect, parts, inner, outer;
  app.Script(L"CreateContour", Returns(&effect));
  effect.Script(L"Separate", Returns(&parts));
  parts.Script(L"Count", Returns(2));
  parts.Script(L"Item", [&](DISPPARAMS& parameters, VARIANT* result, EXCEPINFO*) {
    IDispatch* shape = V_I4(&parameters.rgvarg[0]) == 1 ? &inner : &outer;
    return Returns(shape)(parameters, result, nullptr);
  });
  inner.Script(L"GetBoundingBox", WritesDoubles({0, 0, 10, 10}));
  outer.Script(L"GetBoundingBox", WritesDoubles({-2, -2, 14, 14}));
  auto range = host.SeparateEffect(host.AddContourEffect(AnyShape(), {}).value());
  ASSERT_TRUE(range.ok()) << range.error().text;

  std::vector<IDispatch*> added;
  for (const auto& call : app.calls) {
    if (call.member == L"Add") added.push_back(call.arguments.at(0).object);
  }
  EXPECT_EQ(added, (std::vector<IDispatch*>{&outer, &inner}));
}

TEST_F(AutomationHostTest, EveryHostObjectIsReleasedWhenItsHandlesGo) {
  {
    Layer layer = host.AddPageLayer("MarkLayer").value();
    host.SetLayerPrintable(layer, true);
    host.SetOutlineCmyk(AnyShape(), 0, 100, 100, 0);
  }
  host.Disconnect();
  EXPECT_EQ(app.references, 1u);
}

TEST(BusyHostFilterTest, RetriesARetryLaterRefusalForABoundedTimeThenCancels) {
  struct Case {
    DWORD rejectType;
    DWORD waitedMs;
    DWORD answer;
  };
  const DWORD cancel = static_cast<DWORD>(-1);
  const Case cases[] = {
      {SERVERCALL_RETRYLATER, 0, BusyHostFilter::kRetryDelayMs},
      {SERVERCALL_RETRYLATER, 2900, BusyHostFilter::kRetryDelayMs},
      {SERVERCALL_RETRYLATER, 2901, cancel},
      {SERVERCALL_REJECTED, 0, cancel},
  };
  BusyHostFilter filter;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.waitedMs);
    EXPECT_EQ(filter.RetryRejectedCall(nullptr, c.waitedMs, c.rejectType), c.answer);
  }
}

TEST(BusyHostFilterTest, CancelsACallUnansweredPastTheAnswerLimit) {
  BusyHostFilter filter;
  const DWORD limit = static_cast<DWORD>(BusyHostFilter::kAnswerLimit.count());
  EXPECT_EQ(filter.MessagePending(nullptr, limit - 1, PENDINGTYPE_TOPLEVEL),
            static_cast<DWORD>(PENDINGMSG_WAITDEFPROCESS));
  EXPECT_EQ(filter.MessagePending(nullptr, limit, PENDINGTYPE_TOPLEVEL),
            static_cast<DWORD>(PENDINGMSG_CANCELCALL));
}

TEST(ComApartmentTest, ComesUpSingleThreadedWithTheBusyHostFilter) {
  ComApartment apartment;
  ASSERT_TRUE(apartment.ok());
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
}

}  // namespace
}  // namespace corvane::host
