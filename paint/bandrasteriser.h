// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TBANDRASTERISER_H
#define TBANDRASTERISER_H

#include <QPoint>
#include <QRgb>
#include <climits>

class QImage;

// Draws a gauge's band, a quadrilateral of four distinct whole-pixel corners, straight into a
// 32-bit image: first its inside in one opaque colour, then its 1-pixel outline in another.
// Qt's drawPolygon gives the same pixels on a raster image (aliased, pen 1 pixel wide with
// square caps), but passes each band through its general scan converter and its cosmetic
// line stroker, and a length test's slanted bands spent most of a paint there. This class
// follows the same rules for the bands alone:
// - the inside: every edge crosses the rows at their pixel centres, in 16.16 fixed point with
//   half a pixel added, the slope truncated to 16.16 and added row by row; a row is filled
//   from where the winding turns non-zero up to, not including, where it turns back to zero;
// - the outline: each edge is stepped along its longer axis, one pixel per row or column,
//   from the pixel centre nearest its start, and where two edges meet a pixel is dropped when
//   both would draw it, or added when the two would leave a gap.
// The tests compare the two over bands of every angle, length and corner order.
//
// The caller makes sure that the band lies wholly on the image and inside the painter's clip,
// and that the image is not painted by anything else meanwhile; pixels that would fall beyond
// the image are left out, never written.
class TBandRasteriser
{
public:
    explicit TBandRasteriser(QImage *image);

    // Whether the corners make a band this class draws: four distinct corners.
    static bool Can_Draw(const QPoint *corners);

    // Draws the band whose corners (in device pixels) come in the order of the outline.
    void Draw(const QPoint *corners, QRgb outline, QRgb inside);

private:
    void Fill(const QPoint *corners, QRgb colour);
    void Outline(const QPoint *corners, QRgb colour);
    // One edge of the outline; draw = false only follows it, to learn where it ends.
    void Line(QPoint from, QPoint to, bool draw);
    void Run(int from, int to, int y, QRgb colour);
    void Plot(int x, int y);

    enum TDirection {
        NO_DIRECTION = 0,
        TOP_TO_BOTTOM = 0x1,
        BOTTOM_TO_TOP = 0x2,
        LEFT_TO_RIGHT = 0x4,
        RIGHT_TO_LEFT = 0x8,
        VERTICAL = 0x3,
        HORIZONTAL = 0xc,
    };

    uchar *bits;
    qsizetype bytes_per_line;
    int width;
    int height;

    // Where the edge drawn last ended, to join the next one to it.
    QRgb pen = 0;
    QPoint last_pixel{INT_MIN, INT_MIN};
    int last_direction = NO_DIRECTION;
    bool last_axis_aligned = false;
};

#endif
