#pragma once

#include <QRect>

#include <algorithm>
#include <cmath>

namespace td {

// The chart's logical pixels on a screen of a device pixel ratio (1 to 4). Edges land on whole
// device pixels, so that neighbouring fills meet without a gap or an overlap, and every
// one-pixel rule is the same number of device pixels wide wherever it lies: at 1.5, rules
// cannot alternate between one and two device pixels.
class DeviceScale {
public:
    static constexpr double MinRatio = 1;
    static constexpr double MaxRatio = 4;

    explicit DeviceScale(double ratio = 1) : ratio(std::clamp(ratio, MinRatio, MaxRatio)) {}

    double Ratio() const { return ratio; }
    bool IsIdentity() const { return ratio == 1; }

    // The device pixel edge of a logical edge.
    int operator()(int x) const
    {
        return IsIdentity() ? x : static_cast<int>(std::floor(x * ratio + 0.5));
    }
    QRect operator()(const QRect& logical) const
    {
        const int left = (*this)(logical.x());
        const int top = (*this)(logical.y());
        return QRect(left, top, (*this)(logical.x() + logical.width()) - left,
                     (*this)(logical.y() + logical.height()) - top);
    }
    // A pen's width in device pixels, rounded down: no logical pixel maps to fewer device
    // pixels than a one-pixel rule takes, so a rule stays inside the pixels it stands on.
    int Width(int logical) const
    {
        return std::max(1, static_cast<int>(std::floor(logical * ratio)));
    }
    // Device pixels covering `logical` pixels, rounded up.
    int Covering(int logical) const { return static_cast<int>(std::ceil(logical * ratio)); }

private:
    double ratio;
};

}  // namespace td
