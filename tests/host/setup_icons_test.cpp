// setup.exe's icons as the asset generator writes them: well-formed .ico
// files with 16, 32 and 48 pixel images, transparent corners, opaque middle.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string IconPath(const char* name) {
  const char* dir = std::getenv("ZARVEL_DATA_DIR");
  return std::string(dir ? dir : ZARVEL_DATA_DIR) + "/" + name;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t IconLe(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b.at(at + i);
  return v;
}

// Alpha of pixel (x, y), y counted from the top, of the image at `image`.
int Alpha(const std::vector<uint8_t>& b, size_t image, int n, int x, int y) {
  return b.at(image + 40 + (static_cast<size_t>(n - 1 - y) * n + x) * 4 + 3);
}

}  // namespace

TEST(SetupIcons, BothIconsHoldThreeWellFormedImages) {
  std::vector<uint8_t> icons[2] = {ReadAll(IconPath("setup_icon.ico")),
                                   ReadAll(IconPath("uninstall_icon.ico"))};
  for (const std::vector<uint8_t>& b : icons) {
    ASSERT_GE(b.size(), 6u);
    EXPECT_EQ(IconLe(b, 0, 2), 0u);
    EXPECT_EQ(IconLe(b, 2, 2), 1u);  // icon, not cursor
    ASSERT_EQ(IconLe(b, 4, 2), 3u);
    const int sizes[3] = {16, 32, 48};
    for (int k = 0; k < 3; ++k) {
      size_t entry = 6 + 16 * k;
      int n = sizes[k];
      EXPECT_EQ(b.at(entry), n);
      EXPECT_EQ(IconLe(b, entry + 6, 2), 32u);
      uint32_t bytes = IconLe(b, entry + 8, 4), at = IconLe(b, entry + 12, 4);
      ASSERT_LE(static_cast<size_t>(at) + bytes, b.size());
      size_t maskRow = ((n + 31) / 32) * 4;
      EXPECT_EQ(bytes, 40 + n * n * 4 + maskRow * n);
      EXPECT_EQ(IconLe(b, at, 4), 40u);
      EXPECT_EQ(static_cast<int>(IconLe(b, at + 8, 4)), 2 * n);  // colour and mask
      EXPECT_EQ(Alpha(b, at, n, 0, 0), 0) << n;
      EXPECT_EQ(Alpha(b, at, n, n - 1, n - 1), 0) << n;
      EXPECT_EQ(Alpha(b, at, n, n / 2, n / 2), 255) << n;
    }
  }
  EXPECT_NE(icons[0], icons[1]);
}
