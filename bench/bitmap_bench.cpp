// Loading the seven sheets from memory (decoding and bringing them to the
// game's palette): the 8-bit art as delivered, and the same sheets saved as
// 24 bits, which go through the nearest-colour match.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/media/bitmap.h"
#include "game/media/host/host_display.h"
#include "game/media/palette.h"
#include "tests/host/bitmap_writer.h"

namespace {
struct SheetBytes {
  PaletteEntry palette[PaletteSize];
  std::vector<std::vector<uint8_t>> eightBit, trueColour;
};

const SheetBytes& Sheets() {
  static SheetBytes s = [] {
    SheetBytes made;
    BuildPaletteTable("font_.bmp", made.palette);
    const BitmapFormat trueColour = {"24 bits", 40, 24, 0, false, {}, false};
    for (const char* name : {"font_.bmp", "comm_.bmp", "back_.bmp", "back2_.bmp", "block1_.bmp",
                             "enamy1_.bmp", "boss1_.bmp"}) {
      std::ifstream in(HostDataDir() + "/" + name, std::ios::binary);
      made.eightBit.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      DecodedBitmap art;
      DecodeBitmapFile(made.eightBit.back().data(), made.eightBit.back().size(), art);
      made.trueColour.push_back(WriteBitmap(trueColour, art.width, art.height, art.pixels, made.palette));
    }
    return made;
  }();
  return s;
}

void LoadAll(benchmark::State& state, bool trueColour) {
  const SheetBytes& s = Sheets();
  const auto& files = trueColour ? s.trueColour : s.eightBit;
  int64_t pixels = 0;
  for (auto _ : state) {
    for (const std::vector<uint8_t>& file : files) {
      DecodedBitmap b;
      if (!DecodeBitmapFile(file.data(), file.size(), b)) state.SkipWithError("not decoded");
      MapBitmapToPalette(b, s.palette);
      pixels += int64_t(b.pixels.size());
      benchmark::DoNotOptimize(b.pixels.data());
    }
  }
  state.counters["pixels/s"] = benchmark::Counter(double(pixels), benchmark::Counter::kIsRate);
}
}  // namespace

BENCHMARK_CAPTURE(LoadAll, SevenSheets8Bit, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(LoadAll, SevenSheets24Bit, true)->Unit(benchmark::kMicrosecond);
