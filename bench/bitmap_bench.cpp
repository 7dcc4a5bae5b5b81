// Loading the seven sheets from memory (decoding and bringing them to the
// game's palette): the 8-bit art as delivered, and the same sheets saved as
// 24 bits, which go through the nearest-colour match; and the worst sheet
// that match can be given, 2048 x 2048 pixels of 32-bit noise.
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

// Every pixel a colour of its own: the most a nearest-colour mapping is
// ever asked for one sheet.
static void NoiseSheet32Bit(benchmark::State& state) {
  static const std::vector<uint8_t> file = [] {
    const uint32_t side = 2048;
    std::vector<uint8_t> rows(size_t(side) * side * 4);
    uint32_t x = 0x9778182Bu;
    for (uint8_t& b : rows) {
      x ^= x << 13, x ^= x >> 17, x ^= x << 5;
      b = uint8_t(x >> 24);
    }
    const BitmapFormat noise = {"32 bits", 40, 32, 0, false, {0xFF0000, 0xFF00, 0xFF}, false};
    return AssembleBitmap(noise, side, side, {}, rows);
  }();
  const SheetBytes& s = Sheets();
  for (auto _ : state) {
    DecodedBitmap b;
    if (!DecodeBitmapFile(file.data(), file.size(), b)) state.SkipWithError("not decoded");
    MapBitmapToPalette(b, s.palette);
    benchmark::DoNotOptimize(b.pixels.data());
  }
}
BENCHMARK(NoiseSheet32Bit)->Unit(benchmark::kMillisecond);
