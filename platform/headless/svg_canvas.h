// headless: a canvas that writes an SVG document, without a display or a GUI toolkit. Points are
// mapped into device pixels (all three mappings); text becomes <text> elements measured with the
// fake metrics of the recording canvas; discs and ring sectors become filled paths.
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "platform/atomic_file.h"
#include "platform/gfx.h"
#include "platform/headless/device_mapping.h"

namespace talpora::headless {

class SvgCanvas : public gfx::Canvas {
 public:
  // A drawing surface of `devicePixels`, at `dotsPerInch` (used by the metric mapping), painted over
  // a background (nullopt: transparent).
  explicit SvgCanvas(gfx::Size devicePixels, double dotsPerInch = 96.0,
                     std::optional<gfx::Colour> background = gfx::rgb(255, 255, 255));

  void setMapping(gfx::Mapping, gfx::Size logical = {}) override;
  void setOrigin(gfx::Point) override;
  void setPen(const gfx::Pen& p) override { pen_ = p; }
  void setFill(std::optional<gfx::Colour> c) override { fill_ = c; }
  void setFont(const gfx::FontSpec&) override;
  void setFont(gfx::StockFont) override;
  void setTextColour(gfx::Colour c) override { textColour_ = c; }
  void setTextBackground(std::optional<gfx::Colour> c) override { textBackground_ = c; }
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
  gfx::Metrics metrics() override;

  // The whole document (UTF-8).
  std::string svg() const;
  WriteResult save(const std::filesystem::path&) const;
  const DeviceMapping& deviceMapping() const { return map_; }

 private:
  struct DeviceBox {
    double cx, cy, rx, ry;
  };
  DeviceBox box(gfx::Rect) const;
  std::string strokeAttributes() const;
  std::string fillAttribute() const;

  gfx::Size device_;
  std::optional<gfx::Colour> background_;
  DeviceMapping map_;
  gfx::Pen pen_{};
  std::optional<gfx::Colour> fill_;
  bool stockFont_ = true;
  gfx::StockFont stock_ = gfx::StockFont::System;
  gfx::FontSpec font_{};
  gfx::Colour textColour_ = 0;
  std::optional<gfx::Colour> textBackground_;
  std::string body_;
};

// What kind of face a LOGFONT asks for: "Cour"/"Courier New" are fixed-pitch, "Helv"/"Arial"
// sans-serif, "Tms Rmn"/"Times New Roman" serif; another name is kept (Other); without a name the
// pitch and family byte decides.
enum class FaceKind { Fixed, Sans, Serif, Other };
FaceKind faceKind(const gfx::FontSpec&);
// The generic kind of the pitch and family byte alone (Other: no preference).
FaceKind familyKind(std::uint8_t pitchAndFamily);

// The font family list an SVG asks for, e.g. "'Liberation Mono', 'DejaVu Sans Mono', monospace".
std::string svgFontFamily(const gfx::FontSpec&);

}  // namespace talpora::headless
