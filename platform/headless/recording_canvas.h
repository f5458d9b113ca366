// headless: a canvas that records every drawing operation, for tests and golden files. Text is
// measured with fixed fake metrics, so layouts computed from extents are the same on every machine.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx.h"

namespace talpora::headless {

// The fake font metrics, in logical units. Every character (byte) advances by averageWidth.
//  Stock fonts: System 16/13/3/0/7, AnsiVariable 13/11/2/0/5, SystemFixed 15/12/3/0/8
//  (height/ascent/descent/external leading/average width).
//  A font record: the cell is the height when positive, the em height plus a fifth when negative,
//  16 when zero; ascent = 4/5 of the cell, descent the rest, external leading a tenth, average width
//  the record's width when set, else half the cell.
gfx::Metrics fakeMetrics(gfx::StockFont);
gfx::Metrics fakeMetrics(const gfx::FontSpec&);
gfx::Size fakeExtent(const gfx::Metrics&, std::string_view cp1252);

struct CanvasOp {
  enum class Kind {
    Mapping,
    Origin,
    Pen,
    Fill,
    Font,
    StockFont,
    TextColour,
    TextBackground,
    Line,
    Polyline,
    Rectangle,
    FillRect,
    Ellipse,
    Arc,
    Disc,
    RingSector,
    Text
  };
  Kind kind = Kind::Line;
  std::vector<gfx::Point> points;  // line: 2; polyline: all; disc, sector, text, origin: 1
  gfx::Rect rect{};                // rectangle, fill rect, ellipse, arc box
  gfx::Pen pen{};
  std::optional<gfx::Colour> colour;  // fill, fills, text colour and background
  gfx::FontSpec font{};
  gfx::StockFont stock = gfx::StockFont::System;
  gfx::Mapping mapping = gfx::Mapping::DevicePixels;
  gfx::Size size{};                 // mapping: logical size
  int radiusIn = 0, radiusOut = 0;  // disc: radiusOut
  double startDeg = 0, sweepDeg = 0;
  std::string text;  // CP1252
  gfx::HAlign align = gfx::HAlign::Left;
};

// One line of the dump, e.g. `line 10,20 30,40` or `text 5,5 centre "Sun"` (text shown as UTF-8).
std::string describe(const CanvasOp&);

class RecordingCanvas : public gfx::Canvas {
 public:
  void setMapping(gfx::Mapping, gfx::Size logical = {}) override;
  void setOrigin(gfx::Point) override;
  void setPen(const gfx::Pen&) override;
  void setFill(std::optional<gfx::Colour>) override;
  void setFont(const gfx::FontSpec&) override;
  void setFont(gfx::StockFont) override;
  void setTextColour(gfx::Colour) override;
  void setTextBackground(std::optional<gfx::Colour>) override;
  void line(gfx::Point, gfx::Point) override;
  void polyline(std::span<const gfx::Point>) override;
  void rectangle(gfx::Rect) override;
  void fillRect(gfx::Rect, gfx::Colour) override;
  void ellipse(gfx::Rect) override;
  void arc(gfx::Rect box, double startDeg, double sweepDeg) override;
  void fillDisc(gfx::Point centre, int radius, gfx::Colour) override;
  void fillRingSector(gfx::Point centre, int rIn, int rOut, double startDeg, double sweepDeg,
                      gfx::Colour) override;
  void text(gfx::Point topLeft, std::string_view cp1252, gfx::HAlign = gfx::HAlign::Left) override;
  gfx::Size textExtent(std::string_view cp1252) override;
  gfx::Metrics metrics() override { return metrics_; }

  const std::vector<CanvasOp>& ops() const { return ops_; }
  // Every operation, one line each, ending in a newline.
  std::string dump() const;
  std::size_t count(CanvasOp::Kind) const;
  // The texts drawn, in order.
  std::vector<std::string> texts() const;
  void clear() { ops_.clear(); }

  // The state the next operation draws with.
  const gfx::Pen& pen() const { return pen_; }
  std::optional<gfx::Colour> fill() const { return fill_; }
  gfx::Mapping mapping() const { return mapping_; }
  gfx::Point origin() const { return origin_; }

 private:
  CanvasOp& add(CanvasOp::Kind);
  std::vector<CanvasOp> ops_;
  gfx::Pen pen_{};
  std::optional<gfx::Colour> fill_;
  gfx::Mapping mapping_ = gfx::Mapping::DevicePixels;
  gfx::Point origin_{};
  gfx::Metrics metrics_ = fakeMetrics(gfx::StockFont::System);
};

}  // namespace talpora::headless
