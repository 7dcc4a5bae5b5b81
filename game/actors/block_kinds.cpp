#include "game/actors/block_kinds.h"

#include <cstddef>

namespace {

template <size_t N>
struct FrameList {
  Rect frames[N];
};

// Frames picked from a few cells by a string of digits, one digit a frame.
template <size_t N, size_t C>
constexpr FrameList<N> PickFrames(const char (&order)[N + 1], const Rect (&cells)[C]) {
  FrameList<N> list{};
  for (size_t i = 0; i < N; ++i) list.frames[i] = cells[static_cast<size_t>(order[i] - '0')];
  return list;
}

// A shutter: fixed bottom edge, the top edge moving.
template <size_t N>
constexpr FrameList<N> ShutterFrames(const int16_t (&tops)[N]) {
  FrameList<N> list{};
  for (size_t i = 0; i < N; ++i) list.frames[i] = {192, tops[i], 256, 192};
  return list;
}

// A piston: fixed top edge on the sheet, the bottom edge moving; drawn with the
// bottom-right anchor, so on screen it grows upward.
template <size_t N>
constexpr FrameList<N> PistonFrames(const int16_t (&bottoms)[N]) {
  FrameList<N> list{};
  for (size_t i = 0; i < N; ++i) list.frames[i] = {192, 128, 256, bottoms[i]};
  return list;
}

constexpr Rect FramesA[] = {{192, 128, 256, 192}};

// B: a wall whose texture shifts by half a block.
constexpr Rect CellsB[] = {{0, 128, 64, 192}, {32, 128, 96, 192}};
constexpr char OrderB[] =
    "00011100011101010101"
    "00011100011101010101"
    "000000000000000"
    "111111";
constexpr auto FramesB = PickFrames<61>(OrderB, CellsB);

// C: a five-frame machine block.
constexpr Rect CellsC[] = {
    {0, 0, 64, 64}, {64, 0, 128, 64}, {128, 0, 192, 64}, {192, 0, 256, 64}, {0, 64, 64, 128}};
constexpr char OrderC[] =
    "012340012340043210043210"
    "00000000"
    "12340012340043210043210"
    "00000000"
    "1232100123210";
constexpr auto FramesC = PickFrames<76>(OrderC, CellsC);

constexpr Rect FramesD[] = {{64, 64, 128, 128}, {128, 64, 192, 128}, {64, 64, 128, 128}};

// E: a shutter 128 to 1 rows tall hanging from its top edge.
constexpr int16_t TopsE[] = {64,  64,  96,  128, 160, 191, 191, 160, 128, 96,
                             64,  64,  96,  128, 160, 191, 191, 176, 160, 144,
                             128, 128, 144, 160, 176, 191, 191, 160, 128, 96};
constexpr auto FramesE = ShutterFrames(TopsE);

constexpr Rect FramesF[] = {
    {128, 128, 192, 192}, {128, 192, 192, 256}, {64, 192, 128, 256}, {0, 192, 64, 256}};

// G: a piston 1 to 128 rows tall standing on its bottom edge.
constexpr int16_t BottomsG[] = {192, 176, 160, 144, 129, 129, 160, 192, 224, 256,
                                256, 224, 192, 160, 129, 129, 160, 192, 224, 256,
                                256, 224, 192, 160, 129, 129, 144, 160, 176, 192};
constexpr auto FramesG = PistonFrames(BottomsG);

// H and I: half-height blocks for slopes, 64 x 32.
constexpr Rect FramesH[] = {{192, 128, 256, 160}};
constexpr Rect FramesI[] = {{192, 160, 256, 192}};

}  // namespace

const BlockKindInfo BlockKinds[BlockKindCount] = {
    //          frames        count  hold  anchor
    /* A */ {FramesA,          1,    1,    0},
    /* B */ {FramesB.frames,  61,    1,    0},
    /* C */ {FramesC.frames,  76,    1,    0},
    /* D */ {FramesD,          3,    3,    0},
    /* E */ {FramesE.frames,  30,    2,    0},
    /* F */ {FramesF,          4,    5,    0},
    /* G */ {FramesG.frames,  30,    2,    2},
    /* H */ {FramesH,          1,    1,    0},
    /* I */ {FramesI,          1,    1,    0},
};

const BlockKindInfo* FindBlockKind(char cell) {
  if (cell < 'A' || cell > 'I') return nullptr;
  return &BlockKinds[cell - 'A'];
}
