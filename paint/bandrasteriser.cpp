// SPDX-License-Identifier: GPL-3.0-or-later
#include "bandrasteriser.h"

#include <QImage>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace
{

// Coordinates as the line stroker takes them: 26.6 fixed point.
constexpr int one_pixel = 64;
constexpr int half_pixel = 32;

// a / b in 16.16 fixed point, truncated.
int Fixed_Divide(int a, int b)
{
    return int((qint64(a) * 65536) / b);
}

} // namespace

TBandRasteriser::TBandRasteriser(QImage *image)
    : bits(image->bits())
    , bytes_per_line(image->bytesPerLine())
    , width(image->width())
    , height(image->height())
{
    Q_ASSERT(image->depth() == 32);
}

bool TBandRasteriser::Can_Draw(const QPoint *corners)
{
    for (int i = 0; i < 4; ++i) {
        for (int k = i + 1; k < 4; ++k) {
            if (corners[i] == corners[k]) {
                return false;
            }
        }
    }
    return true;
}

void TBandRasteriser::Draw(const QPoint *corners, QRgb outline, QRgb inside)
{
    Q_ASSERT(Can_Draw(corners));
    Fill(corners, inside);
    Outline(corners, outline);
}

inline void TBandRasteriser::Run(int from, int to, int y, QRgb colour)
{
    from = std::max(from, 0);
    to = std::min(to, width);
    if (y < 0 || y >= height || from >= to) {
        return;
    }
    QRgb *row = reinterpret_cast<QRgb *>(bits + y * bytes_per_line);
    std::fill(row + from, row + to, colour);
}

inline void TBandRasteriser::Plot(int x, int y)
{
    if (x >= 0 && x < width && y >= 0 && y < height) {
        reinterpret_cast<QRgb *>(bits + y * bytes_per_line)[x] = pen;
    }
}

void TBandRasteriser::Fill(const QPoint *corners, QRgb colour)
{
    struct TEdge {
        int x;    // 16.16, at the centre of the current row
        int step; // per row
        int top;
        int bottom;
        int winding;
    };
    TEdge edges[4];
    int count = 0;
    for (int i = 0; i < 4; ++i) {
        QPoint a = corners[i];
        QPoint b = corners[(i + 1) % 4];
        int winding = 1;
        if (a.y() > b.y()) {
            std::swap(a, b);
            winding = -1;
        }
        // The rows whose centres lie from a's height up to, not including, b's.
        if (a.y() >= b.y()) {
            continue;
        }
        const int start = a.x() * 65536 + 32768;
        int step = 0;
        if (a.x() != b.x()) {
            const double slope = double(b.x() - a.x()) / double(b.y() - a.y());
            step = int(slope * 65536.0);
        }
        // Half a row down, to the centre of the first row.
        const int x = start + int((qint64(step) * 32768) >> 16);
        edges[count++] = {x, step, a.y(), b.y() - 1, winding};
    }
    // The rows in stretches over which the same edges cross them: mostly two, the band's
    // sides, and the row is filled between them whichever lies left.
    int breaks[8];
    int break_count = 0;
    for (int i = 0; i < count; ++i) {
        breaks[break_count++] = edges[i].top;
        breaks[break_count++] = edges[i].bottom + 1;
    }
    std::sort(breaks, breaks + break_count);
    for (int b = 0; b + 1 < break_count; ++b) {
        const int first_row = breaks[b];
        const int end_row = breaks[b + 1];
        TEdge *crossing[4];
        int crossings = 0;
        for (int i = 0; i < count; ++i) {
            if (edges[i].top <= first_row && edges[i].bottom >= end_row - 1) {
                crossing[crossings++] = &edges[i];
            }
        }
        if (crossings == 2) {
            TEdge &one = *crossing[0];
            TEdge &other = *crossing[1];
            const int rows = end_row - first_row;
            const auto left_most = [rows](const TEdge &edge) {
                return int(std::min<qint64>(edge.x, edge.x + qint64(rows - 1) * edge.step) >> 16);
            };
            const auto right_most = [rows](const TEdge &edge) {
                return int(std::max<qint64>(edge.x, edge.x + qint64(rows - 1) * edge.step) >> 16);
            };
            if (first_row >= 0 && end_row <= height &&
                std::min(left_most(one), left_most(other)) >= 0 &&
                std::max(right_most(one), right_most(other)) <= width) {
                // Wholly on the image, as a band drawn here always is.
                uchar *row = bits + qsizetype(first_row) * bytes_per_line;
                for (int i = 0; i < rows; ++i, row += bytes_per_line) {
                    const int x1 = one.x >> 16;
                    const int x2 = other.x >> 16;
                    QRgb *pixels = reinterpret_cast<QRgb *>(row);
                    std::fill(pixels + std::min(x1, x2), pixels + std::max(x1, x2), colour);
                    one.x += one.step;
                    other.x += other.step;
                }
                continue;
            }
            for (int y = first_row; y < end_row; ++y) {
                const int x1 = one.x >> 16;
                const int x2 = other.x >> 16;
                Run(std::min(x1, x2), std::max(x1, x2), y, colour);
                one.x += one.step;
                other.x += other.step;
            }
            continue;
        }
        for (int y = first_row; y < end_row; ++y) {
            // Up to four crossings, in order along the row, and the winding between them.
            int x[4];
            int winding[4];
            for (int i = 0; i < crossings; ++i) {
                TEdge &edge = *crossing[i];
                int k = i;
                for (; k > 0 && x[k - 1] > (edge.x >> 16); --k) {
                    x[k] = x[k - 1];
                    winding[k] = winding[k - 1];
                }
                x[k] = edge.x >> 16;
                winding[k] = edge.winding;
                edge.x += edge.step;
            }
            int inside = 0;
            for (int k = 0; k < crossings; ++k) {
                if (inside != 0) {
                    Run(x[k - 1], x[k], y, colour);
                }
                inside += winding[k];
            }
        }
    }
}

void TBandRasteriser::Outline(const QPoint *corners, QRgb colour)
{
    pen = colour;
    last_pixel = QPoint(INT_MIN, INT_MIN);
    last_direction = NO_DIRECTION;
    last_axis_aligned = false;
    // The closing edge first, only followed, so that the first edge joins onto it.
    Line(corners[3], corners[0], false);
    for (int i = 0; i < 4; ++i) {
        Line(corners[i], corners[(i + 1) % 4], true);
    }
}

void TBandRasteriser::Line(QPoint from, QPoint to, bool draw)
{
    if (!draw) {
        last_pixel = QPoint(INT_MIN, INT_MIN);
        last_direction = NO_DIRECTION;
    }
    // Stepped along the longer axis ("major"), the other ("minor") followed in 16.16.
    const bool vertical = std::abs(to.x() - from.x()) < std::abs(to.y() - from.y());
    if (!vertical && to.x() == from.x()) {
        return;
    }
    int major1 = one_pixel * (vertical ? from.y() : from.x());
    int major2 = one_pixel * (vertical ? to.y() : to.x());
    int minor1 = one_pixel * (vertical ? from.x() : from.y());
    int minor2 = one_pixel * (vertical ? to.x() : to.y());
    const bool swapped = major1 > major2;
    if (swapped) {
        std::swap(major1, major2);
        std::swap(minor1, minor2);
    }
    const int direction = vertical ? (swapped ? BOTTOM_TO_TOP : TOP_TO_BOTTOM)
                                   : (swapped ? RIGHT_TO_LEFT : LEFT_TO_RIGHT);
    const int step = Fixed_Divide(minor2 - minor1, major2 - major1);
    int minor = minor1 * 1024;

    // Turning straight back: the end that meets the last edge reaches half a pixel further.
    if ((last_direction ^ (vertical ? VERTICAL : HORIZONTAL)) == direction) {
        if (swapped) {
            major2 += half_pixel;
        } else {
            major1 -= half_pixel;
            minor -= step >> 1;
        }
    }

    int major = (major1 + half_pixel) >> 6;
    int end = (major2 + half_pixel) >> 6;
    if (major == end) {
        return;
    }
    minor += ((major * one_pixel + (step > 0 ? half_pixel : 0) - major1) * step) >> 6;

    const auto pixel = [vertical](int along, int across) {
        return vertical ? QPoint(across, along) : QPoint(along, across);
    };
    QPoint first = pixel(major, minor >> 16);
    QPoint last = pixel(end - 1, (minor + (end - major - 1) * step) >> 16);
    if (swapped) {
        std::swap(first, last);
    }
    const bool axis_aligned = std::abs(step) < (1 << 14);
    if (last_pixel.x() > INT_MIN) {
        const int apart_x = std::abs(last_pixel.x() - first.x());
        const int apart_y = std::abs(last_pixel.y() - first.y());
        if (first == last_pixel) {
            // Both would draw the corner pixel: this edge leaves it out.
            if (swapped) {
                --end;
            } else {
                ++major;
                minor += step;
            }
        } else if (last_direction != direction &&
                   ((axis_aligned && last_axis_aligned && apart_x != 0 && apart_y != 0) ||
                    apart_x > 1 || apart_y > 1)) {
            // The two would leave a gap at the corner: this edge draws one pixel more.
            if (swapped) {
                ++end;
            } else {
                --major;
                minor -= step;
            }
        } else if (last_direction == direction && apart_x <= 1 && apart_y > 1) {
            minor += step >> 1;
            const int across = swapped ? minor >> 16 : (minor + (end - major - 1) * step) >> 16;
            last = vertical ? QPoint(across, last.y()) : QPoint(last.x(), across);
        }
    }
    last_direction = direction;
    last_axis_aligned = axis_aligned;
    last_pixel = last;
    if (!draw) {
        return;
    }
    // At least one pixel, even where the corner rules left none.
    const int steps = std::max(end - major, 1);
    const int across_first = minor >> 16;
    const int across_last = (minor + (steps - 1) * step) >> 16;
    const int major_limit = vertical ? height : width;
    const int minor_limit = vertical ? width : height;
    if (major < 0 || major + steps > major_limit || std::min(across_first, across_last) < 0 ||
        std::max(across_first, across_last) >= minor_limit) {
        // Partly off the image: pixel by pixel, each one checked.
        do {
            const QPoint at = pixel(major, minor >> 16);
            Plot(at.x(), at.y());
            minor += step;
        } while (++major < end);
        return;
    }
    // Wholly on it, as a band drawn here always is: the pixels' addresses stepped along.
    if (vertical) {
        uchar *row = bits + qsizetype(major) * bytes_per_line;
        for (int i = 0; i < steps; ++i, row += bytes_per_line, minor += step) {
            reinterpret_cast<QRgb *>(row)[minor >> 16] = pen;
        }
    } else {
        for (int i = 0; i < steps; ++i, minor += step) {
            reinterpret_cast<QRgb *>(bits + qsizetype(minor >> 16) * bytes_per_line)[major + i] =
                pen;
        }
    }
}
