// platform: the drawing surface every painter draws on (screen, printer, PDF, PNG, SVG, tests).
// Colours are COLORREF values 0x00BBGGRR. There is no flood fill: painters fill the shapes they know.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace talpora::gfx {

using Colour = std::uint32_t;  // 0x00BBGGRR
constexpr Colour rgb(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int red(Colour c) { return c & 0xFF; }
constexpr int green(Colour c) { return (c >> 8) & 0xFF; }
constexpr int blue(Colour c) { return (c >> 16) & 0xFF; }

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};
struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Null };
struct Pen {
  PenStyle style = PenStyle::Solid;
  int width = 0;  // 0: the thinnest line the device draws
  Colour colour = 0;
  friend bool operator==(const Pen&, const Pen&) = default;
};

// The 60-byte printer font record (a LOGFONT) in readable form.
struct FontSpec {
  int height = 0, width = 0, escapement = 0, orientation = 0, weight = 400;
  bool italic = false, underline = false, strikeOut = false;
  std::uint8_t charSet = 0, outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
  std::string face;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};
enum class StockFont { System, AnsiVariable, SystemFixed };
struct Metrics {
  int height = 0, ascent = 0, descent = 0, externalLeading = 0, averageWidth = 0;
};

// DevicePixels: y down, one unit a pixel. Isotropic: a logical size fitted uniformly into the
// device, y down. Lometric: tenths of a millimetre, y up, origin at the printable area's top left.
enum class Mapping { DevicePixels, Isotropic, Lometric };
enum class HAlign { Left, Centre, Right };

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void setMapping(Mapping, Size logical = {}) = 0;
  virtual void setOrigin(Point) = 0;  // logical offset added to every point (pages, poster tiles)
  virtual void setPen(const Pen&) = 0;
  virtual void setFill(std::optional<Colour>) = 0;  // nullopt: shapes are not filled
  virtual void setFont(const FontSpec&) = 0;
  virtual void setFont(StockFont) = 0;
  virtual void setTextColour(Colour) = 0;
  virtual void setTextBackground(std::optional<Colour>) = 0;  // nullopt: transparent
  virtual void line(Point, Point) = 0;
  virtual void polyline(std::span<const Point>) = 0;
  virtual void rectangle(Rect) = 0;
  virtual void fillRect(Rect, Colour) = 0;
  virtual void ellipse(Rect) = 0;  // outline with the pen, filled with the fill
  // Angles in degrees, counter-clockwise from 3 o'clock as seen on the output.
  virtual void arc(Rect box, double startDeg, double sweepDeg) = 0;
  virtual void fillDisc(Point centre, int radius, Colour) = 0;
  virtual void fillRingSector(Point centre, int rIn, int rOut, double startDeg, double sweepDeg, Colour) = 0;
  // The point is the top of the character cell (left, centre or right of the text by the alignment).
  virtual void text(Point topLeft, std::string_view cp1252, HAlign = HAlign::Left) = 0;
  virtual Size textExtent(std::string_view cp1252) = 0;
  virtual Metrics metrics() = 0;
};

class PrintJob {
 public:
  virtual ~PrintJob() = default;
  virtual Canvas* beginPage() = 0;  // mapped in tenths of a millimetre (Lometric)
  virtual void endPage() = 0;
  virtual bool end() = 0;  // false when the document could not be completed
  virtual Size pageSize() const = 0;  // printable area, tenths of a millimetre
};

class Printers {
 public:
  virtual ~Printers() = default;
  virtual bool hasDefault() const = 0;
  virtual std::string defaultName() const = 0;
  // null when the job cannot start; pdfFile set: print to that PDF file instead of a printer
  virtual std::unique_ptr<PrintJob> start(std::string_view documentName, const std::string& pdfFile = {}) = 0;
};

}  // namespace talpora::gfx
