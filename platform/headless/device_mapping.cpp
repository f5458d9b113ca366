// headless: the arithmetic of the canvas mappings.
#include "platform/headless/device_mapping.h"

#include <algorithm>
#include <cmath>

namespace talpora::headless {

void DeviceMapping::set(gfx::Mapping m, gfx::Size logical) {
  mapping_ = m;
  logical_ = logical;
  switch (m) {
    case gfx::Mapping::DevicePixels:
      scale_ = 1.0;
      break;
    case gfx::Mapping::Isotropic:
      if (logical.width <= 0 || logical.height <= 0 || device_.width <= 0 || device_.height <= 0) {
        scale_ = 1.0;
      } else {
        scale_ = std::min(static_cast<double>(device_.width) / logical.width,
                          static_cast<double>(device_.height) / logical.height);
      }
      break;
    case gfx::Mapping::Lometric:
      scale_ = dpi_ / 254.0;
      break;
  }
}

DevicePoint DeviceMapping::map(double x, double y) const {
  const double lx = x + origin_.x, ly = y + origin_.y;
  if (mapping_ == gfx::Mapping::Lometric) return {lx * scale_, -ly * scale_};
  return {lx * scale_, ly * scale_};
}

gfx::Point DeviceMapping::unmap(double deviceX, double deviceY) const {
  double lx = deviceX / scale_, ly = deviceY / scale_;
  if (mapping_ == gfx::Mapping::Lometric) ly = -ly;
  return {static_cast<int>(std::lround(lx)) - origin_.x, static_cast<int>(std::lround(ly)) - origin_.y};
}

}  // namespace talpora::headless
