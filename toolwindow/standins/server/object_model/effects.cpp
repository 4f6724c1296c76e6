#include "toolwindow/standins/server/object_model/objects.h"

#include "toolwindow/standins/server/object_model/signatures.h"

namespace corvane::standin_server {
namespace {

using host::HostStatus;
using namespace signatures;

// Defaults as the host declares them.
HostStatus trace(Bitmap& self, const Arguments& a, VARIANT* r) {
  host::VectoriseSettings settings;
  settings.traceType = a.int32(0);
  settings.smoothing = a.int16(1, -1);
  settings.detailLevelPercent = a.int16(2, 0);
  settings.colourMode = a.int32(3, 99);
  settings.paletteId = a.int32(4, 0);
  settings.colourCount = a.int32(5, 0);
  settings.deleteOriginal = a.flag(6, false);
  settings.removeBackground = a.flag(7, true);
  settings.removeEntireBackColour = a.flag(8, false);
  return self.answerAs<TraceSettings>(self.stand().VectoriseBitmap(self.shape, settings), r);
}

// The traced shapes, which are left selected as well.
HostStatus finish(TraceSettings& self, const Arguments&, VARIANT* r) {
  if (self.state().settings().finishGivesNothing) return answered(r, kNothing);
  return self.answerAs<ShapeRange>(self.stand().FinishVectorising(self.handle), r);
}

HostStatus separate(Effect& self, const Arguments&, VARIANT* r) {
  return self.answerAs<ShapeRange>(self.stand().SeparateEffect(self.handle), r);
}

}  // namespace

const std::vector<Member<Bitmap>>& Bitmap::members() {
  static const std::vector<Member<Bitmap>> table{
      {method(L"Trace",
              {kInt32, optional(kInt16), optional(kInt16), optional(kInt32), optional(kInt32),
               optional(kInt32), optional(kFlag), optional(kFlag), optional(kFlag)}),
       trace},
  };
  return table;
}

const std::vector<Member<TraceSettings>>& TraceSettings::members() {
  static const std::vector<Member<TraceSettings>> table{
      {method(L"Finish"), finish},
  };
  return table;
}

const std::vector<Member<Effect>>& Effect::members() {
  static const std::vector<Member<Effect>> table{
      {method(L"Separate"), separate},
  };
  return table;
}

}  // namespace corvane::standin_server
