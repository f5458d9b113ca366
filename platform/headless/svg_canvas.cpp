// headless: the SVG-writing canvas.
#include "platform/headless/svg_canvas.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "platform/cp1252.h"
#include "platform/headless/recording_canvas.h"
#include "platform/text.h"

namespace talpora::headless {

namespace {

std::string num(double d) {
  if (std::abs(d) < 0.005) d = 0;  // no "-0"
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.2f", d);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

std::string hex(gfx::Colour c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", gfx::red(c), gfx::green(c), gfx::blue(c));
  return buf;
}

std::string xmlEscape(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // Control characters are not allowed in XML 1.0 text.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
          out += ' ';
        } else {
          out += c;
        }
    }
  }
  return out;
}

// A point on an ellipse at an angle counter-clockwise from 3 o'clock as seen (device y down).
DevicePoint onEllipse(double cx, double cy, double rx, double ry, double deg) {
  const double a = deg * std::numbers::pi / 180.0;
  return {cx + rx * std::cos(a), cy - ry * std::sin(a)};
}

// An SVG elliptical arc command from the current point to the end of the sweep. A positive sweep runs
// counter-clockwise as seen, which in y-down coordinates is SVG's negative direction (flag 0).
std::string arcTo(double rx, double ry, double sweepDeg, DevicePoint end) {
  const int large = std::abs(sweepDeg) > 180.0 ? 1 : 0;
  const int flag = sweepDeg > 0 ? 0 : 1;
  return "A" + num(rx) + " " + num(ry) + " 0 " + std::to_string(large) + " " + std::to_string(flag) + " " +
         num(end.x) + " " + num(end.y);
}

// Full ellipse as a closed path of two half arcs starting at `startDeg`.
std::string ellipsePath(double cx, double cy, double rx, double ry, double startDeg, int direction) {
  const auto a = onEllipse(cx, cy, rx, ry, startDeg);
  const auto b = onEllipse(cx, cy, rx, ry, startDeg + 180.0);
  const double half = direction > 0 ? 180.0 : -180.0;
  return "M" + num(a.x) + " " + num(a.y) + " " + arcTo(rx, ry, half, b) + " " + arcTo(rx, ry, half, a) + " Z";
}

}  // namespace

FaceKind familyKind(std::uint8_t pitchAndFamily) {
  if ((pitchAndFamily & 0x03) == 1) return FaceKind::Fixed;  // FIXED_PITCH
  switch (pitchAndFamily & 0xF0) {
    case 0x10:
      return FaceKind::Serif;  // FF_ROMAN
    case 0x20:
      return FaceKind::Sans;  // FF_SWISS
    case 0x30:
      return FaceKind::Fixed;  // FF_MODERN
    default:
      return FaceKind::Other;
  }
}

FaceKind faceKind(const gfx::FontSpec& f) {
  const std::string face = lower(f.face);
  static constexpr std::string_view kFixed[] = {"cour",     "courier",        "courier new", "fixedsys",
                                                "terminal", "lucida console", "consolas",    "system fixed"};
  static constexpr std::string_view kSans[] = {"helv",         "helvetica",   "arial",   "ms sans serif",
                                               "system",       "tahoma",      "verdana", "segoe ui",
                                               "ms shell dlg", "arial narrow"};
  static constexpr std::string_view kSerif[] = {"tms rmn", "times", "times new roman", "ms serif", "georgia"};
  for (auto n : kFixed)
    if (face == n) return FaceKind::Fixed;
  for (auto n : kSans)
    if (face == n) return FaceKind::Sans;
  for (auto n : kSerif)
    if (face == n) return FaceKind::Serif;
  if (face.empty()) {
    const auto k = familyKind(f.pitchAndFamily);
    return k == FaceKind::Other ? FaceKind::Sans : k;
  }
  return FaceKind::Other;
}

std::string svgFontFamily(const gfx::FontSpec& f) {
  auto generic = [](FaceKind k) -> std::string {
    switch (k) {
      case FaceKind::Fixed:
        return "'Liberation Mono', 'DejaVu Sans Mono', monospace";
      case FaceKind::Serif:
        return "'Liberation Serif', 'DejaVu Serif', serif";
      default:
        return "'Liberation Sans', 'DejaVu Sans', sans-serif";
    }
  };
  const auto kind = faceKind(f);
  if (kind != FaceKind::Other) return generic(kind);
  std::string face;
  for (char c : cp1252ToUtf8(f.face))
    if (c != '\'' && c != '"' && c != '<' && c != '>' && c != '&') face += c;
  return "'" + face + "', " + generic(familyKind(f.pitchAndFamily));
}

SvgCanvas::SvgCanvas(gfx::Size devicePixels, double dotsPerInch, std::optional<gfx::Colour> background)
    : device_(devicePixels), background_(background), map_(devicePixels, dotsPerInch) {}

void SvgCanvas::setMapping(gfx::Mapping m, gfx::Size logical) {
  map_.set(m, logical);
}
void SvgCanvas::setOrigin(gfx::Point o) {
  map_.setOrigin(o);
}
void SvgCanvas::setFont(const gfx::FontSpec& f) {
  font_ = f;
  stockFont_ = false;
}
void SvgCanvas::setFont(gfx::StockFont f) {
  stock_ = f;
  stockFont_ = true;
}

SvgCanvas::DeviceBox SvgCanvas::box(gfx::Rect r) const {
  const auto a = map_.map(r.left, r.top);
  const auto b = map_.map(r.right, r.bottom);
  return {(a.x + b.x) / 2, (a.y + b.y) / 2, std::abs(b.x - a.x) / 2, std::abs(b.y - a.y) / 2};
}

std::string SvgCanvas::strokeAttributes() const {
  if (pen_.style == gfx::PenStyle::Null) return " stroke=\"none\"";
  const double width = pen_.width == 0 ? 1.0 : std::max(1.0, map_.length(pen_.width));
  std::string s = " stroke=\"" + hex(pen_.colour) + "\" stroke-width=\"" + num(width) + "\"";
  // Dash patterns of the classic styled pens, in units of a screen pixel or the pen's width.
  const double u = std::max(width, map_.dotsPerInch() / 96.0);
  auto dashes = [&](std::initializer_list<double> pattern) {
    std::string d;
    for (double v : pattern) d += (d.empty() ? "" : ",") + num(v * u);
    return " stroke-dasharray=\"" + d + "\"";
  };
  switch (pen_.style) {
    case gfx::PenStyle::Dash:
      s += dashes({18, 6});
      break;
    case gfx::PenStyle::Dot:
      s += dashes({3, 3});
      break;
    case gfx::PenStyle::DashDot:
      s += dashes({9, 6, 3, 6});
      break;
    case gfx::PenStyle::DashDotDot:
      s += dashes({9, 3, 3, 3, 3, 3});
      break;
    default:
      break;
  }
  return s;
}

std::string SvgCanvas::fillAttribute() const {
  return fill_ ? " fill=\"" + hex(*fill_) + "\"" : " fill=\"none\"";
}

void SvgCanvas::line(gfx::Point a, gfx::Point b) {
  const auto p = map_.map(a), q = map_.map(b);
  body_ += "<line x1=\"" + num(p.x) + "\" y1=\"" + num(p.y) + "\" x2=\"" + num(q.x) + "\" y2=\"" + num(q.y) +
           "\"" + strokeAttributes() + "/>\n";
}

void SvgCanvas::polyline(std::span<const gfx::Point> pts) {
  if (pts.empty()) return;
  std::string list;
  for (auto pt : pts) {
    const auto d = map_.map(pt);
    list += (list.empty() ? "" : " ") + num(d.x) + "," + num(d.y);
  }
  body_ += "<polyline points=\"" + list + "\" fill=\"none\"" + strokeAttributes() + "/>\n";
}

void SvgCanvas::rectangle(gfx::Rect r) {
  const auto b = box(r);
  body_ += "<rect x=\"" + num(b.cx - b.rx) + "\" y=\"" + num(b.cy - b.ry) + "\" width=\"" + num(2 * b.rx) +
           "\" height=\"" + num(2 * b.ry) + "\"" + fillAttribute() + strokeAttributes() + "/>\n";
}

void SvgCanvas::fillRect(gfx::Rect r, gfx::Colour c) {
  const auto b = box(r);
  body_ += "<rect x=\"" + num(b.cx - b.rx) + "\" y=\"" + num(b.cy - b.ry) + "\" width=\"" + num(2 * b.rx) +
           "\" height=\"" + num(2 * b.ry) + "\" fill=\"" + hex(c) + "\" stroke=\"none\"/>\n";
}

void SvgCanvas::ellipse(gfx::Rect r) {
  const auto b = box(r);
  body_ += "<ellipse cx=\"" + num(b.cx) + "\" cy=\"" + num(b.cy) + "\" rx=\"" + num(b.rx) + "\" ry=\"" +
           num(b.ry) + "\"" + fillAttribute() + strokeAttributes() + "/>\n";
}

void SvgCanvas::arc(gfx::Rect r, double startDeg, double sweepDeg) {
  const auto b = box(r);
  std::string d;
  if (std::abs(sweepDeg) >= 360.0) {
    d = ellipsePath(b.cx, b.cy, b.rx, b.ry, startDeg, sweepDeg > 0 ? 1 : -1);
  } else {
    const auto s = onEllipse(b.cx, b.cy, b.rx, b.ry, startDeg);
    const auto e = onEllipse(b.cx, b.cy, b.rx, b.ry, startDeg + sweepDeg);
    d = "M" + num(s.x) + " " + num(s.y) + " " + arcTo(b.rx, b.ry, sweepDeg, e);
  }
  body_ += "<path d=\"" + d + "\" fill=\"none\"" + strokeAttributes() + "/>\n";
}

void SvgCanvas::fillDisc(gfx::Point centre, int radius, gfx::Colour c) {
  const auto m = map_.map(centre);
  const double r = map_.length(radius);
  body_ +=
      "<path d=\"" + ellipsePath(m.x, m.y, r, r, 0, 1) + "\" fill=\"" + hex(c) + "\" stroke=\"none\"/>\n";
}

void SvgCanvas::fillRingSector(gfx::Point centre, int rIn, int rOut, double startDeg, double sweepDeg,
                               gfx::Colour c) {
  const auto m = map_.map(centre);
  const double ro = map_.length(std::max(rIn, rOut)), ri = map_.length(std::max(0, std::min(rIn, rOut)));
  std::string d;
  if (std::abs(sweepDeg) >= 360.0) {
    d = ellipsePath(m.x, m.y, ro, ro, startDeg, 1);
    if (ri > 0) d += " " + ellipsePath(m.x, m.y, ri, ri, startDeg, -1);
  } else {
    const auto os = onEllipse(m.x, m.y, ro, ro, startDeg),
               oe = onEllipse(m.x, m.y, ro, ro, startDeg + sweepDeg);
    d = "M" + num(os.x) + " " + num(os.y) + " " + arcTo(ro, ro, sweepDeg, oe);
    if (ri > 0) {
      const auto ie = onEllipse(m.x, m.y, ri, ri, startDeg + sweepDeg),
                 is = onEllipse(m.x, m.y, ri, ri, startDeg);
      d += " L" + num(ie.x) + " " + num(ie.y) + " " + arcTo(ri, ri, -sweepDeg, is);
    } else {
      d += " L" + num(m.x) + " " + num(m.y);
    }
    d += " Z";
  }
  body_ += "<path d=\"" + d + "\" fill=\"" + hex(c) + "\" fill-rule=\"evenodd\" stroke=\"none\"/>\n";
}

gfx::Metrics SvgCanvas::metrics() {
  if (!stockFont_) return fakeMetrics(font_);
  // Stock fonts keep the size they have on a 96-dpi screen whatever the mapping.
  const auto px = fakeMetrics(stock_);
  const double s = map_.scale() * 96.0 / map_.dotsPerInch();
  auto l = [s](int v) { return static_cast<int>(std::lround(v / s)); };
  return {l(px.height), l(px.ascent), l(px.descent), l(px.externalLeading), l(px.averageWidth)};
}

gfx::Size SvgCanvas::textExtent(std::string_view s) {
  return fakeExtent(metrics(), s);
}

void SvgCanvas::text(gfx::Point topLeft, std::string_view cp1252, gfx::HAlign align) {
  const auto m = metrics();
  const auto ext = fakeExtent(m, cp1252);
  const auto p = map_.map(topLeft);
  const double width = map_.length(ext.width), height = map_.length(m.height);
  double left = p.x;
  if (align == gfx::HAlign::Centre) left -= width / 2;
  if (align == gfx::HAlign::Right) left -= width;
  const double baseline = p.y + map_.length(m.ascent);
  double emPx = 0;
  std::string family, extra;
  if (stockFont_) {
    const auto px = fakeMetrics(stock_);
    emPx = px.height * 5.0 / 6.0 * map_.dotsPerInch() / 96.0;  // stock fonts ignore the mapping
    family = stock_ == gfx::StockFont::SystemFixed ? svgFontFamily({.face = "Courier New"})
                                                   : svgFontFamily({.face = "Arial"});
    if (stock_ == gfx::StockFont::System) extra += " font-weight=\"700\"";
  } else {
    emPx = map_.length(font_.height < 0 ? -font_.height : m.height * 5.0 / 6.0);
    family = svgFontFamily(font_);
    if (font_.weight != 400 && font_.weight != 0)
      extra += " font-weight=\"" + std::to_string(font_.weight) + "\"";
    if (font_.italic) extra += " font-style=\"italic\"";
    if (font_.underline || font_.strikeOut)
      extra += std::string(" text-decoration=\"") + (font_.underline ? "underline" : "") +
               (font_.underline && font_.strikeOut ? " " : "") + (font_.strikeOut ? "line-through" : "") +
               "\"";
    if (font_.escapement != 0)
      extra +=
          " transform=\"rotate(" + num(-font_.escapement / 10.0) + " " + num(p.x) + " " + num(p.y) + ")\"";
  }
  if (textBackground_) {
    body_ += "<rect x=\"" + num(left) + "\" y=\"" + num(p.y) + "\" width=\"" + num(width) + "\" height=\"" +
             num(height) + "\" fill=\"" + hex(*textBackground_) + "\" stroke=\"none\"/>\n";
  }
  const char* anchor = align == gfx::HAlign::Left ? "start" : align == gfx::HAlign::Centre ? "middle" : "end";
  body_ += "<text x=\"" + num(p.x) + "\" y=\"" + num(baseline) + "\" text-anchor=\"" + anchor +
           "\" font-family=\"" + family + "\" font-size=\"" + num(emPx) + "\" fill=\"" + hex(textColour_) +
           "\"" + extra + " xml:space=\"preserve\">" + xmlEscape(cp1252ToUtf8(cp1252)) + "</text>\n";
}

std::string SvgCanvas::svg() const {
  const std::string w = std::to_string(device_.width), h = std::to_string(device_.height);
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w +
      "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
  if (background_)
    out += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"" + hex(*background_) +
           "\" stroke=\"none\"/>\n";
  out += body_;
  out += "</svg>\n";
  return out;
}

WriteResult SvgCanvas::save(const std::filesystem::path& path) const {
  return replaceFileAtomically(path, svg());
}

}  // namespace talpora::headless
