// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// Off-screen bitmap of the gauge. MatchSize gives it the size of another
// bitmap and fills it with the window-frame system colour; the gauge always
// blackens it right afterwards, so that fill never shows.
class TBltBitmap : public QImage
{
public:
    TBltBitmap() = default;

    void MatchSize(const QImage& templ);
};
