#include "toolwindow/standins/server/state/document_window.h"

#include <algorithm>
#include <string>

#include "common/win32/wide_text.h"

namespace corvane::standin_server {
namespace {

constexpr const wchar_t* kClassName = L"CorvaneStandInHostWindow";
constexpr int kListWidth = 300;
constexpr int kMargin = 16;

COLORREF rgbOf(const standin::Cmyk& cmyk) {
  auto channel = [&](std::int32_t ink) {
    const double value = 255.0 * (1 - ink / 100.0) * (1 - cmyk.black / 100.0);
    return static_cast<BYTE>(std::clamp(value, 0.0, 255.0));
  };
  return RGB(channel(cmyk.cyan), channel(cmyk.magenta), channel(cmyk.yellow));
}

// Page millimetres to client pixels, y upwards, the drawing fitted in.
struct Fit {
  double scale = 1;
  double left = 0;
  double top = 0;
  POINT at(double x, double y) const {
    return {static_cast<LONG>(kMargin + (x - left) * scale),
            static_cast<LONG>(kMargin + (top - y) * scale)};
  }
};

Fit fitOf(const std::vector<standin::LayerView>& layers, const RECT& area) {
  host::Box all{1e300, -1e300, -1e300, 1e300};
  for (const auto& layer : layers) {
    for (const auto& shape : layer.shapes) {
      all.left = std::min(all.left, shape.box.left);
      all.right = std::max(all.right, shape.box.right);
      all.top = std::max(all.top, shape.box.top);
      all.bottom = std::min(all.bottom, shape.box.bottom);
    }
  }
  if (all.left > all.right) return {};
  const double width = std::max(all.right - all.left, 1.0);
  const double height = std::max(all.top - all.bottom, 1.0);
  const double scale =
      std::min((area.right - 2 * kMargin) / width, (area.bottom - 2 * kMargin) / height);
  return {std::max(scale, 0.01), all.left, all.top};
}

void paintShape(HDC dc, const Fit& fit, const standin::ShapeView& shape) {
  if (shape.bitmap) {
    HBRUSH grey = CreateSolidBrush(RGB(160, 160, 160));
    const standin::BitmapMask& mask = shape.mask;
    standin::forEachSetPixel(mask, [&](double x, double y) {
      const POINT a = fit.at(x, y);
      const POINT b = fit.at(x + mask.pixelSize, y - mask.pixelSize);
      const RECT cell{a.x, a.y, b.x, b.y};
      FillRect(dc, &cell, grey);
    });
    DeleteObject(grey);
    return;
  }
  const int width = std::max(1, static_cast<int>(shape.outlineWidth * fit.scale));
  HPEN pen = CreatePen(PS_SOLID, width, rgbOf(shape.outline));
  HGDIOBJ old = SelectObject(dc, pen);
  for (const standin::Path& path : shape.paths) {
    std::vector<POINT> points;
    for (const host::Point& p : path.points) points.push_back(fit.at(p.x, p.y));
    if (path.closed && !points.empty()) points.push_back(points.front());
    if (points.size() >= 2) Polyline(dc, points.data(), static_cast<int>(points.size()));
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void paintList(HDC dc, const RECT& area, const std::vector<standin::LayerView>& layers) {
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  int y = area.top + kMargin;
  for (const auto& layer : layers) {
    const std::wstring line = wideText(layer.name + (layer.printable ? "" : "  (not printable)"));
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, area.left + 8, y, line.c_str(), static_cast<int>(line.size()));
    y += 18;
    for (const auto& shape : layer.shapes) {
      const std::wstring name = wideText(shape.name.empty() ? "(no name)" : shape.name);
      SetTextColor(dc, shape.bitmap ? RGB(96, 96, 96) : rgbOf(shape.outline));
      TextOutW(dc, area.left + 28, y, name.c_str(), static_cast<int>(name.size()));
      y += 18;
    }
  }
  SelectObject(dc, old);
}

void paint(HWND window, const standin::StandInHost& host) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (host.documentCount() == 0) {
    const std::wstring none = L"No document is open.";
    TextOutW(dc, kMargin, kMargin, none.c_str(), static_cast<int>(none.size()));
  } else {
    const std::vector<standin::LayerView> layers = host.layers();
    RECT drawing = client;
    drawing.right = std::max(client.left, client.right - kListWidth);
    const Fit fit = fitOf(layers, drawing);
    for (const auto& layer : layers) {
      for (const auto& shape : layer.shapes) paintShape(dc, fit, shape);
    }
    RECT list = client;
    list.left = drawing.right;
    paintList(dc, list, layers);
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_PAINT: {
      const auto* host =
          reinterpret_cast<const standin::StandInHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      if (host) {
        paint(window, *host);
        return 0;
      }
      break;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND createDocumentWindow(const standin::StandInHost& host) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);
  HWND window =
      CreateWindowExW(0, kClassName, kWindowCaption, WS_OVERLAPPEDWINDOW, 20, 20, 900, 620, nullptr,
                      nullptr, windowClass.hInstance, const_cast<standin::StandInHost*>(&host));
  if (window) ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

void refreshDocumentWindow(HWND window) {
  // Painted before the call returns, so a client that looks next sees it.
  if (window == nullptr) return;
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}

}  // namespace corvane::standin_server
