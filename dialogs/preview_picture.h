// The pictures of the filter dialog's preview, built without a window: the picture reduced to
// fit, the ground image drawn from the loaded ground and two noise fields, the preview composed
// of the reduced picture, its drop shadow, the edge and the tinted ground, and the progress
// picture with its canvas marked for the progress display.
#pragma once

#include <memory>

#include "engine/material_info.h"
#include "imaging/dib.h"

namespace preview {

constexpr int kSide = 200;            // preview and ground images are kSide × kSide
constexpr int kPaneLeft = 15;         // the preview pane's position in the dialog
constexpr int kPaneTop = 15;
constexpr int kFitSide = 190;         // the reduced picture fits kFitSide × kFitSide
constexpr int kShadowOffset = 5;
constexpr int kStudyWidth = 160;      // the progress picture's canvas area
constexpr int kStudyHeight = 150;
constexpr int kStudyLeft = 10;        // its lower-left storage corner
constexpr int kStudyBottom = 23;

// The integer factor that makes width × height fit maxWidth × maxHeight: the larger of the
// two rounded-up quotients, at least 1.
int ReductionStep(int width, int height, int maxWidth, int maxHeight);

// The reduced size: width / step and height / step, each at least 1 so a thin picture keeps a
// row or a column.
int ReducedSide(int side, int step);

// A copy of the picture (pixels, palette, resolution); null when it cannot be made.
std::unique_ptr<TDib> CopyOf(const TDib& image);

// The picture reduced by `step` (every step-th pixel of every step-th storage row, no
// averaging); null when the image cannot be made.
std::unique_ptr<TDib> Reduce(const TDib& image, int step);

// Where a w × h reduced picture sits in the preview: margins (preview pixels) and the image
// origin and rectangle in dialog coordinates.
struct Placement {
    int marginX, marginY;
    int left, top, right, bottom;
};
Placement PlaceInPreview(int width, int height);

// The progress study's origin in the preview (storage coordinates) for a w × h study.
void StudyOrigin(int width, int height, int* x, int* y);

// The ground image (8 bits) from the loaded ground: with a texture, each pixel the height
// displaced by two noise fields (both generated first, then one sample of each per pixel);
// without one, 255 everywhere and no random draws beyond the two grids. False when a noise
// field cannot be made (the image is then left white).
bool BuildGround(const MaterialInfo& ground, TDib* groundImage);

// Composes the 200 × 200 preview: the reduced picture at its margins, around it the ground
// tinted with the ground colour (× (height + 1) >> 8), darker (>> 9) in the drop shadow
// `shadow` pixels right of and below the picture and along the outer one-pixel edge.
void Compose(const TDib& reduced, const TDib& groundImage, const MaterialInfo& ground,
             int shadow, TDib* previewImage);

// The 8-bit progress picture copied into the 24-bit preview through its colour table. False
// when the sizes differ.
bool CopyProgressPicture(const TDib& progress, TDib* previewImage);

// Marks the canvas area: its pure-white pixels become the tinted ground with the lowest blue
// bit cleared, every other pixel of the area gets that bit set.
void MarkCanvas(const TDib& groundImage, const MaterialInfo& ground, TDib* previewImage);

}  // namespace preview
