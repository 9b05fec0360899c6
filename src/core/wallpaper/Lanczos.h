#pragma once

#include <QtGlobal>

#include <vector>

namespace zorvex {

// The Lanczos3 kernel sinc(t)·sinc(t/3) for |t| < 3, else 0.
double lanczos3(double t);

// The weights one output pixel takes from the source along one axis.
struct ResampleTaps {
    std::vector<int> offsets;   // per output pixel, where its taps begin; one more at the end
    std::vector<int> index;     // source pixel of each tap, edges mirrored
    std::vector<float> weight;  // normalised: the weights of one output pixel add up to 1
};

// The taps for `dst` output pixels from `src` source pixels: output i sits
// at source position i·(src − 1)/(dst − 1), and when shrinking the kernel is
// widened by the inverse of that scale. Both counts at least 1.
ResampleTaps lanczos3Taps(int src, int dst);

// Separable two-pass Lanczos3 resampling of 24-bit colour held as 0xAARRGGBB
// words (alpha ignored, written as opaque); strides count pixels. False and
// nothing written when either size is below one pixel.
bool resampleLanczos3(const quint32* src, int srcWidth, int srcHeight, qsizetype srcStride, quint32* dst,
                      int dstWidth, int dstHeight, qsizetype dstStride);

} // namespace zorvex
