#include "toolwindow/standins/server/state/document_dump.h"

#include "toolwindow/standins/host/standin_call_log.h"
#include "toolwindow/standins/host/whole_file.h"

namespace corvane::standin_server {
namespace {

std::string kindOf(const standin::ShapeView& shape) {
  if (shape.bitmap) return "bitmap";
  for (const standin::Path& path : shape.paths) {
    if (path.closed) return "curve";
  }
  return "open-curve";
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

host::HostStatus writeDocument(const standin::StandInHost& host, const std::string& textPath,
                               const std::string& svgPath) {
  if (!textPath.empty()) {
    if (auto written = standin::writeWholeFile(textPath, documentText(host)); !written) {
      return written;
    }
  }
  if (!svgPath.empty() && host.documentCount() > 0) {
    return standin::writeWholeFile(svgPath, host.svgPicture());
  }
  return {};
}

}  // namespace corvane::standin_server
