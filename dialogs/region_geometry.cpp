// Region geometry: the conversions, the axis and width rules, the hit test and the outline.
#include "dialogs/region_geometry.h"

#include <cmath>
#include <cstdint>

#include "imaging/saturating_cast.h"

namespace regions {

namespace {

constexpr double kVerticalAngle = 1.57075;
constexpr double kRotationStep = 0.06283;
constexpr int kMinAxisExtent = 10;

void SetAngle(EllipseRegion* region, double angle) {
    region->angle = angle;
    region->cosine = std::cos(angle);
    region->sine = std::sin(angle);
}

// The region's three points (start, end, centre) through one column and one row mapping.
template <typename Column, typename Row>
void MapPoints(const EllipseRegion& from, Column column, Row row, EllipseRegion* to) {
    to->startX = column(from.startX);
    to->startY = row(from.startY);
    to->endX = column(from.endX);
    to->endY = row(from.endY);
    to->centerX = column(from.centerX);
    to->centerY = row(from.centerY);
}

}  // namespace

// Both conversions compute in 64 bits and hold each field to the int range: a picture up to the
// largest a TDib holds is reduced by a step near two million, and a pointer dragged far past the
// preview would pass the int range in picture coordinates.
EllipseRegion RegionToPreview(const EllipseRegion& region, const PreviewMapping& m) {
    const int64_t s = m.step;
    const int64_t lastRow = int64_t{m.pictureHeight} - 1;
    auto column = [&](int x) { return SaturateToInt(x / s + m.originX); };
    auto row = [&](int y) { return SaturateToInt((lastRow - y) / s + m.originY); };
    EllipseRegion rubber;
    MapPoints(region, column, row, &rubber);
    rubber.length = SaturateToInt(region.length / s);
    rubber.width = SaturateToInt(region.width / s);
    rubber.ratio = region.ratio;
    SetAngle(&rubber, -region.angle);
    return rubber;
}

EllipseRegion RegionFromPreview(const EllipseRegion& rubber, const PreviewMapping& m) {
    const int64_t s = m.step;
    const int64_t lastRow = int64_t{m.pictureHeight} - 1;
    auto column = [&](int x) { return SaturateToInt((int64_t{x} - m.originX) * s); };
    auto row = [&](int y) { return SaturateToInt(lastRow - (int64_t{y} - m.originY) * s); };
    EllipseRegion region;
    MapPoints(rubber, column, row, &region);
    region.length = SaturateToInt(rubber.length * s);
    region.width = SaturateToInt(rubber.width * s);
    region.ratio = rubber.ratio;
    SetAngle(&region, -rubber.angle);
    return region;
}

AxisTerms AxisTermsOf(const EllipseRegion& rubber) {
    const double dx = rubber.endX - rubber.startX;
    const double dy = rubber.endY - rubber.startY;
    AxisTerms terms;
    terms.dx2 = dx * dx;
    terms.dy2 = dy * dy;
    terms.dxdy = dx * dy;
    const double squared = terms.dx2 + terms.dy2;
    terms.inverse = squared != 0 ? 1 / (squared * squared) : 0;
    return terms;
}

bool AxisLongEnough(const EllipseRegion& rubber) {
    return std::abs(rubber.startX - rubber.endX) > kMinAxisExtent ||
           std::abs(rubber.startY - rubber.endY) > kMinAxisExtent;
}

void FixAxis(EllipseRegion* rubber) {
    rubber->centerX = (rubber->startX + rubber->endX) / 2;
    rubber->centerY = (rubber->startY + rubber->endY) / 2;
    const double dx = rubber->endX - rubber->startX;
    const double dy = rubber->endY - rubber->startY;
    rubber->length = static_cast<int>(std::sqrt(dx * dx + dy * dy));
    rubber->width = 0;
    rubber->ratio = 0;
    SetAngle(rubber, dx == 0 ? kVerticalAngle : -std::atan(dy / dx));
}

void WidthForPointer(const EllipseRegion& rubber, const AxisTerms& terms, int x, int y,
                     int* width, double* ratio) {
    const double wx = x - rubber.startX;
    const double wy = y - rubber.startY;
    const double d1 = wx * terms.dy2 - wy * terms.dxdy;
    const double d2 = wy * terms.dx2 - wx * terms.dxdy;
    int t = static_cast<int>(std::sqrt((d1 * d1 + d2 * d2) * terms.inverse) * 2);
    double r = rubber.length > 0 ? static_cast<double>(t) / rubber.length : 0;
    if (r > 1) {
        t = rubber.length;
        r = 1;
    }
    *width = t;
    *ratio = r;
}

bool Hits(const EllipseRegion& rubber, int x, int y) {
    const int radius = (rubber.length > rubber.width ? rubber.length : rubber.width) / 2;
    if (radius <= 0 || rubber.ratio <= 0) return false;
    const double px = x - rubber.centerX;
    const double py = y - rubber.centerY;
    const double along = px * rubber.cosine - py * rubber.sine;
    const double across = px * rubber.sine + py * rubber.cosine;
    return std::sqrt(across * across / (rubber.ratio * rubber.ratio) + along * along) / radius < 1;
}

void OutlinePoints(const EllipseRegion& rubber, Point points[kOutlinePoints]) {
    const double cs = std::cos(kRotationStep);
    const double sn = std::sin(kRotationStep);
    double x = rubber.length * 0.5;
    double y = 0;
    for (int k = 0; k < kOutlinePoints; ++k) {
        const double v = y * rubber.ratio;
        points[k].x = static_cast<int>(rubber.centerX + x * rubber.cosine + v * rubber.sine);
        points[k].y = static_cast<int>(rubber.centerY - x * rubber.sine + v * rubber.cosine);
        const double rotated = x * cs - y * sn;
        y = x * sn + y * cs;
        x = rotated;
    }
}

void ScaleRegions(const EllipseRegion* regions, int count, int step, EllipseRegion* out) {
    for (int i = 0; i < count; ++i) {
        const EllipseRegion& r = regions[i];
        EllipseRegion& s = out[i];
        s.startX = r.startX / step;
        s.startY = r.startY / step;
        s.endX = r.endX / step;
        s.endY = r.endY / step;
        s.centerX = r.centerX / step;
        s.centerY = r.centerY / step;
        s.length = r.length / step;
        s.width = r.width / step;
        s.angle = r.angle;
        s.ratio = r.ratio;
        s.cosine = r.cosine;
        s.sine = r.sine;
    }
}

void DeleteRegion(EllipseRegion* regions, int* count, int index) {
    if (index < 0 || index >= *count) return;
    for (int i = index + 1; i < *count; ++i) regions[i - 1] = regions[i];
    --*count;
}

}  // namespace regions
