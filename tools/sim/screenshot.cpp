#include "tools/sim/screenshot.h"

#include <cstdint>
#include <vector>

#include "game/media/display.h"
#include "game/media/host/host_display.h"

#if __has_include(<stb/stb_image_write.h>)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

int WriteScreenshot(const std::string& path) {
  std::vector<uint8_t> indices;
  PaletteEntry colours[PaletteSize];
  if (!HostScreenImage(indices, colours)) return 0;
  std::vector<uint8_t> rgb(indices.size() * 3);
  for (size_t i = 0; i < indices.size(); ++i) {
    const PaletteEntry& c = colours[indices[i]];
    rgb[3 * i] = c.red;
    rgb[3 * i + 1] = c.green;
    rgb[3 * i + 2] = c.blue;
  }
  return stbi_write_png(path.c_str(), ScreenWidth, ScreenHeight, 3, rgb.data(), ScreenWidth * 3) != 0;
}
#else
// Built without the PNG writer (the cross build): no pictures.
int WriteScreenshot(const std::string&) { return 0; }
#endif
