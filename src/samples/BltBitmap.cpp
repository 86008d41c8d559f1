// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/BltBitmap.h"

#include "samples/ColorRef.h"

void TBltBitmap::MatchSize(const QImage& templ)
{
    QImage sized(templ.size(), QImage::Format_RGB32);
    sized.fill(ColorRef::toQColor(Colors::WindowFrame));
    QImage::operator=(std::move(sized));
}
