#include "win32/picture_icons.h"

#include <cstring>
#include <vector>

namespace kalmar::win32 {

HICON iconOf(const desktop::Picture& picture) {
  if (picture.empty() || picture.width <= 0 || picture.height <= 0) return nullptr;
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = picture.width;
  header.bV5Height = -picture.height;  // rows from the top
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (colour == nullptr || bits == nullptr) return nullptr;
  // 0xAARRGGBB is the DIB's own BGRA order in memory.
  std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * sizeof(std::uint32_t));
  // The mask: a set bit is transparent; rows of whole 16-bit words.
  const int stride = ((picture.width + 15) / 16) * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(stride * picture.height), 0);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if ((picture.pixels[static_cast<std::size_t>(y * picture.width + x)] >> 24) == 0)
        mask[static_cast<std::size_t>(y * stride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
  HBITMAP maskBitmap = CreateBitmap(picture.width, picture.height, 1, 1, mask.data());
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour;
  info.hbmMask = maskBitmap;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(maskBitmap);
  return icon;
}

}  // namespace kalmar::win32
