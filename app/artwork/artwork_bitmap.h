#pragma once

#include <windows.h>

#include <string>

// The picture "<form>/<stem>" of the program's own artwork resources as a
// 24-bit DIB section the caller owns, or null when the program carries no
// such picture (a test program without the artwork, a misspelt name).
HBITMAP loadArtworkBitmap(const std::string &name);
