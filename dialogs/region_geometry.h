// Geometry of the regions of interest between the picture and the preview. Regions are kept
// in picture coordinates (storage order: y counts from the bottom row); the rubber region the
// user drags is in preview coordinates (dialog client pixels, y downward), its angle the
// negated picture angle. Integer divisions truncate toward zero throughout.
#pragma once

#include "engine/ellipse_region.h"

namespace regions {

// How the reduced picture sits in the preview: image origin (dialog coordinates), the
// reduction step and the full picture's height.
struct PreviewMapping {
    int originX = 0, originY = 0;
    int step = 1;
    int pictureHeight = 1;
};

EllipseRegion RegionToPreview(const EllipseRegion& region, const PreviewMapping& mapping);
EllipseRegion RegionFromPreview(const EllipseRegion& rubber, const PreviewMapping& mapping);

// dx², dy², dx·dy and 1 / (dx² + dy²)² of the rubber axis (end minus start).
struct AxisTerms {
    double dx2 = 0, dy2 = 0, dxdy = 0, inverse = 0;
};
AxisTerms AxisTermsOf(const EllipseRegion& rubber);

// An axis is long enough when its ends lie more than 10 pixels apart in x or in y.
bool AxisLongEnough(const EllipseRegion& rubber);

// Fixes the axis of the rubber region from its start and end: centre, length, zero width and
// ratio, angle (1.57075 for a vertical axis, else -atan(dy / dx)) with its cosine and sine.
void FixAxis(EllipseRegion* rubber);

// The width for the pointer at (x, y): twice its distance from the axis line, at most the
// length (ratio 1). Sets *width and *ratio.
void WidthForPointer(const EllipseRegion& rubber, const AxisTerms& terms, int x, int y,
                     int* width, double* ratio);

// True when the preview point (x, y) lies inside the rubber region's ellipse.
bool Hits(const EllipseRegion& rubber, int x, int y);

// The 101 points of the almost closed outline polyline.
constexpr int kOutlinePoints = 101;
struct Point {
    int x, y;
};
void OutlinePoints(const EllipseRegion& rubber, Point points[kOutlinePoints]);

// The regions for a study of the reduced picture: the eight int fields divided by the step,
// the angle, ratio, cosine and sine copied.
void ScaleRegions(const EllipseRegion* regions, int count, int step, EllipseRegion* out);

// Removes region `index`, moving the later ones down one place.
void DeleteRegion(EllipseRegion* regions, int* count, int index);

}  // namespace regions
