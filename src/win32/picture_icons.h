#pragma once

#include <windows.h>

#include "desktop/pictures.h"

namespace kalmar::win32 {

// An icon of a picture: a 32-bit colour bitmap with its alpha (Windows XP
// and later draw it blended) and a mask for the transparent pixels. The
// caller destroys it (DestroyIcon); null for an empty picture.
HICON iconOf(const desktop::Picture& picture);

}  // namespace kalmar::win32
