// libFuzzer target: build with -DKALMAR_FUZZ=ON and clang.
#include "fuzz_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kalmar::fuzz::loadHex(data, size);
  return 0;
}
