// Mesh deformation; see zo_form.h. Nodes are floats inside the picture; the node operations
// work in double precision and limit every stored node to 0..width - 1, 0..height - 1, which is
// what lets both warps read their source pixels without further bounds tests.
#include "engine/zo_form.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "engine/status_text.h"
#include "imaging/fractal_noise.h"
#include "imaging/int_helpers.h"

namespace {

// v limited to 0..limit. NaN becomes 0, so that no arithmetic accident ever puts a node
// outside the picture.
double Limit(double v, double limit) {
    if (!(v > 0.0)) return 0.0;
    return v > limit ? limit : v;
}

// trunc(delta × s / count) for s = 0, 1, 2, ... by exact integer stepping: no division per
// pixel and no product that could overflow. count > 0.
class RatioWalk {
public:
    RatioWalk(int delta, int count)
        : negative_(delta < 0),
          whole_((delta < 0 ? -delta : delta) / count),
          part_((delta < 0 ? -delta : delta) % count),
          count_(count) {}
    int Value() const { return negative_ ? -quotient_ : quotient_; }
    void Advance() {
        quotient_ += whole_;
        remainder_ += part_;
        if (remainder_ >= count_) {
            ++quotient_;
            remainder_ -= count_;
        }
    }

private:
    bool negative_;
    int whole_, part_, count_;
    int quotient_ = 0, remainder_ = 0;
};

// Where the grid's cells lie along one side of the picture: cell k of `cells` starts at
// k × extent / cells (64-bit, because k × extent can pass 2^31). On a small picture a cell may
// hold no pixel.
class CellSpans {
public:
    CellSpans(int extent, int cells) : cells_(cells) {
        for (int k = 0; k <= cells; ++k)
            start_[k] = static_cast<int>(static_cast<int64_t>(k) * extent / cells);
    }
    // visit(k, start, size) for every cell k that holds pixels, in order.
    template <typename Visit>
    void ForEachCell(Visit&& visit) const {
        for (int k = 0; k < cells_; ++k) {
            const int size = start_[k + 1] - start_[k];
            if (size > 0) visit(k, start_[k], size);
        }
    }

private:
    int cells_;
    int start_[ZoForm::kMaxCells + 1];
};

}  // namespace

ZoForm::ZoForm(int width, int height, char* status) : status_(status) {
    StatusCopy(status_, texts::kFormPrefix);
    if (width < 1 || height < 1 || RowBytes24(width) > INT_MAX) {
        StatusAppend(status_, texts::kParameter);
        return;
    }
    width_ = width;
    height_ = height;
    stride8_ = static_cast<int32_t>(RowBytes8(width));
    stride24_ = static_cast<int32_t>(RowBytes24(width));

    // About the fourth root of the area cells along the longer side, the other side in
    // proportion, so that a cell stays roughly square whatever the resolution.
    int n = static_cast<int>(std::sqrt(std::sqrt(static_cast<double>(width) * height)));
    n = n < kMinCells ? kMinCells : (n > kMaxCells ? kMaxCells : n);
    if (width > height) {
        cols_ = n;
        rows_ = static_cast<int32_t>(static_cast<int64_t>(n) * height / width);
    } else {
        rows_ = n;
        cols_ = static_cast<int32_t>(static_cast<int64_t>(n) * width / height);
    }
    if (rows_ < kMinCells) rows_ = kMinCells;
    if (cols_ < kMinCells) cols_ = kMinCells;

    nodeX_.reset(new (std::nothrow) float[NodeCount()]);
    nodeY_.reset(new (std::nothrow) float[NodeCount()]);
    if (!nodeX_ || !nodeY_) {
        StatusAppend(status_, texts::kNoMemory);
        return;
    }
    for (int i = 0; i <= rows_; ++i) {
        for (int j = 0; j <= cols_; ++j) {
            const int n = NodeIndex(i, j);
            nodeX_[n] = static_cast<float>(static_cast<double>(j) * (width_ - 1) / cols_);
            nodeY_[n] = static_cast<float>(static_cast<double>(i) * (height_ - 1) / rows_);
        }
    }
    valid_ = 1;
}

float ZoForm::NodeX(int i, int j) const {
    if (!valid_ || i < 0 || i > rows_ || j < 0 || j > cols_) return 0.0f;
    return nodeX_[NodeIndex(i, j)];
}

float ZoForm::NodeY(int i, int j) const {
    if (!valid_ || i < 0 || i > rows_ || j < 0 || j > cols_) return 0.0f;
    return nodeY_[NodeIndex(i, j)];
}

int ZoForm::SetNode(int i, int j, double x, double y) {
    if (!valid_ || i < 0 || i > rows_ || j < 0 || j > cols_) return 0;
    nodeX_[NodeIndex(i, j)] = static_cast<float>(Limit(x, width_ - 1));
    nodeY_[NodeIndex(i, j)] = static_cast<float>(Limit(y, height_ - 1));
    return 1;
}

bool ZoForm::FitsGrid(const TDib* image, int bitCount) const {
    return image != nullptr && image->Bits() != nullptr && image->BitCount() == bitCount &&
           image->Width() == width_ && image->Height() == height_;
}

ZoForm::Point ZoForm::MapPoint(const Distortion& distortion, Point point) {
    const double dx = point.x - distortion.centreX;
    const double dy = point.y - distortion.centreY;
    // Straight above or below the centre the angle is 1.47, a little short of a right angle.
    double angle;
    if (dx == 0.0) {
        angle = dy > 0.0 ? 1.47 : -1.47;
    } else {
        angle = std::atan(dy / std::fabs(dx));
    }
    const double factor = 1.0 - std::sin(angle) * distortion.k;
    return {(dx * factor + distortion.centreX) * distortion.scaleX + distortion.offsetX,
            (dy * factor + distortion.centreY) * distortion.scaleY + distortion.offsetY};
}

std::optional<ZoForm::Distortion> ZoForm::FitDistortion(int width, int height, double k,
                                                        double e) {
    const double lastX = width - 1;
    const double lastY = height - 1;
    Distortion distortion;
    distortion.k = k;
    distortion.centreX = lastX * 0.5;
    distortion.centreY = lastY * 0.5;

    // The extent of the picture distorted with no scale or offset yet.
    const double left = MapPoint(distortion, {0.0, 0.0}).x;
    const double right = MapPoint(distortion, {lastX, 0.0}).x;
    const double top = MapPoint(distortion, {0.0, lastY}).y;
    const Point bottomCentre = MapPoint(distortion, {distortion.centreX, 0.0});
    const double bottom = bottomCentre.y - e;

    // A strength that folds the picture over itself leaves no positive extent to scale.
    const double spanX = right - left;
    const double spanY = top - bottom;
    if (!(spanX > 0.0) || !(spanY > 0.0)) return std::nullopt;
    const double scaleByX = lastX / spanX;
    const double scaleByY = lastY / spanY;
    const double s = scaleByX < scaleByY ? scaleByX : scaleByY;
    distortion.scaleX = distortion.scaleY = s;
    distortion.offsetX = distortion.centreX - bottomCentre.x * s;
    distortion.offsetY = -bottomCentre.y * s;
    return distortion;
}

int ZoForm::Distort(double strength, double e) {
    if (!valid_) return 0;
    // A picture one pixel wide or high has no extent to scale into.
    if (width_ < 2 || height_ < 2) return 1;
    const std::optional<Distortion> distortion = FitDistortion(width_, height_, strength, e);
    if (!distortion) {
        StatusAppend(status_, texts::kParameter);
        return 0;
    }
    const double lastX = width_ - 1;
    const double lastY = height_ - 1;
    const int count = NodeCount();
    for (int n = 0; n < count; ++n) {
        const Point mapped = MapPoint(*distortion, {nodeX_[n], nodeY_[n]});
        nodeX_[n] = static_cast<float>(Limit(mapped.x, lastX));
        nodeY_[n] = static_cast<float>(Limit(mapped.y, lastY));
    }
    return 1;
}

int ZoForm::Slant(double exponent, int amount) {
    if (!valid_) return 0;
    if (width_ < 2 || height_ < 2) return 1;
    const double lastX = width_ - 1;
    const double lastY = height_ - 1;
    const double centre = lastY * 0.5;
    // A negative exponent would put a pole on the centre row; a denominator that underflows
    // or overflows leaves no finite shear.
    const double denominator = std::pow(centre, exponent);
    if (!(exponent >= 0.0) || !(denominator > 0.0) || !std::isfinite(denominator)) {
        StatusAppend(status_, texts::kParameter);
        return 0;
    }
    const double q = amount / denominator;
    const int count = NodeCount();
    for (int n = 0; n < count; ++n) {
        double x = nodeX_[n];
        const double y = nodeY_[n];
        if (y >= centre) {
            x = x - std::pow(y - centre, exponent) * q;
        } else {
            x = x + std::pow(centre - y, exponent) * q;
        }
        nodeX_[n] = static_cast<float>(Limit(x, lastX));
        nodeY_[n] = static_cast<float>(Limit(y, lastY));
    }
    return 1;
}

int ZoForm::Jitter(double amount, double roughness, const TDib* mask, const uint8_t* table) {
    if (!valid_) return 0;
    if (!FitsGrid(mask, 8) || table == nullptr) return 0;

    std::unique_ptr<FractalNoise> noiseU(new (std::nothrow) FractalNoise);
    std::unique_ptr<FractalNoise> noiseV(new (std::nothrow) FractalNoise);
    if (!noiseU || !noiseV) {
        StatusAppend(status_, texts::kNoMemory);
        return 0;
    }
    const int nodeCols = cols_ + 1;
    const int nodeRows = rows_ + 1;
    if (!noiseU->SetRoughness(roughness) || !noiseV->SetRoughness(roughness) ||
        !noiseU->Generate(nodeCols, nodeRows) || !noiseV->Generate(nodeCols, nodeRows)) {
        StatusAppend(status_, texts::kNoMemory);
        return 0;
    }

    // Per node the largest mask value of the cells around it, so that a node next to the
    // subject holds still even when the subject does not reach the node itself.
    std::unique_ptr<uint8_t[]> maxima(new (std::nothrow) uint8_t[NodeCount()]());
    if (!maxima) {
        StatusAppend(status_, texts::kNoMemory);
        return 0;
    }
    for (int i = 0; i < rows_; ++i) {
        for (int j = 0; j < cols_; ++j) {
            const int xFrom = static_cast<int>(nodeX_[NodeIndex(i, j)]);
            const int xTo = static_cast<int>(nodeX_[NodeIndex(i + 1, j + 1)]);
            const int yFrom = static_cast<int>(nodeY_[NodeIndex(i, j)]);
            const int yTo = static_cast<int>(nodeY_[NodeIndex(i + 1, j + 1)]);
            uint8_t largest = 0;
            for (int y = yFrom; y <= yTo; ++y) {
                const uint8_t* row = mask->Row(y);
                for (int x = xFrom; x <= xTo; ++x) {
                    if (row[x] > largest) largest = row[x];
                }
            }
            const int corners[4] = {NodeIndex(i, j), NodeIndex(i, j + 1), NodeIndex(i + 1, j),
                                    NodeIndex(i + 1, j + 1)};
            for (int corner : corners) {
                if (maxima[corner] < largest) maxima[corner] = largest;
            }
        }
    }

    const double lastX = width_ - 1;
    const double lastY = height_ - 1;
    const double amountX = lastX * amount / cols_;
    const double amountY = lastY * amount / rows_;
    for (int i = 0; i <= rows_; ++i) {
        for (int j = 0; j <= cols_; ++j) {
            const int n = NodeIndex(i, j);
            const double weight = (255 - table[maxima[n]]) * (1.0 / 255);
            const double dx = (noiseU->Sample(j, i) - 128) * amountX * (1.0 / 128);
            const double dy = (noiseV->Sample(j, i) - 128) * amountY * (1.0 / 128);
            nodeX_[n] = static_cast<float>(Limit(nodeX_[n] + weight * dx, lastX));
            nodeY_[n] = static_cast<float>(Limit(nodeY_[n] + weight * dy, lastY));
        }
    }
    return 1;
}

int ZoForm::WarpImage(TDib* image, TDib* work) {
    if (!valid_ || !FitsGrid(image, 24) || !FitsGrid(work, 24) || image == work) return 0;
    std::memcpy(work->Bits(), image->Bits(), static_cast<size_t>(stride24_) * height_);

    const uint8_t* const source = work->Bits();
    const size_t stride = static_cast<size_t>(stride24_);
    const int lastColumn = width_ - 1;
    const int lastRow = height_ - 1;
    const double lastX = lastColumn;
    const double lastY = lastRow;

    // One cell row at a time, all cells of an image row together: the edge shared by two
    // neighbouring cells is one node column, advanced once per row. The edge points move by
    // repeated addition, so the last row of a cell stops one step short of the next nodes.
    double edgeX[kMaxCells + 1], edgeY[kMaxCells + 1];
    double edgeStepX[kMaxCells + 1], edgeStepY[kMaxCells + 1];
    const CellSpans cellColumns(width_, cols_);
    CellSpans(height_, rows_).ForEachCell([&](int i, int y0, int cellHeight) {
        for (int j = 0; j <= cols_; ++j) {
            const double topX = nodeX_[NodeIndex(i, j)];
            const double topY = nodeY_[NodeIndex(i, j)];
            edgeX[j] = topX;
            edgeY[j] = topY;
            edgeStepX[j] = (static_cast<double>(nodeX_[NodeIndex(i + 1, j)]) - topX) / cellHeight;
            edgeStepY[j] = (static_cast<double>(nodeY_[NodeIndex(i + 1, j)]) - topY) / cellHeight;
        }
        for (int y = y0; y < y0 + cellHeight; ++y) {
            uint8_t* const target = image->Row(y);
            cellColumns.ForEachCell([&](int j, int x0, int cellWidth) {
                double sx = edgeX[j];
                double sy = edgeY[j];
                const double stepX = (edgeX[j + 1] - sx) / cellWidth;
                const double stepY = (edgeY[j + 1] - sy) / cellWidth;
                uint8_t* out = target + 3 * static_cast<size_t>(x0);
                for (int x = 0; x < cellWidth; ++x, out += 3, sx += stepX, sy += stepY) {
                    // Rounding in the repeated additions must not step outside the picture.
                    const double px = Limit(sx, lastX);
                    const double py = Limit(sy, lastY);
                    const int ix = static_cast<int>(px);
                    const int iy = static_cast<int>(py);
                    const int fx = static_cast<int>((px - ix) * 256);
                    const int fy = static_cast<int>((py - iy) * 256);
                    // On the last column or row the far neighbour has weight 0 and is not read.
                    const int ix1 = ix < lastColumn ? ix + 1 : ix;
                    const int iy1 = iy < lastRow ? iy + 1 : iy;
                    const uint8_t* const near = source + stride * iy;
                    const uint8_t* const far = source + stride * iy1;
                    const uint8_t* const p00 = near + 3 * ix;
                    const uint8_t* const p01 = near + 3 * ix1;
                    const uint8_t* const p10 = far + 3 * ix;
                    const uint8_t* const p11 = far + 3 * ix1;
                    for (int c = 0; c < 3; ++c) {
                        const int c0 = p00[c] + ArithmeticShiftRight((p10[c] - p00[c]) * fy, 8);
                        const int c1 = p01[c] + ArithmeticShiftRight((p11[c] - p01[c]) * fy, 8);
                        out[c] = static_cast<uint8_t>(c0 + ArithmeticShiftRight((c1 - c0) * fx, 8));
                    }
                }
            });
            for (int j = 0; j <= cols_; ++j) {
                edgeX[j] += edgeStepX[j];
                edgeY[j] += edgeStepY[j];
            }
        }
    });
    return 1;
}

int ZoForm::WarpPlanes(TDib* a, TDib* b, TDib* work) {
    if (!valid_ || !FitsGrid(a, 8) || !FitsGrid(b, 8) || !FitsGrid(work, 24)) return 0;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* const rowA = a->Row(y);
        const uint8_t* const rowB = b->Row(y);
        uint8_t* packed = work->Row(y);
        for (int x = 0; x < width_; ++x, packed += 3) {
            packed[0] = rowA[x];
            packed[1] = rowB[x];
        }
    }

    const uint8_t* const source = work->Bits();
    const size_t stride = static_cast<size_t>(stride24_);
    int edgeX[kMaxCells + 1], edgeY[kMaxCells + 1];
    const CellSpans cellColumns(width_, cols_);
    CellSpans(height_, rows_).ForEachCell([&](int i, int y0, int cellHeight) {
        for (int y = y0; y < y0 + cellHeight; ++y) {
            // Edge points by node column, from the truncated nodes; 64-bit products because a
            // node difference times a row offset can pass 2^31 on a tall picture.
            const int64_t t = y - y0;
            for (int j = 0; j <= cols_; ++j) {
                const int topX = static_cast<int>(nodeX_[NodeIndex(i, j)]);
                const int topY = static_cast<int>(nodeY_[NodeIndex(i, j)]);
                const int bottomX = static_cast<int>(nodeX_[NodeIndex(i + 1, j)]);
                const int bottomY = static_cast<int>(nodeY_[NodeIndex(i + 1, j)]);
                edgeX[j] = topX + static_cast<int>((bottomX - topX) * t / cellHeight);
                edgeY[j] = topY + static_cast<int>((bottomY - topY) * t / cellHeight);
            }
            uint8_t* const targetA = a->Row(y);
            uint8_t* const targetB = b->Row(y);
            cellColumns.ForEachCell([&](int j, int x0, int cellWidth) {
                const int leftX = edgeX[j];
                const int leftY = edgeY[j];
                RatioWalk walkX(edgeX[j + 1] - leftX, cellWidth);
                RatioWalk walkY(edgeY[j + 1] - leftY, cellWidth);
                for (int x = x0; x < x0 + cellWidth; ++x, walkX.Advance(), walkY.Advance()) {
                    const uint8_t* const pixel =
                        source + stride * (leftY + walkY.Value()) + 3 * (leftX + walkX.Value());
                    targetA[x] = pixel[0];
                    targetB[x] = pixel[1];
                }
            });
        }
    });
    return 1;
}
