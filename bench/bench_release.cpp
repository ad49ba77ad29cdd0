// Link parsing and build date: per-call cost on a typical link, and the
// version search through a 1 MB text whose link stands at the end, beside a
// plain std::string::find of the same link text over the same bytes.
#include <benchmark/benchmark.h>

#include <string>

#include "release/build_date.h"
#include "release/links.h"

namespace {

using tessavel::Text;

const Text kLink = "http://files.mcneel.com/dujour/exe/20190709/rhino_en-us_6.17.19190.13001.exe";

// About 1 MB of ordinary prose with digits and dots in it, then the link.
const Text& LargeText() {
  static const Text text = [] {
    const Text line = "Download the offline installer 6.17 from the vendor's site, build 1919 of 2019. ";
    Text t;
    while (t.size() + line.size() + kLink.size() <= (1u << 20)) t += line;
    return t + kLink;
  }();
  return text;
}

void BM_ExtractVersion(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(tessavel::ExtractVersion(kLink));
}
BENCHMARK(BM_ExtractVersion);

void BM_ExtractDateFolder(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(tessavel::ExtractDateFolder(kLink));
}
BENCHMARK(BM_ExtractDateFolder);

void BM_ExtractLanguage(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(tessavel::ExtractLanguage(kLink));
}
BENCHMARK(BM_ExtractLanguage);

void BM_BuildDateFromVersion(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(tessavel::BuildDateFromVersion(kLink));
}
BENCHMARK(BM_BuildDateFromVersion);

void BM_ExtractVersion_1MB(benchmark::State& state) {
  const Text& text = LargeText();
  if (tessavel::ExtractVersion(text) != "6.17.19190.13001") {
    state.SkipWithError("version not found at the end of the text");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(tessavel::ExtractVersion(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ExtractVersion_1MB)->Unit(benchmark::kMillisecond);

// The reference: the fastest plain scan of the same bytes for the same link.
void BM_StringFind_1MB(benchmark::State& state) {
  const Text& text = LargeText();
  if (text.find(kLink) != text.size() - kLink.size()) {
    state.SkipWithError("link not found at the end of the text");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(text.find(kLink));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_StringFind_1MB)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
