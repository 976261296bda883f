// ZoCollage: the paper fill of every piece and the rim shadows; see zo_collage.h.
#include "styles/kolda/zo_collage.h"

#include "engine/status_text.h"
#include "styles/kolda/collage_shadow.h"

namespace kolda {

ZoCollage::ZoCollage(const EngineContext& context) : ZoPart(context), paper_(context) {
    StatusCopy(Status(), texts::kCollagePrefix);
}

void ZoCollage::FillPart() {
    paper_.BeginPiece(PieceRed(), PieceGreen(), PieceBlue(), PieceCount());
    for (int i = 0; i < SpanCount(); ++i) paper_.PaintSpan(SpanLeft(i), SpanRight(i), SpanRow(i));
}

int ZoCollage::ShadowEdges(int length, int lightDelta, int chromaDelta) {
    if (!IsValid()) return 0;
    int32_t meanFocus[256];
    for (int label = 0; label < 256; ++label) meanFocus[label] = MeanFocus(label);
    return ::ShadowEdges(Canvas(), LabelMap(), meanFocus, length, lightDelta, chromaDelta,
                         Status());
}

}  // namespace kolda
