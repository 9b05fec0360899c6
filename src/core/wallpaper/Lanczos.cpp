#include "core/wallpaper/Lanczos.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zorvex {

double lanczos3(double t)
{
    t = std::abs(t);
    if (t < 1e-9)
        return 1.0;
    if (t >= 3.0)
        return 0.0;
    const double pt = std::numbers::pi * t;
    return 3.0 * std::sin(pt) * std::sin(pt / 3.0) / (pt * pt);
}

namespace {

int mirrored(int j, int n)
{
    if (n == 1)
        return 0;
    const int period = 2 * (n - 1);
    j %= period;
    if (j < 0)
        j += period;
    return j < n ? j : period - j;
}

} // namespace

ResampleTaps lanczos3Taps(int src, int dst)
{
    ResampleTaps taps;
    taps.offsets.reserve(std::size_t(dst) + 1);
    // One output pixel has no spacing: it takes the middle of the source.
    const double scale = dst > 1 && src > 1 ? double(dst - 1) / double(src - 1) : double(dst) / double(src);
    const double widen = scale < 1.0 ? 1.0 / scale : 1.0;
    const double support = 3.0 * widen;
    for (int i = 0; i < dst; ++i) {
        taps.offsets.push_back(int(taps.index.size()));
        const double centre = dst > 1 && src > 1 ? i / scale : (src - 1) / 2.0;
        const int first = int(std::floor(centre - support));
        const int last = int(std::ceil(centre + support));
        double sum = 0.0;
        const std::size_t begin = taps.weight.size();
        for (int j = first; j <= last; ++j) {
            const double w = lanczos3((j - centre) / widen);
            if (w == 0.0)
                continue;
            taps.index.push_back(mirrored(j, src));
            taps.weight.push_back(float(w));
            sum += w;
        }
        if (taps.weight.size() == begin || std::abs(sum) < 1e-9) {
            taps.weight.resize(begin);
            taps.index.resize(begin);
            taps.index.push_back(std::clamp(int(std::lround(centre)), 0, src - 1));
            taps.weight.push_back(1.0f);
            continue;
        }
        for (std::size_t k = begin; k < taps.weight.size(); ++k)
            taps.weight[k] = float(taps.weight[k] / sum);
    }
    taps.offsets.push_back(int(taps.index.size()));
    return taps;
}

namespace {

quint32 channel(float v)
{
    return quint32(std::clamp(int(std::lround(v)), 0, 255));
}

} // namespace

bool resampleLanczos3(const quint32* src, int srcWidth, int srcHeight, qsizetype srcStride, quint32* dst,
                      int dstWidth, int dstHeight, qsizetype dstStride)
{
    if (srcWidth < 1 || srcHeight < 1 || dstWidth < 1 || dstHeight < 1 || !src || !dst)
        return false;
    const ResampleTaps across = lanczos3Taps(srcWidth, dstWidth);
    const ResampleTaps down = lanczos3Taps(srcHeight, dstHeight);

    // First pass: every source row to the output width, three floats a pixel.
    std::vector<float> rows(std::size_t(srcHeight) * std::size_t(dstWidth) * 3);
    for (int y = 0; y < srcHeight; ++y) {
        const quint32* line = src + qsizetype(y) * srcStride;
        float* out = rows.data() + std::size_t(y) * std::size_t(dstWidth) * 3;
        for (int x = 0; x < dstWidth; ++x) {
            float r = 0, g = 0, b = 0;
            for (int k = across.offsets[x]; k < across.offsets[x + 1]; ++k) {
                const quint32 p = line[across.index[k]];
                const float w = across.weight[k];
                r += w * float((p >> 16) & 0xFF);
                g += w * float((p >> 8) & 0xFF);
                b += w * float(p & 0xFF);
            }
            out[3 * x] = r;
            out[3 * x + 1] = g;
            out[3 * x + 2] = b;
        }
    }

    // Second pass: down the columns to the output height.
    std::vector<float> acc(std::size_t(dstWidth) * 3);
    for (int y = 0; y < dstHeight; ++y) {
        std::fill(acc.begin(), acc.end(), 0.0f);
        for (int k = down.offsets[y]; k < down.offsets[y + 1]; ++k) {
            const float w = down.weight[k];
            const float* in = rows.data() + std::size_t(down.index[k]) * std::size_t(dstWidth) * 3;
            for (std::size_t i = 0; i < acc.size(); ++i)
                acc[i] += w * in[i];
        }
        quint32* line = dst + qsizetype(y) * dstStride;
        for (int x = 0; x < dstWidth; ++x)
            line[x] = 0xFF000000u | channel(acc[3 * x]) << 16 | channel(acc[3 * x + 1]) << 8 | channel(acc[3 * x + 2]);
    }
    return true;
}

} // namespace zorvex
