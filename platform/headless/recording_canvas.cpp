// headless: the recording canvas and its text dump.
#include "platform/headless/recording_canvas.h"

#include <cstdio>
#include <cstdlib>

#include "platform/cp1252.h"

namespace talpora::headless {

gfx::Metrics fakeMetrics(gfx::StockFont f) {
  switch (f) {
    case gfx::StockFont::System:
      return {16, 13, 3, 0, 7};
    case gfx::StockFont::AnsiVariable:
      return {13, 11, 2, 0, 5};
    case gfx::StockFont::SystemFixed:
      return {15, 12, 3, 0, 8};
  }
  return {16, 13, 3, 0, 7};
}

gfx::Metrics fakeMetrics(const gfx::FontSpec& f) {
  int cell = 16;
  if (f.height > 0) cell = f.height;
  if (f.height < 0) cell = -f.height + (-f.height) / 5;
  gfx::Metrics m;
  m.height = cell;
  m.ascent = cell * 4 / 5;
  m.descent = cell - m.ascent;
  m.externalLeading = cell / 10;
  m.averageWidth = f.width != 0 ? std::abs(f.width) : cell / 2;
  return m;
}

gfx::Size fakeExtent(const gfx::Metrics& m, std::string_view s) {
  return {static_cast<int>(s.size()) * m.averageWidth, m.height};
}

namespace {
std::string colourText(gfx::Colour c) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "rgb(%d,%d,%d)", gfx::red(c), gfx::green(c), gfx::blue(c));
  return buf;
}
std::string optColour(const std::optional<gfx::Colour>& c) {
  return c ? colourText(*c) : "none";
}
std::string pt(gfx::Point p) {
  return std::to_string(p.x) + "," + std::to_string(p.y);
}
std::string rectText(const gfx::Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}
std::string num(double d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", d);
  return buf;
}
const char* penStyleName(gfx::PenStyle s) {
  switch (s) {
    case gfx::PenStyle::Solid:
      return "solid";
    case gfx::PenStyle::Dash:
      return "dash";
    case gfx::PenStyle::Dot:
      return "dot";
    case gfx::PenStyle::DashDot:
      return "dashdot";
    case gfx::PenStyle::DashDotDot:
      return "dashdotdot";
    case gfx::PenStyle::Null:
      return "null";
  }
  return "?";
}
const char* mappingName(gfx::Mapping m) {
  switch (m) {
    case gfx::Mapping::DevicePixels:
      return "pixels";
    case gfx::Mapping::Isotropic:
      return "isotropic";
    case gfx::Mapping::Lometric:
      return "lometric";
  }
  return "?";
}
const char* stockName(gfx::StockFont f) {
  switch (f) {
    case gfx::StockFont::System:
      return "system";
    case gfx::StockFont::AnsiVariable:
      return "ansi-variable";
    case gfx::StockFont::SystemFixed:
      return "system-fixed";
  }
  return "?";
}
const char* alignName(gfx::HAlign a) {
  switch (a) {
    case gfx::HAlign::Left:
      return "left";
    case gfx::HAlign::Centre:
      return "centre";
    case gfx::HAlign::Right:
      return "right";
  }
  return "?";
}
std::string quoted(std::string_view cp1252) {
  std::string out = "\"";
  for (char c : cp1252ToUtf8(cp1252)) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    if (c == '\r') {
      out += "\\r";
      continue;
    }
    out += c;
  }
  return out + "\"";
}
}  // namespace

std::string describe(const CanvasOp& op) {
  using K = CanvasOp::Kind;
  switch (op.kind) {
    case K::Mapping:
      return std::string("mapping ") + mappingName(op.mapping) + " " + std::to_string(op.size.width) + "x" +
             std::to_string(op.size.height);
    case K::Origin:
      return "origin " + pt(op.points.at(0));
    case K::Pen:
      return std::string("pen ") + penStyleName(op.pen.style) + " " + std::to_string(op.pen.width) + " " +
             colourText(op.pen.colour);
    case K::Fill:
      return "fill " + optColour(op.colour);
    case K::Font: {
      const auto& f = op.font;
      return "font " + quoted(f.face) + " h=" + std::to_string(f.height) + " w=" + std::to_string(f.width) +
             " esc=" + std::to_string(f.escapement) + " wt=" + std::to_string(f.weight) +
             (f.italic ? " italic" : "") + (f.underline ? " underline" : "") +
             (f.strikeOut ? " strikeout" : "") + " cs=" + std::to_string(f.charSet) +
             " pf=" + std::to_string(f.pitchAndFamily);
    }
    case K::StockFont:
      return std::string("font stock ") + stockName(op.stock);
    case K::TextColour:
      return "textcolour " + optColour(op.colour);
    case K::TextBackground:
      return "textbackground " + optColour(op.colour);
    case K::Line:
      return "line " + pt(op.points.at(0)) + " " + pt(op.points.at(1));
    case K::Polyline: {
      std::string s = "polyline";
      for (auto p : op.points) s += " " + pt(p);
      return s;
    }
    case K::Rectangle:
      return "rectangle " + rectText(op.rect);
    case K::FillRect:
      return "fillrect " + rectText(op.rect) + " " + optColour(op.colour);
    case K::Ellipse:
      return "ellipse " + rectText(op.rect);
    case K::Arc:
      return "arc " + rectText(op.rect) + " from " + num(op.startDeg) + " sweep " + num(op.sweepDeg);
    case K::Disc:
      return "disc " + pt(op.points.at(0)) + " r=" + std::to_string(op.radiusOut) + " " +
             optColour(op.colour);
    case K::RingSector:
      return "sector " + pt(op.points.at(0)) + " r=" + std::to_string(op.radiusIn) + ".." +
             std::to_string(op.radiusOut) + " from " + num(op.startDeg) + " sweep " + num(op.sweepDeg) + " " +
             optColour(op.colour);
    case K::Text:
      return "text " + pt(op.points.at(0)) + " " + alignName(op.align) + " " + quoted(op.text);
  }
  return "?";
}

CanvasOp& RecordingCanvas::add(CanvasOp::Kind k) {
  ops_.emplace_back();
  ops_.back().kind = k;
  return ops_.back();
}

void RecordingCanvas::setMapping(gfx::Mapping m, gfx::Size logical) {
  mapping_ = m;
  auto& op = add(CanvasOp::Kind::Mapping);
  op.mapping = m;
  op.size = logical;
}
void RecordingCanvas::setOrigin(gfx::Point p) {
  origin_ = p;
  add(CanvasOp::Kind::Origin).points = {p};
}
void RecordingCanvas::setPen(const gfx::Pen& p) {
  pen_ = p;
  add(CanvasOp::Kind::Pen).pen = p;
}
void RecordingCanvas::setFill(std::optional<gfx::Colour> c) {
  fill_ = c;
  add(CanvasOp::Kind::Fill).colour = c;
}
void RecordingCanvas::setFont(const gfx::FontSpec& f) {
  metrics_ = fakeMetrics(f);
  add(CanvasOp::Kind::Font).font = f;
}
void RecordingCanvas::setFont(gfx::StockFont f) {
  metrics_ = fakeMetrics(f);
  add(CanvasOp::Kind::StockFont).stock = f;
}
void RecordingCanvas::setTextColour(gfx::Colour c) {
  add(CanvasOp::Kind::TextColour).colour = c;
}
void RecordingCanvas::setTextBackground(std::optional<gfx::Colour> c) {
  add(CanvasOp::Kind::TextBackground).colour = c;
}
void RecordingCanvas::line(gfx::Point a, gfx::Point b) {
  add(CanvasOp::Kind::Line).points = {a, b};
}
void RecordingCanvas::polyline(std::span<const gfx::Point> pts) {
  add(CanvasOp::Kind::Polyline).points.assign(pts.begin(), pts.end());
}
void RecordingCanvas::rectangle(gfx::Rect r) {
  add(CanvasOp::Kind::Rectangle).rect = r;
}
void RecordingCanvas::fillRect(gfx::Rect r, gfx::Colour c) {
  auto& op = add(CanvasOp::Kind::FillRect);
  op.rect = r;
  op.colour = c;
}
void RecordingCanvas::ellipse(gfx::Rect r) {
  add(CanvasOp::Kind::Ellipse).rect = r;
}
void RecordingCanvas::arc(gfx::Rect box, double startDeg, double sweepDeg) {
  auto& op = add(CanvasOp::Kind::Arc);
  op.rect = box;
  op.startDeg = startDeg;
  op.sweepDeg = sweepDeg;
}
void RecordingCanvas::fillDisc(gfx::Point centre, int radius, gfx::Colour c) {
  auto& op = add(CanvasOp::Kind::Disc);
  op.points = {centre};
  op.radiusOut = radius;
  op.colour = c;
}
void RecordingCanvas::fillRingSector(gfx::Point centre, int rIn, int rOut, double startDeg, double sweepDeg,
                                     gfx::Colour c) {
  auto& op = add(CanvasOp::Kind::RingSector);
  op.points = {centre};
  op.radiusIn = rIn;
  op.radiusOut = rOut;
  op.startDeg = startDeg;
  op.sweepDeg = sweepDeg;
  op.colour = c;
}
void RecordingCanvas::text(gfx::Point topLeft, std::string_view s, gfx::HAlign a) {
  auto& op = add(CanvasOp::Kind::Text);
  op.points = {topLeft};
  op.text = std::string(s);
  op.align = a;
}
gfx::Size RecordingCanvas::textExtent(std::string_view s) {
  return fakeExtent(metrics_, s);
}

std::string RecordingCanvas::dump() const {
  std::string out;
  for (const auto& op : ops_) out += describe(op) + "\n";
  return out;
}

std::size_t RecordingCanvas::count(CanvasOp::Kind k) const {
  std::size_t n = 0;
  for (const auto& op : ops_) n += op.kind == k;
  return n;
}

std::vector<std::string> RecordingCanvas::texts() const {
  std::vector<std::string> out;
  for (const auto& op : ops_)
    if (op.kind == CanvasOp::Kind::Text) out.push_back(op.text);
  return out;
}

}  // namespace talpora::headless
