#include "toolwindow/builds/build_variant.h"

namespace corvane::toolwindow {

std::string_view ProgramTitle(BuildVariant build) {
  switch (build) {
    case BuildVariant::X6:
      return "Corvane-X6";
    case BuildVariant::X3:
      return "Corvane-X3";
    case BuildVariant::X4:
      return "Corvane-X4";
  }
  return "Corvane";
}

std::string_view ApplicationClassId(BuildVariant build) {
  switch (build) {
    case BuildVariant::X6:
      return "{71620001-E2D3-6894-439C-2598D1947150}";
    case BuildVariant::X3:
      return "{4A110001-2109-4B5D-BC63-17AE8914E384}";
    case BuildVariant::X4:
      return "{7A000001-8012-4257-B144-A4FA512BA689}";
  }
  return {};
}

bool LanguageButtonToggles(BuildVariant build) { return build == BuildVariant::X6; }

bool CopiesBoundaryToTraceLayer(BuildVariant build) { return build == BuildVariant::X6; }

bool TraceSkipsFailedSteps(BuildVariant build) { return build == BuildVariant::X6; }

}  // namespace corvane::toolwindow
