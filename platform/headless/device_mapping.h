// headless: the arithmetic of the canvas mappings (device pixels, isotropic, tenths of a millimetre
// with y up), shared by every canvas that turns logical units into device units.
#pragma once
#include "platform/gfx.h"

namespace talpora::headless {

struct DevicePoint {
  double x = 0, y = 0;
};

// Turns logical coordinates into device coordinates (y down, one unit a device pixel).
//  DevicePixels: device = logical + origin.
//  Isotropic:    device = (logical + origin) * s, s = min(deviceW / logicalW, deviceH / logicalH).
//  Lometric:     device = ((x + ox) * s, -(y + oy) * s), s = dots per inch / 254.
// The origin is a logical offset added to every point before scaling.
class DeviceMapping {
 public:
  DeviceMapping() = default;
  // deviceSize in device pixels; dotsPerInch of the device (used by the metric mapping).
  DeviceMapping(gfx::Size deviceSize, double dotsPerInch) : device_(deviceSize), dpi_(dotsPerInch) {}

  void set(gfx::Mapping m, gfx::Size logical);
  void setOrigin(gfx::Point o) { origin_ = o; }

  gfx::Mapping mapping() const { return mapping_; }
  gfx::Point origin() const { return origin_; }
  gfx::Size deviceSize() const { return device_; }
  double dotsPerInch() const { return dpi_; }
  // Device pixels per logical unit (the same along both axes).
  double scale() const { return scale_; }
  // True when logical y grows upwards on the output.
  bool yUp() const { return mapping_ == gfx::Mapping::Lometric; }

  DevicePoint map(gfx::Point p) const { return map(static_cast<double>(p.x), static_cast<double>(p.y)); }
  DevicePoint map(double x, double y) const;
  // A logical length (radius, pen width, font height) in device pixels.
  double length(double logical) const { return logical * scale_; }
  // Back from device pixels to logical units (clicks on a drawing).
  gfx::Point unmap(double deviceX, double deviceY) const;

 private:
  gfx::Size device_{};
  double dpi_ = 96.0;
  gfx::Mapping mapping_ = gfx::Mapping::DevicePixels;
  gfx::Size logical_{};
  gfx::Point origin_{};
  double scale_ = 1.0;
};

}  // namespace talpora::headless
