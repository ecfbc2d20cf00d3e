#!/usr/bin/env bash
# Draws the program icon (src/desktop/pictures.cpp) into data/windows/kalmar.ico,
# the icon resource of the Windows program: 16, 32 and 48 pixels, each a
# 32-bit bitmap with its alpha and an AND mask. Run it after changing the
# drawing and commit the icon with the change:
#   tools/make-ico.sh [OUT.ico]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$repo/data/windows/kalmar.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/make_ico.cpp" <<'EOF'
// Writes an .ico of the program icon: ICONDIR, one ICONDIRENTRY a size, then
// each image as a BITMAPINFOHEADER (height doubled for the mask), BGRA rows
// from the bottom and the 1-bit AND mask (set where fully transparent),
// its rows padded to 4 bytes. All fields little-endian.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <vector>

#include "desktop/pictures.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, unsigned v) {
  b.push_back(v & 0xff);
  b.push_back(v >> 8 & 0xff);
}
void put32(Bytes& b, std::uint32_t v) {
  put16(b, v & 0xffff);
  put16(b, v >> 16);
}

Bytes bitmapOf(const kalmar::desktop::Picture& p) {
  const int maskStride = (p.width + 31) / 32 * 4;
  Bytes b;
  put32(b, 40);  // biSize
  put32(b, p.width);
  put32(b, p.height * 2);  // the colours and the mask
  put16(b, 1);             // biPlanes
  put16(b, 32);            // biBitCount
  put32(b, 0);             // BI_RGB
  put32(b, p.width * p.height * 4 + maskStride * p.height);
  for (int i = 0; i < 4; ++i) put32(b, 0);  // resolution, colours used and important
  for (int y = p.height - 1; y >= 0; --y)
    for (int x = 0; x < p.width; ++x) {
      const std::uint32_t argb = p.pixels[y * p.width + x];
      put32(b, argb);  // 0xAARRGGBB little-endian: B, G, R, A
    }
  for (int y = p.height - 1; y >= 0; --y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < p.width; ++x)
      if (p.pixels[y * p.width + x] >> 24 == 0) row[x / 8] |= 0x80 >> x % 8;
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const int sizes[] = {16, 32, 48};
  std::vector<Bytes> images;
  for (int size : sizes) images.push_back(bitmapOf(kalmar::desktop::programPicture(size)));
  Bytes file;
  put16(file, 0);  // reserved
  put16(file, 1);  // an icon
  put16(file, images.size());
  std::uint32_t offset = 6 + 16 * images.size();
  for (std::size_t i = 0; i < images.size(); ++i) {
    file.push_back(sizes[i]);  // width
    file.push_back(sizes[i]);  // height
    file.push_back(0);         // no palette
    file.push_back(0);
    put16(file, 1);   // planes
    put16(file, 32);  // bits a pixel
    put32(file, images[i].size());
    put32(file, offset);
    offset += images[i].size();
  }
  for (const Bytes& image : images) file.insert(file.end(), image.begin(), image.end());
  std::ofstream stream(argv[1], std::ios::binary);
  stream.write(reinterpret_cast<const char*>(file.data()), file.size());
  stream.close();
  if (!stream) {
    std::cerr << "cannot write " << argv[1] << "\n";
    return 1;
  }
}
EOF

${CXX:-g++} -std=c++20 -O1 -Wall -Wextra -Werror -I"$repo/src" -o "$work/make_ico" "$work/make_ico.cpp" \
  "$repo/src/desktop/pictures.cpp" "$repo/src/desktop/raster.cpp"
mkdir -p "$(dirname "$out")"
# Written beside the icon and moved over it only when complete.
"$work/make_ico" "$out.new"
mv "$out.new" "$out"
echo "$out"
