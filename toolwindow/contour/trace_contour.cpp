#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "toolwindow/builds/build_variant.h"
#include "toolwindow/context/operator_messages.h"
#include "toolwindow/contour/trace_steps.h"
#include "toolwindow/contour/zevararaz.h"
#include "toolwindow/document/layer_names.h"

namespace corvane::toolwindow {

using host::Colour;
using host::Layer;
using host::Shape;

namespace {

constexpr std::int32_t kTextOffsetRefused = 5;
constexpr std::int32_t kTextNoDocument = 2;
constexpr std::int32_t kTextNoSelection = 3;
constexpr std::int32_t kTextTraceFailed = 16;

constexpr std::string_view kBoundaryComponent = "Boundary";
constexpr std::string_view kBoundaryCommand = "CreateBoundary";

// 4, 25, 100, 5, 0, 9, 0, -1, 0 in the host's order; -1 is the host's true.
constexpr host::VectoriseSettings kVectoriseSettings{4, 25, 100, 5, 0, 9, false, true, false};

struct Cmyk {
  std::int32_t cyan, magenta, yellow, black;
};
constexpr Cmyk kRed{0, 100, 100, 0};
constexpr Cmyk kBlack{0, 0, 0, 100};

// The operation's body from the remembered layer on, over the build's
// failure policy. Every host step goes through steps.
class Trace {
 public:
  Trace(ToolContext& context, TraceSteps& steps, std::string& savedLayerName)
      : host_(context.host),
        steps_(steps),
        savedLayerName_(savedLayerName),
        copiesBoundary_(CopiesBoundaryToTraceLayer(context.build)) {}

  void Run(double offset) {
    const bool remembered = RememberCurrentLayer();
    EnterMeasuringState();
    RemoveEarlierContour();
    const std::optional<Layer> traceLayer = MakeTraceLayer();
    // Without its own layer current the trace would merge the shapes of the
    // operator's layer: it ends here in every build.
    if (!traceLayer) {
      steps_.Stop();
      return;
    }
    TraceSelection(*traceLayer);
    std::optional<Shape> traceLine = MergeTraceLayer(*traceLayer);
    if (offset > 0.0) Widen(traceLine, offset);
    steps_([&] { return host_.SetLayerPrintable(*traceLayer, false); });
    if (remembered) RestoreRememberedLayer();
  }

 private:
  bool RememberCurrentLayer() {
    savedLayerName_.clear();
    const auto current = steps_([&] { return host_.GetCurrentLayer(); });
    if (!current) return false;
    const auto name = steps_([&] { return host_.GetLayerName(*current); });
    if (!name) return false;
    savedLayerName_ = *name;
    return true;
  }

  void EnterMeasuringState() {
    const auto document = steps_([&] { return host_.GetActiveDocument(); });
    if (!document) return;
    steps_([&] {
      return host_.SetMeasuringState(*document, 0.0, 0.0, host::kUnitMillimetres,
                                     host::kReferenceTopLeft);
    });
  }

  // Marks placed around an earlier contour no longer fit: they go with it.
  void RemoveEarlierContour() {
    const auto layers = steps_([&] { return host_.ListPageLayers(); });
    if (!layers) return;
    for (const Layer& layer : *layers) {
      const auto name = steps_([&] { return host_.GetLayerName(layer); });
      if (name && (*name == kTraceLayer || *name == kMarkLayer)) {
        steps_([&] { return host_.RemoveLayer(layer); });
      }
    }
  }

  std::optional<Layer> MakeTraceLayer() {
    auto layer = steps_([&] { return host_.AddPageLayer(kTraceLayer); });
    if (!layer || !steps_([&] { return host_.MakeLayerCurrent(*layer); })) return std::nullopt;
    return layer;
  }

  void TraceSelection(const Layer& traceLayer) {
    const auto selection = steps_([&] { return host_.GetSelectionRange(); });
    if (!selection) return;
    const auto count = steps_([&] { return host_.RangeCount(*selection); });
    if (!count) return;
    for (std::int32_t n = 1; n <= *count && !steps_.stopped(); ++n) {
      const auto shape = steps_([&] { return host_.RangeItem(*selection, n); });
      if (shape) TraceShape(*shape, traceLayer);
    }
  }

  void TraceShape(const Shape& shape, const Layer& traceLayer) {
    const auto kind = steps_([&] { return host_.GetShapeKind(shape); });
    if (!kind || *kind != host::kShapeKindBitmap) {
      const auto boundary = steps_(
          [&] { return host_.RunBoundaryCommand(shape, kBoundaryComponent, kBoundaryCommand); });
      if (boundary) PlaceBoundary(*boundary, traceLayer);
      return;
    }
    // Exactly the shapes the vectorising gives are traced and deleted: when
    // it gives none the selection may still be the operator's own shapes,
    // and they are neither traced nor deleted.
    const auto vectorising =
        steps_([&] { return host_.VectoriseBitmap(shape, kVectoriseSettings); });
    if (!vectorising) return;
    const auto vectors = steps_([&] { return host_.FinishVectorising(*vectorising); });
    if (!vectors) return;
    const auto boundary = steps_(
        [&] { return host_.RunBoundaryCommand(*vectors, kBoundaryComponent, kBoundaryCommand); });
    if (boundary) PlaceBoundary(*boundary, traceLayer);
    steps_([&] { return host_.RemoveShapes(*vectors); });
  }

  // The boundary command leaves its shape on the current layer; the X6
  // object model wants it copied onto the trace layer explicitly.
  void PlaceBoundary(const Shape& boundary, const Layer& traceLayer) {
    if (!copiesBoundary_) return;
    steps_([&] { return host_.CopyShapeToLayer(boundary, traceLayer); });
    steps_([&] { return host_.RemoveShape(boundary); });
  }

  std::optional<Shape> MergeTraceLayer(const Layer& traceLayer) {
    const auto shapes = steps_([&] { return host_.GetLayerShapes(traceLayer); });
    if (!shapes) return std::nullopt;
    auto merged = steps_([&] { return host_.MergeShapes(*shapes); });
    if (!merged) return std::nullopt;
    NameTraceLine(*merged);
    return merged;
  }

  void NameTraceLine(const Shape& shape) {
    steps_([&] { return host_.SetShapeName(shape, kTraceLine); });
    SetRed(shape);
  }

  void SetRed(const Shape& shape) {
    steps_([&] {
      return host_.SetOutlineCmyk(shape, kRed.cyan, kRed.magenta, kRed.yellow, kRed.black);
    });
  }

  // The outside contour of the merged shape becomes the trace line; the
  // merged shape itself goes.
  void Widen(const std::optional<Shape>& merged, double offset) {
    std::array<std::optional<Colour>, 3> colours;
    for (auto& colour : colours) {
      colour = steps_([&] {
        return host_.NewCmykColour(kBlack.cyan, kBlack.magenta, kBlack.yellow, kBlack.black);
      });
    }
    if (!merged || !colours[0] || !colours[1] || !colours[2]) return;
    const host::ContourArguments arguments{1,           offset, 1, 0, *colours[0], *colours[1],
                                           *colours[2], 0,      0, 2, 4,           15.0};
    const auto effect = steps_([&] { return host_.AddContourEffect(*merged, arguments); });
    if (!effect) return;
    const auto parts = steps_([&] { return host_.SeparateEffect(*effect); });
    if (!parts) return;
    if (const auto outside = steps_([&] { return host_.RangeItem(*parts, 1); })) {
      SetRed(*outside);
      steps_([&] { return host_.SetShapeName(*outside, kTraceLine); });
    }
    if (const auto inside = steps_([&] { return host_.RangeItem(*parts, 2); })) {
      steps_([&] { return host_.RemoveShape(*inside); });
    }
  }

  void RestoreRememberedLayer() {
    const auto layer = steps_([&] { return host_.FindPageLayer(savedLayerName_); });
    if (layer) steps_([&] { return host_.MakeLayerCurrent(*layer); });
  }

  host::DrawingHost& host_;
  TraceSteps& steps_;
  std::string& savedLayerName_;
  bool copiesBoundary_;
};

}  // namespace

bool ZevaRaraz::TraceContour(ToolContext& context, double offset) {
  // An offset that is not a finite number cannot be widened by either.
  if (!(offset >= 0.0) || !std::isfinite(offset)) {
    ShowText(context, kTextOffsetRefused, MessageIcon::Warning);
    return false;
  }
  const bool skips = TraceSkipsFailedSteps(context.build);
  auto failed = [&](const host::HostError& failure) {
    if (skips) {
      ReportFailure(context, failure);
    } else {
      context.op.ShowMessage(context.lang.LangText(kTextTraceFailed), MessageIcon::Critical,
                             kErrorHandleCaption);
    }
    return false;
  };

  host::DrawingHost& host = context.host;
  const auto documents = host.CountOpenDocuments();
  if (!documents) return failed(documents.error());
  if (documents.value() <= 0) {
    ShowText(context, kTextNoDocument, MessageIcon::Warning);
    return false;
  }
  const auto selection = host.GetSelectionRange();
  if (!selection) return failed(selection.error());
  const auto count = host.RangeCount(selection.value());
  if (!count) return failed(count.error());
  if (count.value() <= 0) {
    ShowText(context, kTextNoSelection, MessageIcon::Warning);
    return false;
  }

  TraceSteps steps(skips ? TraceSteps::Policy::Skip : TraceSteps::Policy::Stop);
  steps.onSkipped = [&](const host::HostError& failure) {
    context.op.NoteSkippedStep("Trace Contour", failure);
  };
  Trace(context, steps, savedLayerName).Run(offset);
  steps.Finish();
  return steps.stopped() ? failed(steps.lastFailure()) : true;
}

}  // namespace corvane::toolwindow
