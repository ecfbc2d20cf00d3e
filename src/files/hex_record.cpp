#include "files/hex_record.h"

#include "model/hex_text.h"

namespace kalmar {

namespace {

int byteAt(std::string_view line, std::size_t position) {  // 1-based position
  return hexDigitValue(line[position - 1]) * 16 + hexDigitValue(line[position]);
}

constexpr std::uint32_t kConfigByte = 0x10000, kDataByte = 0x1E000;

std::uint32_t bytesOf(int words) {
  return 2U * static_cast<std::uint32_t>(words);
}

// Program memory, configuration space 8000h-800Fh, data memory.
bool withinExtended(std::uint32_t address, int count, const HexLimits& limits) {
  const std::uint32_t end = address + static_cast<std::uint32_t>(count);
  if (end <= bytesOf(limits.programWords)) return true;
  if (address >= kConfigByte && end <= kConfigByte + 0x20) return true;
  return address >= kDataByte && end <= kDataByte + bytesOf(limits.dataBytes);
}

bool withinLimit(std::uint32_t base, int address, int count, const HexLimits& limits) {
  if (limits.extended())
    return withinExtended(base + static_cast<std::uint32_t>(address), count, limits);
  if (address + count <= 2 * limits.programWords) return true;
  if (address < 0x4000 || address > limits.dataAreaEnd()) return false;
  return limits.dataBytes != 64 || address + count <= 0x4280;
}

}  // namespace

HexParse parseHexRecord(std::string_view line, const HexLimits& limits, std::uint32_t base) {
  HexParse result;
  if (line.empty() || line[0] != ':') {
    result.error = HexError::FirstCharacter;
    return result;
  }
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (hexDigitValue(line[i]) < 0) {
      result.error = HexError::BadCharacter;
      result.badCharacter = line[i];
      return result;
    }
  }
  // Too short to hold count, address, type and checksum: nothing past its
  // end is read.
  if (line.size() < 11) {
    result.error = HexError::Checksum;
    return result;
  }
  HexRecord& record = result.record;
  record.count = byteAt(line, 2);
  record.address = static_cast<std::uint16_t>(byteAt(line, 4) * 256 + byteAt(line, 6));
  if (!withinLimit(base, record.address, record.count, limits)) {
    result.error = HexError::Addressing;
    return result;
  }
  if (line.size() != static_cast<std::size_t>(2 * record.count + 11)) {
    result.error = HexError::Checksum;
    return result;
  }
  record.type = byteAt(line, 8);
  int sum = record.count + (record.address >> 8) + (record.address & 0xFF) + record.type;
  record.data.reserve(static_cast<std::size_t>(record.count));
  for (int i = 0; i < record.count; ++i) {
    int byte = byteAt(line, 10 + 2 * static_cast<std::size_t>(i));
    record.data.push_back(static_cast<std::uint8_t>(byte));
    sum += byte;
  }
  sum += byteAt(line, 10 + 2 * static_cast<std::size_t>(record.count));
  if ((sum & 0xFF) != 0) result.error = HexError::Checksum;
  return result;
}

namespace {

HexArea routeExtended(std::uint32_t address, int count, const HexLimits& limits) {
  if (address + static_cast<std::uint32_t>(count) <= bytesOf(limits.programWords))
    return HexArea::Program;
  if (address >= kDataByte) return HexArea::Data;
  if (address >= kConfigByte && address < kConfigByte + 8) return HexArea::Id;
  if (address == kConfigByte + 0x0E) return HexArea::Config;
  if (address == kConfigByte + 0x10) return HexArea::Config2;
  if (address == 2U * limits.calibrationWordAt) return HexArea::Calibration;
  return HexArea::Ignored;
}

}  // namespace

HexArea routeOf(const HexRecord& record, const HexLimits& limits, std::uint32_t base) {
  if (limits.extended()) return routeExtended(base + record.address, record.count, limits);
  const int address = record.address;
  if (address + record.count <= limits.programAreaEnd()) return HexArea::Program;
  if (address == 0x400E) return HexArea::Config;
  if (address == 0x4010 && limits.configWords == 2) return HexArea::Config2;
  if (limits.calibrationWordAt != 0 && address == 2 * limits.calibrationWordAt)
    return HexArea::Calibration;
  if (address >= 0x4000 && address <= 0x4007) return HexArea::Id;
  if (address >= 0x41FF && address < limits.dataAreaEnd()) return HexArea::Data;
  return HexArea::Ignored;
}

}  // namespace kalmar
