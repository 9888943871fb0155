// SPDX-License-Identifier: GPL-3.0-or-later
#include "digitlabel.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPointF>
#include <QTextLayout>
#include <QVector>
#include <array>
#include <cmath>

namespace
{

// One line of text laid out as drawText lays out a line that need not wrap.
struct TLine {
    QList<QGlyphRun> runs;
    qreal advance = 0.0;
    qreal ascent = 0.0;
};

TLine Lay_Out(const QString &text, QPainter *painter)
{
    QTextLayout layout(text, painter->font(), painter->device());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0.0, 0.0));
    layout.endLayout();
    return {layout.glyphRuns(), line.horizontalAdvance(), line.ascent()};
}

} // namespace

bool TDigitLabel::Prepare(QPainter *painter)
{
    prepared = false;
    for (int digit = 0; digit < 10; ++digit) {
        const TLine line = Lay_Out(QString::number(digit), painter);
        if (line.runs.size() != 1 || line.runs[0].glyphIndexes().size() != 1 ||
            (digit > 0 && (line.runs[0].rawFont() != font || line.ascent != ascent))) {
            return false;
        }
        font = line.runs[0].rawFont();
        glyphs[digit] = line.runs[0].glyphIndexes()[0];
        advances[digit] = line.advance;
        ascent = line.ascent;
    }
    for (int first = 0; first < 10; ++first) {
        for (int second = 0; second < 10; ++second) {
            // Also "05" and the like: a pair within a longer id.
            const QString text = QString(QChar(u'0' + first)) + QChar(u'0' + second);
            const TLine pair = Lay_Out(text, painter);
            if (pair.runs.size() != 1 || pair.runs[0].rawFont() != font ||
                pair.runs[0].glyphIndexes() != QVector<quint32>{glyphs[first], glyphs[second]} ||
                pair.runs[0].positions().size() != 2 ||
                pair.runs[0].positions()[1] - pair.runs[0].positions()[0] !=
                    QPointF(advances[first], 0.0) ||
                pair.advance != advances[first] + advances[second] || pair.ascent != ascent) {
                return false;
            }
        }
    }
    painter_font = painter->font();
    run = QGlyphRun();
    run.setRawFont(font);
    prepared = true;
    return true;
}

bool TDigitLabel::Fits(QPainter *painter) const
{
    const QPaintEngine *engine = painter->paintEngine();
    const QTransform &transform = painter->deviceTransform();
    return prepared && engine && painter->font() == painter_font &&
           engine->type() == QPaintEngine::Raster && transform.type() <= QTransform::TxTranslate &&
           transform.dx() == std::floor(transform.dx()) &&
           transform.dy() == std::floor(transform.dy());
}

bool TDigitLabel::Draw(QPainter *painter, const QRect &square, const QString &text) const
{
    // Any int has at most eleven characters; longer texts are not ids.
    constexpr int longest = 16;
    if (!prepared || text.isEmpty() || text.size() > longest) {
        return false;
    }
    std::array<quint32, longest> indexes{};
    std::array<QPointF, longest> positions{};
    qreal advance = 0.0;
    for (int i = 0; i < text.size(); ++i) {
        const int digit = text[i].unicode() - u'0';
        if (digit < 0 || digit > 9) {
            return false;
        }
        indexes[size_t(i)] = glyphs[size_t(digit)];
        positions[size_t(i)] = QPointF(advance, 0.0);
        advance += advances[size_t(digit)];
    }
    // The run points at the arrays only while it is drawn: no copy, no allocation.
    run.setRawData(indexes.data(), positions.data(), int(text.size()));
    // Centred as drawText centres its line, on the line's baseline.
    const qreal x = square.x() + (square.width() - advance) / 2.0;
    painter->drawGlyphRun(QPointF(x, square.y() + ascent), run);
    run.setRawData(nullptr, nullptr, 0);
    return true;
}
