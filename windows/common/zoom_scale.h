// The scale of a plot that zooms with "+" and "-": each step doubles or halves it. The buttons
// stop at their limits; the keys may pass them, but not the outer range that keeps the scale a
// usable, non-zero number and the drawing a bounded amount of work.
#pragma once

namespace orbex {

class ZoomScale {
  public:
    struct Range {
        float buttonsBelow;  // "+" is enabled while the scale is below this
        float buttonsAbove;  // "-" is enabled while the scale is above this
        float smallest;      // no step goes below this
        float largest;       // nor above this
    };

    constexpr ZoomScale(float initial, Range range) : scale_(initial), range_(range) {}

    void ZoomIn() {
        if (scale_ * 2.0f <= range_.largest) {
            scale_ *= 2.0f;
        }
    }
    void ZoomOut() {
        if (scale_ / 2.0f >= range_.smallest) {
            scale_ /= 2.0f;
        }
    }
    bool CanZoomIn() const { return scale_ < range_.buttonsBelow; }
    bool CanZoomOut() const { return scale_ > range_.buttonsAbove; }
    float value() const { return scale_; }

  private:
    float scale_;
    Range range_;
};

}  // namespace orbex
