// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TERRORCHARTPAINTER_H
#define TERRORCHARTPAINTER_H

#include <QCoreApplication>
#include <QRectF>
#include <QSize>
#include <vector>

#include "evaluation.h"
#include "mpe.h"

class QPainter;

// The error-versus-length chart of a length test onto any painter: the error (µm) of every
// measurement against its nominal length (mm), one marker shape per direction, simulated
// errors as filled markers and measured errors as open ones, and the ±MPE limits as dashed
// lines; or the residuals of the measured lengths the same way. The painter's font sets the
// text sizes.
class TErrorChartPainter
{
    Q_DECLARE_TR_FUNCTIONS(TErrorChartPainter)

public:
    enum TMarker { MARKER_Y, MARKER_Z, MARKER_DIAGONAL_PLUS, MARKER_DIAGONAL_MINUS, MARKER_OTHER };
    // The errors as measured and simulated, or the residuals (measured minus actual length):
    // what the model leaves unexplained, which is the error left after compensation.
    enum TView { VIEW_ERRORS, VIEW_RESIDUALS };

    void Set_View(TView view_) { view = view_; }
    TView View() const { return view; }

    // Ticks at 1, 2 or 5 times a power of ten, about count of them over [low, high].
    static std::vector<double> Ticks(const double &low, const double &high, int count);
    static TMarker Marker_Of(const QString &direction);

    // results and directions run in parallel: directions[i] names results[i]'s direction.
    void Paint(QPainter *painter, const QSize &size,
               const std::vector<TEvaluation::TResult> &results,
               const std::vector<QString> &directions, const TMpe &mpe) const;

    // The area the data are drawn in, for a device of the given size and text height.
    static QRectF Plot_Area(const QSize &size, int text_height);

    // The result whose point the last paint drew nearest to the position, within the radius
    // (device pixels); -1 for none. measured tells whether it is the measured point.
    int Result_At(const QPointF &position, const double &radius, bool *measured) const;

private:
    // A point the last paint drew: where, for which result, and whether measured.
    struct TPlotted {
        QPointF at;
        int index;
        bool measured;
    };

    TView view = VIEW_ERRORS;
    // Kept by Paint, which is otherwise a pure function of its arguments, so that the widget
    // can name the point under the mouse exactly where it was drawn.
    mutable std::vector<TPlotted> plotted;
};

#endif
