// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TPAINTRECORDER_H
#define TPAINTRECORDER_H

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTransform>
#include <QVector>
#include <QWidget>
#include <memory>

// A paint device that keeps what a widget draws on it: lines with their pens, polygons, filled
// rectangles and texts, all in device coordinates. Tests render a widget onto it to check the
// geometry the drawing formulas give, exactly and without reading pixels.
class TPaintRecorder : public QPaintDevice
{
public:
    struct TLine {
        QColor colour;
        int width;
        QLine line;
    };
    struct TText {
        QString text;
        QPointF position; // baseline start, in device coordinates
        QTransform transform;
        QColor colour;
    };
    struct TPolygon {
        QColor pen_colour;
        QColor brush_colour;
        QPolygon points;
    };
    struct TRect {
        QColor colour;
        QRect rect;
    };

    TPaintRecorder(const QSize &size)
        : device_size(size)
        , engine(new TEngine(this))
    {
    }
    ~TPaintRecorder() override = default;

    QPaintEngine *paintEngine() const override { return engine.get(); }

    QVector<TLine> lines;
    QVector<TText> texts;
    QVector<TPolygon> polygons;
    QVector<TRect> rects;

    // The lines drawn with a pen of this colour and width, in drawing order.
    QVector<QLine> Lines(const QColor &colour, int width = 1) const
    {
        QVector<QLine> result;
        for (const TLine &line : lines) {
            if (line.colour == colour && line.width == width) {
                result << line.line;
            }
        }
        return result;
    }

    QStringList Texts() const
    {
        QStringList result;
        for (const TText &text : texts) {
            result << text.text;
        }
        return result;
    }

    void Render(QWidget *widget)
    {
        lines.clear();
        texts.clear();
        polygons.clear();
        rects.clear();
        widget->render(this, QPoint(), QRegion(), QWidget::RenderFlags());
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return device_size.width();
        case PdmHeight:
            return device_size.height();
        case PdmWidthMM:
            return device_size.width() * 254 / 960;
        case PdmHeightMM:
            return device_size.height() * 254 / 960;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class TEngine : public QPaintEngine
    {
    public:
        explicit TEngine(TPaintRecorder *recorder_)
            : QPaintEngine(QPaintEngine::AllFeatures)
            , recorder(recorder_)
        {
        }

        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        Type type() const override { return QPaintEngine::User; }

        void updateState(const QPaintEngineState &state) override
        {
            if (state.state() & DirtyPen) {
                pen = state.pen();
            }
            if (state.state() & DirtyBrush) {
                brush = state.brush();
            }
            if (state.state() & DirtyTransform) {
                transform = state.transform();
            }
        }

        void drawLines(const QLine *lines, int count) override
        {
            for (int i = 0; i < count; ++i) {
                recorder->lines << TLine{pen.color(), pen.width(), transform.map(lines[i])};
            }
        }

        void drawLines(const QLineF *lines, int count) override
        {
            for (int i = 0; i < count; ++i) {
                recorder->lines << TLine{pen.color(), pen.width(),
                                         transform.map(lines[i]).toLine()};
            }
        }

        void drawPolygon(const QPoint *points, int count, PolygonDrawMode) override
        {
            QPolygon polygon;
            for (int i = 0; i < count; ++i) {
                polygon << transform.map(points[i]);
            }
            recorder->polygons << TPolygon{pen.color(), brush.color(), polygon};
        }

        void drawPolygon(const QPointF *points, int count, PolygonDrawMode) override
        {
            QPolygon polygon;
            for (int i = 0; i < count; ++i) {
                polygon << transform.map(points[i]).toPoint();
            }
            recorder->polygons << TPolygon{pen.color(), brush.color(), polygon};
        }

        void drawRects(const QRect *rects, int count) override
        {
            for (int i = 0; i < count; ++i) {
                recorder->rects << TRect{brush.color(), transform.mapRect(rects[i])};
            }
        }

        void drawRects(const QRectF *rects, int count) override
        {
            for (int i = 0; i < count; ++i) {
                recorder->rects << TRect{brush.color(), transform.mapRect(rects[i]).toRect()};
            }
        }

        void drawTextItem(const QPointF &position, const QTextItem &item) override
        {
            recorder->texts << TText{item.text(), transform.map(position), transform, pen.color()};
        }

        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

    private:
        TPaintRecorder *recorder;
        QPen pen;
        QBrush brush;
        QTransform transform;
    };

    QSize device_size;
    std::unique_ptr<TEngine> engine;
};

#endif
