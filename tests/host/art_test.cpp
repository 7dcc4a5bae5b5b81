// The generated artwork against the rectangles the game cuts from it.
// Reads the bitmaps from $ZARVEL_DATA_DIR, else from the folder the build
// names in ZARVEL_DATA_DIR, and the manifest sheet_rects.txt beside them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> palette;  // 256 x (blue, green, red, reserved)
    std::vector<uint8_t> pixels;   // top-down rows, palette indices
};

struct CutRect {
    std::string sheet;
    int left, top, right, bottom, flags;
    std::string label;
};

std::string DataDir() {
    if (const char* env = std::getenv("ZARVEL_DATA_DIR")) return env;
#ifdef ZARVEL_DATA_DIR
    return ZARVEL_DATA_DIR;
#else
    return "data";
#endif
}

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

// Accepts exactly the format the game is shipped with: BITMAPINFOHEADER,
// 8 bits, uncompressed, a full 256-entry table, bottom-up rows.
int ReadBitmap(const std::string& path, Bitmap& bmp) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 14 + 40 + 1024 || b[0] != 'B' || b[1] != 'M') return 0;
    if (Le(b, 14, 4) != 40 || Le(b, 28, 2) != 8 || Le(b, 30, 4) != 0) return 0;
    int32_t w = (int32_t)Le(b, 18, 4), h = (int32_t)Le(b, 22, 4);
    uint32_t used = Le(b, 46, 4), offset = Le(b, 10, 4);
    if (w <= 0 || h <= 0 || (used != 0 && used != 256)) return 0;
    size_t stride = ((size_t)w + 3) & ~(size_t)3;
    if (offset < 14 + 40 + 1024 || b.size() < offset + stride * h) return 0;
    bmp.width = w;
    bmp.height = h;
    bmp.palette.assign(b.begin() + 54, b.begin() + 54 + 1024);
    bmp.pixels.resize((size_t)w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bmp.pixels[(size_t)y * w + x] = b[offset + (size_t)(h - 1 - y) * stride + x];
    return 1;
}

// Palette index whose colour is TransparentColour, RGB(26, 3, 255); -1 if none.
int KeyIndex(const Bitmap& bmp) {
    for (int i = 0; i < 256; ++i) {
        const uint8_t* e = &bmp.palette[i * 4];
        if (e[2] == 26 && e[1] == 3 && e[0] == 255) return i;
    }
    return -1;
}

const char* const SheetNames[] = {"font_.bmp", "comm_.bmp", "back_.bmp", "back2_.bmp",
                                  "block1_.bmp", "enamy1_.bmp", "boss1_.bmp"};

class ArtTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const char* name : SheetNames) {
            Bitmap bmp;
            if (ReadBitmap(DataDir() + "/" + name, bmp)) Sheets[name] = bmp;
        }
        std::ifstream in(DataDir() + "/sheet_rects.txt");
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream ss(line.substr(0, line.find('#')));
            CutRect r;
            if (ss >> r.sheet >> r.left >> r.top >> r.right >> r.bottom >> r.flags >> r.label)
                Rects.push_back(r);
        }
    }
    static std::map<std::string, Bitmap> Sheets;
    static std::vector<CutRect> Rects;
};

std::map<std::string, Bitmap> ArtTest::Sheets;
std::vector<CutRect> ArtTest::Rects;

TEST_F(ArtTest, EveryBitmapIsAnEightBitSheetWithTheKeyColour) {
    for (const char* name : SheetNames) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Sheets.count(name), 1u) << "missing or not an 8-bit BITMAPINFOHEADER bitmap";
        EXPECT_GE(KeyIndex(Sheets[name]), 0);
    }
}

TEST_F(ArtTest, AllBitmapsShareOnePalette) {
    ASSERT_EQ(Sheets.count("font_.bmp"), 1u);
    const std::vector<uint8_t>& font = Sheets["font_.bmp"].palette;
    for (const auto& [name, bmp] : Sheets) EXPECT_EQ(bmp.palette, font) << name;
    // DirectDraw keeps entries 0 and 255 black and white; GDI maps pixels by
    // nearest colour, so two equal entries would merge on loading.
    EXPECT_EQ(std::vector<uint8_t>(font.begin(), font.begin() + 3), (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(font.begin() + 1020, font.begin() + 1023), (std::vector<uint8_t>{255, 255, 255}));
    std::map<uint32_t, int> seen;
    for (int i = 0; i < 256; ++i) {
        uint32_t c = (uint32_t)Le(font, i * 4, 3);
        EXPECT_EQ(seen.count(c), 0u) << "entries " << seen[c] << " and " << i << " are one colour";
        seen[c] = i;
    }
}

// Sizes the game's drawing code relies on: 32 glyph cells of 16 per row,
// three rows; background tiles of 128 with the ground strip beside them.
TEST_F(ArtTest, SheetsAreTheSizesTheGameCuts) {
    struct { const char* name; int minWidth, minHeight; } const table[] = {
        {"font_.bmp", 512, 48}, {"back_.bmp", 256, 128}, {"back2_.bmp", 256, 128},
        {"block1_.bmp", 256, 256}, {"boss1_.bmp", 161, 343}, {"enamy1_.bmp", 439, 191},
    };
    for (const auto& t : table) {
        SCOPED_TRACE(t.name);
        ASSERT_EQ(Sheets.count(t.name), 1u);
        EXPECT_GE(Sheets[t.name].width, t.minWidth);
        EXPECT_GE(Sheets[t.name].height, t.minHeight);
    }
}

TEST_F(ArtTest, ManifestNamesEverySheetAndEveryGlyph) {
    std::map<std::string, int> perSheet;
    for (const CutRect& r : Rects) perSheet[r.sheet]++;
    for (const char* name : SheetNames) EXPECT_GT(perSheet[name], 0) << name;
    EXPECT_EQ(perSheet["font_.bmp"], 94);  // "!" to "~"
}

// Each cut lies on its sheet and shows something; an opaque cut (background,
// block, gauge, star streak) holds no key colour, which would show as blue.
TEST_F(ArtTest, EveryCutRectangleIsOnItsSheetAndVisible) {
    ASSERT_GT(Rects.size(), 100u);
    for (const CutRect& r : Rects) {
        SCOPED_TRACE(r.sheet + " " + r.label);
        ASSERT_EQ(Sheets.count(r.sheet), 1u);
        const Bitmap& bmp = Sheets[r.sheet];
        ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom);
        ASSERT_LE(r.right, bmp.width);
        ASSERT_LE(r.bottom, bmp.height);
        int key = KeyIndex(bmp), visible = 0, clear = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                (bmp.pixels[(size_t)y * bmp.width + x] == key ? clear : visible)++;
        EXPECT_GT(visible, 0);
        if (r.flags == 0) {
            EXPECT_EQ(clear, 0);
        }
    }
}

// The pen advances 12 pixels, so the last 4 columns of a glyph cell would
// be overdrawn by the next glyph: they must stay clear.
TEST_F(ArtTest, GlyphCellsKeepTheirRightmostFourColumnsClear) {
    ASSERT_EQ(Sheets.count("font_.bmp"), 1u);
    const Bitmap& font = Sheets["font_.bmp"];
    int key = KeyIndex(font);
    for (const CutRect& r : Rects) {
        if (r.sheet != "font_.bmp") continue;
        SCOPED_TRACE(r.label);
        ASSERT_EQ(r.right - r.left, 16);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.right - 4; x < r.right; ++x)
                EXPECT_EQ(font.pixels[(size_t)y * font.width + x], key) << "at " << x << "," << y;
    }
}

}  // namespace
