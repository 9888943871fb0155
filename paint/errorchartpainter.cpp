// SPDX-License-Identifier: GPL-3.0-or-later
#include "errorchartpainter.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "numbertext.h"

namespace
{
const QColor simulated_colour(30, 70, 160);
const QColor measured_colour(190, 40, 30);
const QColor limit_colour(200, 120, 0);
const QColor grid_colour(225, 225, 225);
const int marker_radius = 4;

// A tick label with as many decimals as the step needs.
QString Tick_Text(const double &value, const double &step)
{
    const int decimals = step >= 1.0 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
    return TNumberText::Fixed(std::fabs(value) < step * 1e-9 ? 0.0 : value, decimals);
}

void Draw_Marker(QPainter *painter, const QPointF &centre, TErrorChartPainter::TMarker marker,
                 bool filled, const QColor &colour)
{
    const double r = marker_radius;
    QPainterPath path;
    switch (marker) {
    case TErrorChartPainter::MARKER_Y:
        path.addEllipse(centre, r, r);
        break;
    case TErrorChartPainter::MARKER_Z:
        path.addRect(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r));
        break;
    case TErrorChartPainter::MARKER_DIAGONAL_PLUS:
        path.moveTo(centre.x(), centre.y() - r - 1);
        path.lineTo(centre.x() + r + 1, centre.y() + r);
        path.lineTo(centre.x() - r - 1, centre.y() + r);
        path.closeSubpath();
        break;
    case TErrorChartPainter::MARKER_DIAGONAL_MINUS:
        path.moveTo(centre.x(), centre.y() + r + 1);
        path.lineTo(centre.x() + r + 1, centre.y() - r);
        path.lineTo(centre.x() - r - 1, centre.y() - r);
        path.closeSubpath();
        break;
    case TErrorChartPainter::MARKER_OTHER:
        path.moveTo(centre.x(), centre.y() - r - 1);
        path.lineTo(centre.x() + r + 1, centre.y());
        path.lineTo(centre.x(), centre.y() + r + 1);
        path.lineTo(centre.x() - r - 1, centre.y());
        path.closeSubpath();
        break;
    }
    painter->setPen(QPen(colour, 1.5));
    painter->setBrush(filled ? QBrush(colour) : QBrush(Qt::white));
    painter->drawPath(path);
}
} // namespace

std::vector<double> TErrorChartPainter::Ticks(const double &low, const double &high, int count)
{
    std::vector<double> ticks;
    if (!std::isfinite(low) || !std::isfinite(high) || !(high > low) || count < 1) {
        return ticks;
    }
    const double raw = (high - low) / count;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double residual = raw / magnitude;
    const double step = (residual < 1.5   ? 1.0
                         : residual < 3.5 ? 2.0
                         : residual < 7.5 ? 5.0
                                          : 10.0) *
                        magnitude;
    const double first = std::ceil(low / step);
    for (int i = 0; i <= 100; ++i) {
        const double tick = (first + i) * step;
        if (tick > high + step * 1e-9) {
            break;
        }
        ticks.push_back(std::fabs(tick) < step * 1e-9 ? 0.0 : tick);
    }
    return ticks;
}

TErrorChartPainter::TMarker TErrorChartPainter::Marker_Of(const QString &direction)
{
    // The chart is handed the directions as the user interface shows them, in its language,
    // and the legend draws each by its label: both must give the same marker.
    const std::pair<QString, TMarker> markers[] = {
        {QStringLiteral("Y"), MARKER_Y},
        {QStringLiteral("Z"), MARKER_Z},
        {QStringLiteral("Diagonal +"), MARKER_DIAGONAL_PLUS},
        {QStringLiteral("Diagonal \u2212"), MARKER_DIAGONAL_MINUS}};
    for (const auto &marker : markers) {
        if (direction == marker.first || direction == TEvaluation::Direction_Label(marker.first)) {
            return marker.second;
        }
    }
    return MARKER_OTHER;
}

int TErrorChartPainter::Result_At(const QPointF &position, const double &radius,
                                  bool *measured) const
{
    int found = -1;
    double nearest = radius * radius;
    // The later point lies on top, so it wins a tie.
    for (const TPlotted &point : plotted) {
        const QPointF offset = point.at - position;
        const double distance = QPointF::dotProduct(offset, offset);
        if (distance <= nearest) {
            nearest = distance;
            found = point.index;
            if (measured) {
                *measured = point.measured;
            }
        }
    }
    return found;
}

QRectF TErrorChartPainter::Plot_Area(const QSize &size, int text_height)
{
    const double left = 7 * text_height;
    const double top = 2.5 * text_height;
    const double right = size.width() - 1.5 * text_height;
    const double bottom = size.height() - 3.0 * text_height;
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

void TErrorChartPainter::Paint(QPainter *painter, const QSize &size,
                               const std::vector<TEvaluation::TResult> &results,
                               const std::vector<QString> &directions, const TMpe &mpe) const
{
    Q_ASSERT(painter);
    Q_ASSERT(directions.size() == results.size());
    plotted.clear();
    const QFontMetrics metrics = painter->fontMetrics();
    const int text_height = metrics.height();

    // The legend runs above the plot, on as many lines as the width needs.
    struct TLegend_Item {
        TMarker marker;
        bool filled;
        QColor colour;
        QString text;
        bool dashed;
    };
    const bool residuals = view == VIEW_RESIDUALS;
    std::vector<TLegend_Item> legend_items{
        {MARKER_Y, true, simulated_colour, TErrorChartPainter::tr("simulated"), false},
        {MARKER_Y, false, measured_colour, TErrorChartPainter::tr("measured"), false},
        {MARKER_Y, false, Qt::black, QStringLiteral("Y"), false},
        {MARKER_Z, false, Qt::black, QStringLiteral("Z"), false},
        {MARKER_DIAGONAL_PLUS, false, Qt::black,
         TEvaluation::Direction_Label(QStringLiteral("Diagonal +")), false},
        {MARKER_DIAGONAL_MINUS, false, Qt::black,
         TEvaluation::Direction_Label(QStringLiteral("Diagonal \u2212")), false}};
    if (residuals) {
        legend_items.erase(legend_items.begin(), legend_items.begin() + 2);
        legend_items.insert(legend_items.begin(),
                            {MARKER_Y, false, measured_colour,
                             TErrorChartPainter::tr("residual (measured \u2212 actual)"), false});
    }
    if (mpe.Is_Set()) {
        legend_items.push_back(
            {MARKER_Y, false, limit_colour, TErrorChartPainter::tr("\u00b1MPE"), true});
    }
    std::vector<QPointF> legend_positions;
    double legend_x = text_height;
    double legend_y = text_height;
    for (const TLegend_Item &item : legend_items) {
        const double width = (item.dashed ? 24 : 2 * marker_radius + 4) +
                             metrics.horizontalAdvance(item.text) + text_height;
        if (legend_x + width > size.width() && legend_x > text_height) {
            legend_x = text_height;
            legend_y += text_height * 1.3;
        }
        legend_positions.emplace_back(legend_x, legend_y);
        legend_x += width;
    }

    QRectF plot = Plot_Area(size, text_height);
    plot.setTop(legend_y + text_height);
    if (plot.width() < 50 || plot.height() < 50) {
        return;
    }

    // The ranges: every finite value, zero, and the MPE over the lengths shown.
    double x_high = 1.0;
    double y_low = 0.0;
    double y_high = 0.0;
    const auto include = [&y_low, &y_high](const double &value) {
        if (std::isfinite(value)) {
            y_low = std::min(y_low, value);
            y_high = std::max(y_high, value);
        }
    };
    for (const TEvaluation::TResult &result : results) {
        if (std::isfinite(result.nominal_length)) {
            x_high = std::max(x_high, std::fabs(result.nominal_length));
        }
        if (!residuals) {
            include(result.error);
        }
        if (result.has_measured_length) {
            include(residuals ? result.residual : result.measured_error);
        }
    }
    if (mpe.Is_Set()) {
        include(mpe.Value(x_high));
        include(-mpe.Value(x_high));
    }
    if (y_high - y_low < 1e-9) {
        y_low -= 1.0;
        y_high += 1.0;
    }
    const double margin = (y_high - y_low) * 0.08;
    y_low -= margin;
    y_high += margin;
    x_high *= 1.05;

    const auto map = [&plot, x_high, y_low, y_high](const double &x, const double &y) {
        return QPointF(plot.left() + x / x_high * plot.width(),
                       plot.bottom() - (y - y_low) / (y_high - y_low) * plot.height());
    };

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);

    // Grid, ticks and their labels.
    // As many ticks as leave room for their labels.
    const int x_tick_count =
        std::max(2, int(plot.width() / (metrics.horizontalAdvance(QStringLiteral("00000")) * 1.5)));
    const int y_tick_count = std::max(2, int(plot.height() / (text_height * 3)));
    const std::vector<double> x_ticks = Ticks(0.0, x_high, std::min(x_tick_count, 8));
    const std::vector<double> y_ticks = Ticks(y_low, y_high, std::min(y_tick_count, 8));
    const double x_step = x_ticks.size() > 1 ? x_ticks[1] - x_ticks[0] : 1.0;
    const double y_step = y_ticks.size() > 1 ? y_ticks[1] - y_ticks[0] : 1.0;
    painter->setPen(QPen(grid_colour, 1));
    for (const double x : x_ticks) {
        painter->drawLine(map(x, y_low), map(x, y_high));
    }
    for (const double y : y_ticks) {
        painter->drawLine(map(0, y), map(x_high, y));
    }
    painter->setPen(QPen(Qt::black, 1));
    for (const double x : x_ticks) {
        const QPointF at = map(x, y_low);
        painter->drawLine(at, at + QPointF(0, 4));
        painter->drawText(QRectF(at.x() - 50, at.y() + 5, 100, text_height),
                          Qt::AlignHCenter | Qt::AlignTop, Tick_Text(x, x_step));
    }
    for (const double y : y_ticks) {
        const QPointF at = map(0, y);
        painter->drawLine(at, at - QPointF(4, 0));
        painter->drawText(QRectF(0, at.y() - text_height / 2.0, at.x() - 6, text_height),
                          Qt::AlignRight | Qt::AlignVCenter, Tick_Text(y, y_step));
    }
    painter->drawRect(plot);
    if (y_low < 0 && y_high > 0) {
        painter->drawLine(map(0, 0), map(x_high, 0));
    }

    // Axis titles.
    painter->drawText(
        QRectF(plot.left(), size.height() - 1.6 * text_height, plot.width(), text_height),
        Qt::AlignHCenter, TErrorChartPainter::tr("Nominal length (mm)"));
    painter->save();
    painter->translate(0.3 * text_height, plot.center().y());
    painter->rotate(-90);
    painter->drawText(QRectF(-plot.height() / 2, 0, plot.height(), text_height), Qt::AlignHCenter,
                      residuals ? TErrorChartPainter::tr("Residual (\u00b5m)")
                                : TErrorChartPainter::tr("Error (\u00b5m)"));
    painter->restore();

    // The limits: MPE(L) rises from A and stops at the cap B.
    if (mpe.Is_Set()) {
        std::vector<double> lengths{0.0, x_high};
        if (mpe.Has_B()) {
            const double knee = (mpe.B() - mpe.A()) * mpe.K();
            if (knee > 0.0 && knee < x_high) {
                lengths.insert(lengths.begin() + 1, knee);
            }
        }
        painter->setPen(QPen(limit_colour, 1.5, Qt::DashLine));
        painter->setBrush(Qt::NoBrush);
        for (const double sign : {1.0, -1.0}) {
            QPainterPath limit;
            limit.moveTo(map(lengths[0], sign * mpe.Value(lengths[0])));
            for (size_t i = 1; i < lengths.size(); ++i) {
                limit.lineTo(map(lengths[i], sign * mpe.Value(lengths[i])));
            }
            painter->drawPath(limit);
        }
    }

    // The data: simulated filled, measured open.
    painter->setClipRect(plot.adjusted(-marker_radius - 2, -marker_radius - 2, marker_radius + 2,
                                       marker_radius + 2));
    for (size_t i = 0; i < results.size(); ++i) {
        const TEvaluation::TResult &result = results[i];
        const TMarker marker = Marker_Of(directions[i]);
        if (!residuals && std::isfinite(result.nominal_length) && std::isfinite(result.error)) {
            const QPointF at = map(std::fabs(result.nominal_length), result.error);
            Draw_Marker(painter, at, marker, true, simulated_colour);
            plotted.push_back({painter->transform().map(at), int(i), false});
        }
        const double shown = residuals ? result.residual : result.measured_error;
        if (result.has_measured_length && std::isfinite(shown)) {
            const QPointF at = map(std::fabs(result.nominal_length), shown);
            Draw_Marker(painter, at, marker, false, measured_colour);
            plotted.push_back({painter->transform().map(at), int(i), true});
        }
    }
    painter->setClipping(false);

    for (size_t i = 0; i < legend_items.size(); ++i) {
        const TLegend_Item &item = legend_items[i];
        const QPointF at = legend_positions[i];
        double text_x = at.x() + 2 * marker_radius + 4;
        if (item.dashed) {
            painter->setPen(QPen(item.colour, 1.5, Qt::DashLine));
            painter->drawLine(at, at + QPointF(20, 0));
            text_x = at.x() + 24;
        } else {
            Draw_Marker(painter, at + QPointF(marker_radius, 0), item.marker, item.filled,
                        item.colour);
        }
        painter->setPen(Qt::black);
        painter->drawText(QPointF(text_x, at.y() + metrics.ascent() / 2.0 - 1), item.text);
    }
    painter->restore();
}
