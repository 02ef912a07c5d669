#include "view/draw_frame.h"

#include <exception>

#include "view/frame_painter.h"
#include "view/screens.h"

namespace tavrine {

FrameResult DrawFrame(SimContext& ctx, Canvas& canvas, const FrameOptions& options) {
    FrameResult result;
    if (!canvas.CanDraw()) return result;
    try {
        if (ctx.Run.EditMode || !ctx.Run.TitleShown) {
            frame::Painter painter{ctx, canvas, options, ctx.Run.DisplayWidth, ctx.Run.DisplayHeight};
            painter.DrawWorld();
            painter.DrawOverlay();
        } else {
            // The battlefield stands still under the title.
            result.OfferLoadGame = DrawTitle(ctx.Run, canvas, ctx.Run.DisplayWidth, ctx.Run.DisplayHeight);
        }
        canvas.Flip();
    } catch (const std::exception&) {
        // A frame that cannot be finished (out of memory for a text, a canvas
        // failure) is dropped; the next tick draws afresh.
    }
    return result;
}

}  // namespace tavrine
