#include "output/cli/cli_common.h"

#include <charconv>
#include <cstdio>
#include <system_error>
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

namespace {

// Writes the picture made of the stream file's text; a picture that cannot
// be made is a warning.
template <class Render>
bool writePicture(const std::filesystem::path& streamPath, const std::filesystem::path& previewPath,
                  Operator& op, Render render) {
  const std::optional<std::string> stream = readWholeFile(streamPath);
  if (!stream) {
    op.tell(MessageKind::Warning, "Cannot read " + pathText(streamPath) + " for the preview");
    return false;
  }
  FileSink file(previewPath);
  if (!file.isOpen() || !file.write(render(*stream)) || !file.close()) {
    op.tell(MessageKind::Warning, file.error());
    return false;
  }
  return true;
}

}  // namespace

bool writeStreamPreview(const std::filesystem::path& streamPath,
                        const std::filesystem::path& previewPath, Operator& op) {
  return writePicture(streamPath, previewPath, op, [](const std::string& stream) {
    return renderSvgPreview(traceStream(stream));
  });
}

bool writeKnifePreview(const std::filesystem::path& streamPath, const std::string& design,
                       double bladeMm, const std::filesystem::path& previewPath, Operator& op) {
  return writePicture(streamPath, previewPath, op, [&](const std::string& stream) {
    return renderSvgSimulation(simulateStream(stream, design, bladeMm, 0.0));
  });
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<double> parseDecimal(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return value;
}

}  // namespace corvane::cli
