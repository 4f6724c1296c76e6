#include "output/cli/cli_common.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "common/path_text.h"
#include "output/engine/byte_sink.h"
#include "output/knife/knife_svg.h"
#include "output/preview/svg_preview.h"

namespace corvane::cli {

int usageError(const std::string& what, const char* usage) {
  std::fprintf(stderr, "corvane-out: %s\n%s", what.c_str(), usage);
  return kExitUsage;
}

bool writeStreamPreview(const std::filesystem::path& streamPath,
                        const std::filesystem::path& previewPath, Operator& op) {
  std::ifstream in(streamPath, std::ios::binary);
  const std::string stream((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    op.tell(MessageKind::Warning, "Cannot read " + pathText(streamPath) + " for the preview");
    return false;
  }
  FileSink file(previewPath);
  if (!file.isOpen() || !file.write(renderSvgPreview(traceStream(stream))) || !file.close()) {
    op.tell(MessageKind::Warning, file.error());
    return false;
  }
  return true;
}

bool writeKnifePreview(const std::string& streamPath, const std::string& design, double bladeMm,
                       const std::string& previewPath, Operator& op) {
  std::ifstream in(streamPath, std::ios::binary);
  const std::string stream((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    op.tell(MessageKind::Warning, "Cannot read " + streamPath + " for the preview");
    return false;
  }
  FileSink file(previewPath);
  const KnifeSimulation simulation = simulateStream(stream, design, bladeMm, 0.0);
  if (!file.isOpen() || !file.write(renderSvgSimulation(simulation)) || !file.close()) {
    op.tell(MessageKind::Warning, file.error());
    return false;
  }
  return true;
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace corvane::cli
