// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TDIGITLABEL_H
#define TDIGITLABEL_H

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QRect>
#include <QString>
#include <array>

class QPainter;

// Draws a gauge's id, a whole number, in its label square with the pixels of
// QPainter::drawText(square, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text), but
// without laying the text out anew each time. drawText shapes every text it is given, and with
// a thousand gauges that took a fifth of a paint. Here the ten digits are laid out once for the
// font, and an id is drawn as their glyphs side by side, centred as drawText centres the line.
//
// That is only the same where digits simply add up: each keeps its glyph and advance next to any
// other, with no kerning, ligature or fallback font between them. Prepare checks every pair of
// digits and refuses a font where one does not.
class TDigitLabel
{
public:
    // Learns the digits in the painter's font on its device; false where they do not add up,
    // and then Draw draws nothing.
    bool Prepare(QPainter *painter);

    // Whether Draw gives drawText's pixels on this painter: a raster engine moved by whole
    // pixels, in the font prepared for.
    bool Fits(QPainter *painter) const;

    // Draws the text; false, drawing nothing, when it is not digits only or nothing is
    // prepared.
    bool Draw(QPainter *painter, const QRect &square, const QString &text) const;

private:
    bool prepared = false;
    QFont painter_font;
    QRawFont font;
    std::array<quint32, 10> glyphs{};
    std::array<qreal, 10> advances{};
    qreal ascent = 0.0;
    // Set up once and pointed at each id's glyphs while it is drawn.
    mutable QGlyphRun run;
};

#endif
