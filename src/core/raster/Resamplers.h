// Drawing one bitmap stretched onto a rectangle of another. The source's
// resampler decides how target pixels are sampled from it; its draw and combine
// modes decide how the samples land (see core/Blend.h). Both resamplers work
// on premultiplied colours, so the colour of a transparent pixel never bleeds
// into its neighbours.
#pragma once

#include <memory>

#include "core/raster/Bitmap32.h"
#include "core/base/Rect.h"

class TResampler {
public:
  virtual ~TResampler() = default;
  // Fills `clip` (inside both `rect` and the target) with what `source`,
  // stretched over the whole of `rect`, shows there. The caller checks that
  // rect and source are not empty.
  virtual void Resample(TBitmap32& target, const TRectI& rect, const TRectI& clip, const TBitmap32& source) const = 0;
};

// Linear interpolation between the four source pixels around each target
// pixel's centre, pixel centres aligned, edge pixels held beyond the edges.
// For enlarging and mild shrinking: shrinking far skips source pixels.
class TLinearResampler : public TResampler {
public:
  void Resample(TBitmap32& target, const TRectI& rect, const TRectI& clip, const TBitmap32& source) const override;
};

// Fast and coarse: each target pixel is the plain average of the block of
// source pixels it covers (blocks of whole pixels that tile the source, so a
// large picture is read once), or, when enlarging, the nearest source pixel.
class TDraftResampler : public TResampler {
public:
  void Resample(TBitmap32& target, const TRectI& rect, const TRectI& clip, const TBitmap32& source) const override;
};

// Shared instances, for SetResampler.
std::shared_ptr<const TResampler> LinearResampler();
std::shared_ptr<const TResampler> DraftResampler();

// Draws the whole source stretched over `rect` of the target (clipped to the
// target) with the source's resampler, the draft one when it has none.
// Nothing happens for an empty source or rectangle.
void StretchBitmap(TBitmap32& target, const TRectI& rect, const TBitmap32& source);
