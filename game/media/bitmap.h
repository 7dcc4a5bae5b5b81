#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The game's pictures: Windows bitmaps of 8 bits per pixel, uncompressed,
// either a whole ".bmp" file or a bitmap resource (the same without the
// 14-byte file header).
struct DecodedBitmap {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;  // palette indices, top row first, width bytes a row
};

// Largest side we accept; anything bigger is not one of our sheets.
constexpr int32_t BitmapMaxSide = 8192;

// 1 and the picture, or 0 when the bytes are not a bitmap we can use.
int32_t DecodeBitmapFile(const uint8_t* data, size_t size, DecodedBitmap& out);
int32_t DecodeBitmapResource(const uint8_t* data, size_t size, DecodedBitmap& out);

// Little-endian fields of the headers, read only inside the buffer.
uint32_t ReadLe32(const uint8_t* p);
uint16_t ReadLe16(const uint8_t* p);
