#include "toolwindow/standin_server/document_dump.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "toolwindow/standin/standin_call_log.h"

namespace corvane::standin_server {
namespace {

std::string kindOf(const standin::ShapeView& shape) {
  if (shape.bitmap) return "bitmap";
  for (const standin::Path& path : shape.paths) {
    if (path.closed) return "curve";
  }
  return "open-curve";
}

// Beside the file first, then renamed over it: a reader never sees half.
std::string writeWhole(const std::string& path, const std::string& text) {
  const std::string partial = path + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      return "The file cannot be written: " + path;
    }
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::filesystem::remove(partial, error);
    return "The file cannot be written: " + path;
  }
  return {};
}

}  // namespace

std::string documentText(const standin::StandInHost& host) {
  using standin::argument;
  using standin::quotedText;
  std::string text = "documents ";
  text += std::to_string(host.documentCount());
  text += '\n';
  if (host.documentCount() == 0) return text;
  for (const standin::LayerView& layer : host.layers()) {
    text += "layer ";
    text += quotedText(layer.name);
    text += layer.printable ? " printable\n" : " not-printable\n";
    for (const standin::ShapeView& shape : layer.shapes) {
      for (const std::string& part :
           {std::string("  shape"), quotedText(shape.name), kindOf(shape), std::string("outline"),
            standin::cmykText(shape.outline), std::string("width"), argument(shape.outlineWidth),
            std::string("box"), argument(shape.box.left), argument(shape.box.right),
            argument(shape.box.top), argument(shape.box.bottom)}) {
        if (part[0] != ' ') text += ' ';
        text += part;
      }
      text += '\n';
    }
  }
  text += "selection";
  for (const standin::ShapeView& shape : host.selection()) {
    text += ' ';
    text += quotedText(shape.name);
  }
  text += "\ncurrent-layer ";
  text += quotedText(host.currentLayerName());
  text += '\n';
  return text;
}

std::string writeDocument(const standin::StandInHost& host, const std::string& textPath,
                          const std::string& svgPath) {
  if (!textPath.empty()) {
    if (std::string error = writeWhole(textPath, documentText(host)); !error.empty()) return error;
  }
  if (!svgPath.empty() && host.documentCount() > 0) {
    if (std::string error = writeWhole(svgPath, host.svgPicture()); !error.empty()) return error;
  }
  return {};
}

}  // namespace corvane::standin_server
