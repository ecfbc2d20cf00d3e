#include "files/hex_writer.h"

#include <algorithm>
#include <vector>

#include "model/hex_text.h"

namespace kalmar {

namespace {

std::string record(std::uint16_t address, const std::vector<std::uint8_t>& data) {
  std::uint32_t sum = static_cast<std::uint32_t>(data.size()) + (address >> 8) + (address & 0xFF);
  std::string line = ":" + hex2(static_cast<std::uint32_t>(data.size())) + hex4(address) + "00";
  for (std::uint8_t byte : data) {
    line += hex2(byte);
    sum += byte;
  }
  return line + hex2((0x100 - (sum & 0xFF)) & 0xFF) + "\r\n";
}

// Words as records of up to eight words, skipping all-blank runs.
void appendWords(std::string& out, std::uint16_t byteAddress, const std::uint16_t* words, int count,
                 std::uint16_t blank, bool skipBlank) {
  for (int first = 0; first < count; first += 8) {
    const int n = std::min(8, count - first);
    bool allBlank = true;
    std::vector<std::uint8_t> data;
    for (int i = first; i < first + n; ++i) {
      allBlank = allBlank && words[i] == blank;
      data.push_back(static_cast<std::uint8_t>(words[i] & 0xFF));
      data.push_back(static_cast<std::uint8_t>(words[i] >> 8));
    }
    if (skipBlank && allBlank) continue;
    out += record(static_cast<std::uint16_t>(byteAddress + 2 * first), data);
  }
}

}  // namespace

std::string bufferToHex(const Buffer& buffer, int programWords, int dataBytes,
                        int configWords, std::uint16_t configBase) {
  // The 16-bit record addresses of configuration space and data memory.
  const bool extended = configBase == 0x8000;
  const std::uint16_t config = extended ? 0x0000 : 0x4000;
  const std::uint16_t data = extended ? 0xE000 : 0x4200;
  std::string out;
  appendWords(out, 0x0000, buffer.program.data(), programWords, kBlankWord, true);
  if (extended) out += ":020000040001F9\r\n";
  appendWords(out, config, buffer.ids.data(), 4, kBlankWord, false);
  appendWords(out, config + 0x0E, &buffer.config, 1, kBlankWord, false);
  if (configWords == 2) appendWords(out, config + 0x10, &buffer.config2, 1, kBlankWord, false);
  std::vector<std::uint16_t> bytes(buffer.data.begin(), buffer.data.begin() + dataBytes);
  appendWords(out, data, bytes.data(), dataBytes, kBlankByte, true);
  return out + ":00000001FF\r\n";
}

}  // namespace kalmar
