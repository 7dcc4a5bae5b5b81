// libFuzzer target: any bytes as a setup.ini, asked for random sections,
// keys and entries with random buffer sizes. The reader must never write
// past the buffer, must store exactly the count it returns, must leave the
// buffer alone when it returns 0, and never hand out a line end or a ';'.
// The same text then goes through setup-check's whole report.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "setup/install/ini_text.h"
#include "tools/setup_check/check_report.h"

namespace {

const char* const Names[] = {"init", "Install", "InstallWindows", "Exec", "UninstallSetting",
                             "CopyDir", "BigTitle", "msgA", "RegName", "StarMenuSet", "", "1"};
constexpr size_t NameCount = sizeof Names / sizeof Names[0];

struct Input {
  const uint8_t* data;
  size_t size;
  uint8_t Byte() {
    if (!size) return 0;
    --size;
    return *data++;
  }
  // A name from the list, or up to 15 bytes of the input itself.
  std::vector<char> Name() {
    uint8_t pick = Byte();
    if (pick < 0x80) {
      const char* n = Names[pick % NameCount];
      return std::vector<char>(n, n + std::strlen(n) + 1);
    }
    size_t length = pick & 15;
    if (length > size) length = size;
    std::vector<char> n(data, data + length);
    n.push_back(0);
    data += length;
    size -= length;
    return n;
  }
};

void Expect(bool ok) {
  if (!ok) __builtin_trap();
}

void CheckStored(const char* buffer, size_t bufferSize, int count, const std::vector<char>& before) {
  Expect(count >= 0 && static_cast<size_t>(count) < (bufferSize ? bufferSize : 1));
  Expect(count <= IniLineMax);
  if (count == 0) {
    Expect(std::memcmp(buffer, before.data(), bufferSize) == 0);
    return;
  }
  Expect(buffer[count] == 0 && std::strlen(buffer) == static_cast<size_t>(count));
  Expect(!std::strpbrk(buffer, "\r\n;"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  size_t bufferSize = in.Byte() + in.Byte() % 64;  // 0 .. 318: short ones and past a line
  std::vector<char> section = in.Name();
  std::vector<char> key = in.Name();
  int n = in.Byte() % 8 - 1;
  bool skip = in.Byte() & 1;
  // The text in a heap block of its own size, so any over-read is seen.
  char* text = new char[in.size + 1];
  std::memcpy(text, in.data, in.size);
  text[in.size] = 0;

  std::vector<char> before(bufferSize ? bufferSize : 1, '\x5a');
  std::vector<char> buffer = before;
  char* out = bufferSize ? buffer.data() : nullptr;
  int count = GetValue(text, section.data(), key.data(), out, bufferSize, skip);
  if (bufferSize) CheckStored(buffer.data(), bufferSize, count, before);
  else Expect(count == 0);

  buffer = before;
  count = GetEntry(text, section.data(), n, out, bufferSize);
  if (bufferSize) CheckStored(buffer.data(), bufferSize, count, before);
  else Expect(count == 0);
  if (count > 0) Expect(*SkipBlanks(buffer.data()) == buffer[0]);

  Report report;
  CheckSetupIni(text, in.size, nullptr, report);
  delete[] text;
  return 0;
}
