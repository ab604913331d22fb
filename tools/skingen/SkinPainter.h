#pragma once

#include <map>
#include <utility>

#include "BmpImage.h"
#include "SkinGeometry.h"

namespace valmore::skingen {

// Paints every image of the skin at its table size. An image that a screen places over another
// (a button on a panel, a strip on a panel, a panel on the background) is painted over a copy of
// what lies behind its first placement, so the parts it leaves, such as rounded corners, already
// show the right colour when the program copies the bitmap opaquely.
class CSkinPainter {
public:
    // image is a skin bitmap index or kFrameImage + frame number (1..22).
    const CBmpImage& Image(int image, Mode mode);

private:
    std::map<std::pair<int, int>, CBmpImage> done_;
};

CBmpImage PaintSplashImage();

}  // namespace valmore::skingen
