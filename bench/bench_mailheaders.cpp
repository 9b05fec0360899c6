// Decoding the longest header a POP3 answer may carry (256 KB): plain text,
// against the same length of encoded-word openings that never close, which
// a broken or hostile server may send and which must not cost more than a
// pass over the text.
#include "core/net/MailHeaders.h"
#include "core/net/Pop3Session.h"

#include <benchmark/benchmark.h>

using namespace zorvex;

namespace {

QByteArray repeated(const QByteArray& piece)
{
    QByteArray out;
    while (out.size() + piece.size() <= Pop3Session::kMaxHeaderBlock)
        out += piece;
    return out;
}

void BM_PlainHeader(benchmark::State& state)
{
    const QByteArray value = repeated("Zebranie ");
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeHeaderWords(value));
}
BENCHMARK(BM_PlainHeader)->Unit(benchmark::kMillisecond);

void BM_UnclosedWords(benchmark::State& state)
{
    const QByteArray value = repeated("=?a?q?x");
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeHeaderWords(value));
}
BENCHMARK(BM_UnclosedWords)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
