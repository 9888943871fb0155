// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TESTIMAGES_H
#define TESTIMAGES_H

#include <QColor>
#include <QImage>

// How many pixels of the image have exactly this colour.
inline int Count_Colour(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour;
        }
    }
    return count;
}

#endif
