// The drawing code's colours as GDI colour values.
#pragma once

#include <windows.h>

#include "screens/rgb.h"

[[nodiscard]] constexpr COLORREF ToColorRef(Rgb colour) noexcept {
    return RGB(colour.red, colour.green, colour.blue);
}
