#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Builders of RIFF images for the sound and music tests.
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> 8 * i));
}
inline void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v)), out.push_back(uint8_t(v >> 8));
}
inline void PutId(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

inline std::vector<uint8_t> Chunk(const char* id, const std::vector<uint8_t>& body) {
  std::vector<uint8_t> out;
  PutId(out, id);
  Put32(out, uint32_t(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() & 1) out.push_back(0);
  return out;
}

// A "fmt " body: tag, channels, rate, 16 bits; extra size and bytes when given.
inline std::vector<uint8_t> FormatBody(uint16_t tag, int32_t extraSize = -1,
                                       std::vector<uint8_t> extra = {}) {
  std::vector<uint8_t> b;
  Put16(b, tag), Put16(b, 1), Put32(b, 22050), Put32(b, 44100), Put16(b, 2), Put16(b, 16);
  if (extraSize >= 0) Put16(b, uint16_t(extraSize));
  b.insert(b.end(), extra.begin(), extra.end());
  return b;
}

inline std::vector<uint8_t> Riff(const char* form, const std::vector<std::vector<uint8_t>>& chunks) {
  std::vector<uint8_t> body;
  PutId(body, form);
  for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
  return Chunk("RIFF", body);
}

inline bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// A MIDI stream file: time format, max buffer, flags and the buffers' bytes.
inline std::vector<uint8_t> MdsImage(uint32_t timeFormat, uint32_t maxBuffer, uint32_t flags,
                                     const std::vector<std::vector<uint8_t>>& buffers) {
  std::vector<uint8_t> fmt, data;
  Put32(fmt, timeFormat), Put32(fmt, maxBuffer), Put32(fmt, flags);
  Put32(data, uint32_t(buffers.size()));
  for (const auto& b : buffers) {
    Put32(data, 0), Put32(data, uint32_t(b.size()));
    data.insert(data.end(), b.begin(), b.end());
  }
  return Riff("MIDS", {Chunk("fmt ", fmt), Chunk("data", data)});
}

// Stream events: (delta, event) pairs, with or without a stream id.
inline std::vector<uint8_t> Events(const std::vector<std::pair<uint32_t, uint32_t>>& list, bool ids) {
  std::vector<uint8_t> out;
  for (const auto& e : list) {
    Put32(out, e.first);
    if (ids) Put32(out, 0);
    Put32(out, e.second);
  }
  return out;
}
