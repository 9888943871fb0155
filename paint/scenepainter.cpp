// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenepainter.h"

#include "bandrasteriser.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "deflectionmodel.h"
#include "evaluation.h"
#include "gaugecorrections.h"
#include "measurementdata.h"
#include "modelinputs.h"

namespace
{
// Pixel coordinates are kept within +-canvas_limit before they become integers: NaN or values
// beyond the range of int must not reach a conversion (undefined behaviour) nor the painter.
// The limit lies far outside any widget, so nothing that can be seen changes.
const double canvas_limit = 1.0e6;

const QString probe_text = QStringLiteral("__999999.99j");

// How far beside its line a gauge's band reaches (pixels), and how far its id, drawn at its
// centre, may stand out on either side.
const int band_reach = 9;
const int id_reach = 48;

// Whether the rectangle meets one of the pieces of a region, as QRegion::intersects says: a
// pass limited to a region asks this of every line, label and gauge, and the region's own test
// costs more per call.
bool Meets(const std::vector<QRect> &pieces, const QRect &rect)
{
    if (rect.isNull()) {
        return false;
    }
    const QRect r = rect.normalized();
    return std::any_of(pieces.begin(), pieces.end(), [&r](const QRect &piece) {
        return r.right() >= piece.left() && r.left() <= piece.right() &&
               r.bottom() >= piece.top() && r.top() <= piece.bottom();
    });
}

// Whether a gauge's band from a to b, or its id, can reach into the region of these pieces.
bool Gauge_Reaches(const std::vector<QRect> &pieces, const QPoint &a, const QPoint &b)
{
    const QPoint centre = (a + b) / 2;
    return Meets(pieces, QRect(a, b).normalized().adjusted(-band_reach, -band_reach, band_reach,
                                                           band_reach)) ||
           Meets(pieces, QRect(centre.x() - id_reach, centre.y() - id_reach, 2 * id_reach + 1,
                               2 * id_reach + 1));
}
// What the record holds of a gauge: whether it is drawn, its two ends and its id. Gauges come
// last in a record.
const size_t gauge_values = 6;

// Floor of half an integer, also for negative values.
int Floor_Half(int value)
{
    return static_cast<int>(std::floor(value / 2.0));
}

bool Is_Finite(const TVector2 &point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

// Truncates toward zero, as the mapping does, after keeping the value within the canvas.
QPoint To_Point(const TVector2 &point)
{
    const double x = std::max(-canvas_limit, std::min(canvas_limit, point.x));
    const double y = std::max(-canvas_limit, std::min(canvas_limit, point.y));
    return QPoint(static_cast<int>(x), static_cast<int>(y));
}

// Cuts the segment to the canvas square (Liang-Barsky) so that its visible part keeps its
// direction; false when an end is not finite or nothing of the segment lies on the canvas.
bool Clip_To_Canvas(TVector2 *from, TVector2 *to)
{
    if (!Is_Finite(*from) || !Is_Finite(*to)) {
        return false;
    }
    // Both ends on the canvas, as nearly every segment has them: the cut below would leave
    // them as they are (t0 stays 0 and t1 stays 1, the rounding of each step being monotonic).
    if (std::abs(from->x) <= canvas_limit && std::abs(from->y) <= canvas_limit &&
        std::abs(to->x) <= canvas_limit && std::abs(to->y) <= canvas_limit) {
        return true;
    }
    const TVector2 start = *from;
    const TVector2 delta = *to - *from;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-delta.x, delta.x, -delta.y, delta.y};
    const double q[4] = {start.x + canvas_limit, canvas_limit - start.x, start.y + canvas_limit,
                         canvas_limit - start.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) {
        return false;
    }
    if (t0 > 0.0) {
        *from = start + delta * t0;
    }
    if (t1 < 1.0) {
        *to = start + delta * t1;
    }
    return true;
}

// Draws the text rotated by -90 degrees (reading upward) in the rectangle, which is given in
// unrotated widget coordinates.
void Draw_Rotated_Text(QPainter *painter, const QRect &rect, int flags, const QString &text)
{
    painter->setWorldTransform(QTransform()
                                   .translate(Floor_Half(rect.left() + rect.right()),
                                              Floor_Half(rect.top() + rect.bottom()))
                                   .rotate(-90));
    const int a = rect.bottom() - rect.top();
    const int b = rect.right() - rect.left();
    const QRect rotated(QPoint(-Floor_Half(a), -Floor_Half(b)),
                        QPoint(a - Floor_Half(a), b - Floor_Half(b)));
    painter->drawText(rotated, flags, text);
}

// The drawing tools. A pen made from a colour alone is solid and 1 pixel wide.
QPen Nominal_Pen()
{
    return QPen(QColor(164, 164, 164));
}

QPen Deflected_Pen()
{
    return QPen(QColor(196, 0, 0));
}

QPen Text_Pen()
{
    return QPen(QColor(0, 0, 0));
}

QPen Arrow_Pen()
{
    return QPen(QBrush(QColor(0, 0, 0)), 2);
}

QPen Gauge_Pen()
{
    return QPen(QColor(164, 164, 196));
}

// The selected gauges: the same band with a darker, wider outline.
QPen Highlight_Pen()
{
    return QPen(QBrush(QColor(64, 64, 128)), 2);
}

QBrush Gauge_Brush()
{
    return QBrush(QColor(180, 180, 212), Qt::SolidPattern);
}

QString Length_Text(const double &length)
{
    return QStringLiteral("%1").arg(length, 0, 'f', 3);
}
// Starts from the first gauge's first point and folds every Y and Z of all gauge ends into it,
// each axis on its own; X stays the first point's.
TVector3 Length_Volume_Bound(const std::vector<TScenePainter::TLengthMeasurement> &gauges,
                             double (*pick)(const double &, const double &))
{
    if (gauges.empty()) {
        return TVector3();
    }
    TVector3 bound = gauges.front().point1;
    for (const TScenePainter::TLengthMeasurement &gauge : gauges) {
        for (const TVector3 *point : {&gauge.point1, &gauge.point2}) {
            bound.y = pick(bound.y, point->y);
            bound.z = pick(bound.z, point->z);
        }
    }
    return bound;
}

// The distance between the two points after each has been moved by its correction, not
// exaggerated.
double Deflected_Length(const TDeflectionModel *model, const TVector3 &a, const TVector3 &b)
{
    return ((b + model->Calculate_Correction(b)) - (a + model->Calculate_Correction(a))).Length();
}

// The two points, the unit vector from the first to the second and the one a quarter turn
// from it; false when the points are the same and there is no direction.
// The line from p1 to p2 with its unit direction and the unit normal to its left.
struct TFrame {
    TVector2 start;
    TVector2 end;
    TVector2 direction;
    TVector2 perpendicular;
};

bool Frame(const QPoint &p1, const QPoint &p2, TFrame *frame)
{
    if (p1 == p2) {
        return false;
    }
    frame->start = TVector2(p1.x(), p1.y());
    frame->end = TVector2(p2.x(), p2.y());
    frame->direction = frame->end - frame->start;
    frame->direction.Normal();
    frame->perpendicular = TVector2(-frame->direction.y, frame->direction.x);
    return true;
}

} // namespace

TScenePainter::TScenePainter()
    : scale_y(1.0)
    , scale_z(-1.0)
    , offset_y(0.0)
    , offset_z(0.0)
    , viewport_rect()
    , viewport_size()
    , viewport_dirty(false)
{
}

std::vector<TScenePainter::TLengthMeasurement>
TScenePainter::Gauges_Of(const TMeasurementData &data)
{
    std::vector<TLengthMeasurement> gauges;
    gauges.reserve(data.Measurements().size());
    for (const TMeasurementData::TMeasurement &measurement : data.Measurements()) {
        TLengthMeasurement gauge{measurement.id, TVector3(), TVector3()};
        TEvaluation::Gauge_Ends(measurement.position, measurement.axis, measurement.nominal_length,
                                &gauge.point1, &gauge.point2);
        gauges.push_back(gauge);
    }
    return gauges;
}

TVector3 TScenePainter::Length_Volume_Minimum(const std::vector<TLengthMeasurement> &gauges)
{
    return Length_Volume_Bound(gauges,
                               [](const double &a, const double &b) { return std::min(a, b); });
}

TVector3 TScenePainter::Length_Volume_Maximum(const std::vector<TLengthMeasurement> &gauges)
{
    return Length_Volume_Bound(gauges,
                               [](const double &a, const double &b) { return std::max(a, b); });
}

void TScenePainter::Update_Viewport(const TVector3 &minimum, const TVector3 &maximum)
{
    double y0 = minimum.y;
    double y1 = maximum.y;
    double z0 = minimum.z;
    double z1 = maximum.z;
    const double sy = y1 - y0;
    const double sz = z1 - z0;

    if (sy > sz) {
        z0 = z0 - (sy - sz) / 2;
        z1 = z0 + sy;
    } else {
        y0 = y0 - (sz - sy) / 2;
        y1 = y0 + sz;
    }
    if (z1 - z0 < 0.0001) {
        z1 += 0.00005;
        z0 -= 0.00005;
    }

    const double left = viewport_rect.left();
    const double right = viewport_rect.right();
    const double top = viewport_rect.top();
    const double bottom = viewport_rect.bottom();
    scale_y = (right - left) / (y1 - y0);
    offset_y = left - y0 * scale_y;
    scale_z = (top - bottom) / (z1 - z0);
    offset_z = bottom - z0 * scale_z;
}

bool TScenePainter::Recompute_Viewport(const QSize &size, int text_width, const TScene &scene)
{
    if (size.width() < Minimum_Size().width() || size.height() < Minimum_Size().height()) {
        return false;
    }

    const int margin = text_width + 25;
    QRect plot(QPoint(margin, margin),
               QPoint((size.width() - 1) - margin, (size.height() - 1) - margin));
    const int difference = size.width() - size.height();
    if (difference > 0) {
        plot.setLeft(plot.left() + difference / 2);
        plot.setRight(plot.right() - difference / 2);
    } else if (difference < 0) {
        plot.setTop(plot.top() + (-difference) / 2);
        plot.setBottom(plot.bottom() - (-difference) / 2);
    }
    viewport_rect = plot;

    // The box always holds the whole measuring volume and every gauge end; the corrections
    // are left out, so the fit does not jump while the exaggeration changes.
    TVector3 lower = Length_Volume_Minimum(*scene.gauges);
    TVector3 upper = Length_Volume_Maximum(*scene.gauges);
    lower.y = std::min(lower.y, 0.0);
    lower.z = std::min(lower.z, 0.0);
    upper.y = std::max(upper.y, scene.model->Range_Y());
    upper.z = std::max(upper.z, scene.model->Range_Z());

    Update_Viewport(lower, upper);
    viewport_size = size;
    viewport_dirty = false;
    return true;
}

TVector2 TScenePainter::Pixel(const double &y, const double &z) const
{
    return TVector2(y * scale_y + offset_y, z * scale_z + offset_z);
}

TVector2 TScenePainter::Deflected_Pixel(const TScene &scene, const double &y, const double &z) const
{
    return Deflected_Pixel(scene, TVector3(0, y, z),
                           scene.model->Calculate_Correction(TVector3(0, y, z)));
}

TVector2 TScenePainter::Deflected_Pixel(const TScene &scene, const TVector3 &point,
                                        const TVector3 &correction) const
{
    return Pixel(point.y + scene.exaggeration * correction.y,
                 point.z + scene.exaggeration * correction.z);
}

void TScenePainter::Paint(QPainter *painter, const QSize &size, const TScene &scene)
{
    if (Paint_Base(painter, size, scene)) {
        Paint_Overlay(painter, size, scene);
    }
}

bool TScenePainter::Paint_Base(QPainter *painter, const QSize &size, const TScene &scene,
                               TBaseRecord *record, const QRegion *only, const TBaseRecord *known)
{
    TPass how{record, false, only, known};
    if (only) {
        how.only_pieces.assign(only->begin(), only->end());
    }
    return Run_Base(painter, size, scene, how);
}

bool TScenePainter::Record_Base(QPainter *painter, const QSize &size, const TScene &scene,
                                TBaseRecord *record)
{
    Q_ASSERT(record);
    return Run_Base(painter, size, scene, TPass{record, true, nullptr, nullptr});
}

int TScenePainter::Matching_Geometry(QPainter *painter, const QSize &size, const TScene &scene,
                                     const TBaseRecord &first, const TBaseRecord *second,
                                     TBaseRecord *now, bool *complete)
{
    Q_ASSERT(now);
    TComparison comparison;
    comparison.records = {&first, second};
    comparison.differs = {false, second == nullptr};
    TPass how{now, true, nullptr, nullptr};
    how.comparison = &comparison;
    const bool run = Run_Base(painter, size, scene, how);
    if (complete) {
        *complete = run && !comparison.stopped;
    }
    if (!run) {
        return -1;
    }
    for (int i = 0; i < 2; ++i) {
        if (!comparison.differs[i] &&
            comparison.records[i]->geometry.size() == now->geometry.size()) {
            return i;
        }
    }
    return -1;
}

bool TScenePainter::Note(std::initializer_list<int> values, bool gauge) const
{
    if (Stopped()) {
        return false;
    }
    std::vector<int> &geometry = pass.record->geometry;
    const size_t at = geometry.size();
    geometry.insert(geometry.end(), values);
    if (pass.comparison) {
        TComparison &comparison = *pass.comparison;
        for (int i = 0; i < 2; ++i) {
            if (comparison.differs[i]) {
                continue;
            }
            const std::vector<int> &other = comparison.records[i]->geometry;
            comparison.differs[i] =
                other.size() < geometry.size() ||
                !std::equal(values.begin(), values.end(), other.begin() + std::ptrdiff_t(at));
        }
        comparison.stopped = comparison.Over() && !gauge;
    }
    return !Stopped();
}

bool TScenePainter::Run_Base(QPainter *painter, const QSize &size, const TScene &scene,
                             const TPass &how)
{
    Q_ASSERT(painter);
    Q_ASSERT(scene.gauges);
    if (!Lay_Out(painter, size, scene)) {
        return false;
    }
    if (how.record) {
        *how.record = TBaseRecord();
    }
    pass = how;
    const int text_height = cache.probe.height();
    Draw_Grid(painter, scene);
    Draw_Y_Length_Arrows(painter, scene, Floor_Half(text_height));
    Draw_Z_Length_Arrows(painter, scene, Floor_Half(text_height), size.height());
    Paint_Gauges(painter, scene, 0);
    pass = TPass();
    return true;
}

void TScenePainter::Paint_Gauges(QPainter *painter, const TScene &scene, size_t first,
                                 TBaseRecord *record)
{
    const TPass outer = pass;
    if (record) {
        pass.record = record;
    }
    painter->setPen(Gauge_Pen());
    painter->setBrush(Gauge_Brush());
    if (scene.corrections) {
        scene.corrections->Use(*scene.model, scene.gauges->size());
    }
    for (size_t i = first; i < scene.gauges->size(); ++i) {
        Draw_One_Gauge(painter, scene, (*scene.gauges)[i], i);
    }
    pass = outer;
}

void TScenePainter::Paint_Overlay(QPainter *painter, const QSize &size, const TScene &scene) const
{
    Q_ASSERT(painter);
    if (scene.highlighted && !scene.highlighted->empty()) {
        const std::unordered_set<int> highlighted(scene.highlighted->begin(),
                                                  scene.highlighted->end());
        // Last, so that no other gauge hides a selected one or its id.
        painter->setPen(Highlight_Pen());
        painter->setBrush(Gauge_Brush());
        for (const TLengthMeasurement &gauge : *scene.gauges) {
            if (highlighted.count(gauge.id) != 0) {
                Draw_One_Gauge(painter, scene, gauge);
            }
        }
    }
    Draw_Axes(painter, size, cache.probe.height());
}

TScenePainter TScenePainter::For_Another_Thread() const
{
    TScenePainter copy;
    copy.scale_y = scale_y;
    copy.scale_z = scale_z;
    copy.offset_y = offset_y;
    copy.offset_z = offset_z;
    copy.viewport_rect = viewport_rect;
    copy.viewport_size = viewport_size;
    copy.viewport_dirty = viewport_dirty;
    // The text's size is known, so that the layout stays unless the other thread measures it
    // otherwise.
    copy.cache.probe = cache.probe;
    return copy;
}

std::array<double, 4> TScenePainter::Layout() const
{
    return {scale_y, scale_z, offset_y, offset_z};
}

bool TScenePainter::Lay_Out(QPainter *painter, const QSize &size, const TScene &scene)
{
    Q_ASSERT(painter);
    if (!scene.model) {
        return false;
    }
    Update_Cache(scene, painter);
    if (size != viewport_size) {
        viewport_dirty = true;
    }
    return !viewport_dirty || Recompute_Viewport(size, cache.probe.width(), scene);
}

void TScenePainter::Update_Cache(const TScene &scene, QPainter *painter)
{
    const TDeflectionModel *model = scene.model;
    const TModelInputs inputs(*model);
    if (!cache.valid || cache.model != model || inputs != cache.inputs) {
        cache.valid = true;
        cache.model = model;
        cache.inputs = inputs;
        // The grid's coordinates advance by adding the step, as they always did.
        const double step_y = model->Range_Y() / 24;
        const double step_z = model->Range_Z() / 24;
        double y = 0.0;
        double z = 0.0;
        for (int i = 0; i < 25; ++i, y += step_y, z += step_z) {
            cache.grid_y[i] = y;
            cache.grid_z[i] = z;
        }
        for (int i = 0; i < 25; ++i) {
            for (int j = 0; j < 25; ++j) {
                cache.corrections[i * 25 + j] =
                    model->Calculate_Correction(TVector3(0, cache.grid_y[i], cache.grid_z[j]));
            }
        }
        const double range_y = model->Range_Y();
        const double range_z = model->Range_Z();
        double level = 0.0;
        for (int i = 0; i < 5; ++i, level += range_z * 0.25) {
            cache.y_labels[i] = Length_Text(
                Deflected_Length(model, TVector3(0, 0, level), TVector3(0, range_y, level)));
        }
        level = 0.0;
        for (int i = 0; i < 5; ++i, level += range_y * 0.25) {
            cache.z_labels[i] = Length_Text(
                Deflected_Length(model, TVector3(0, level, 0), TVector3(0, level, range_z)));
        }
    }
    // The text's size depends on the device's resolution as well as on the font.
    const QPaintDevice *device = painter->device();
    const int dpi_x = device ? device->logicalDpiX() : 0;
    const int dpi_y = device ? device->logicalDpiY() : 0;
    if (!cache.has_probe || painter->font() != cache.font || dpi_x != cache.dpi_x ||
        dpi_y != cache.dpi_y) {
        cache.has_probe = true;
        cache.font = painter->font();
        cache.dpi_x = dpi_x;
        cache.dpi_y = dpi_y;
        const QRect probe = painter->boundingRect(QRect(), 0, probe_text);
        // The margins come from the text's size: another size lays the viewport out again.
        if (probe != cache.probe) {
            viewport_dirty = true;
        }
        cache.probe = probe;
        cache.digits.Prepare(painter);
    }
}

void TScenePainter::Draw_Grid(QPainter *painter, const TScene &scene) const
{
    const QPen nominal_pen = Nominal_Pen();
    const QPen deflected_pen = Deflected_Pen();
    const double exaggeration = scene.exaggeration;

    // The grid: 25 rows along Y, then 25 columns along Z, each of 24 segments, grey and red
    // alternately.
    for (int pass = 0; pass < 2; ++pass) {
        const bool rows = pass == 0;
        for (int line = 0; line < 25; ++line) {
            TVector2 previous_nominal;
            TVector2 previous_deflected;
            for (int point = 0; point < 25; ++point) {
                const int i = rows ? point : line; // the Y step
                const int j = rows ? line : point; // the Z step
                const double y = cache.grid_y[i];
                const double z = cache.grid_z[j];
                const TVector3 &correction = cache.corrections[i * 25 + j];
                const TVector2 nominal = Pixel(y, z);
                const TVector2 deflected =
                    Pixel(y + exaggeration * correction.y, z + exaggeration * correction.z);
                if (point > 0) {
                    painter->setPen(nominal_pen);
                    Segment(painter, nominal, previous_nominal, false);
                    painter->setPen(deflected_pen);
                    Segment(painter, deflected, previous_deflected, false);
                }
                previous_nominal = nominal;
                previous_deflected = deflected;
            }
        }
    }
}

void TScenePainter::Draw_One_Gauge(QPainter *painter, const TScene &scene,
                                   const TLengthMeasurement &gauge, size_t index) const
{
    bool drawn = false;
    QPoint a;
    QPoint b;
    if (Stopped()) {
        return;
    }
    if (pass.known && index < scene.gauges->size()) {
        // Where the record of this very base has it, gauges last: the same as computing it
        // again.
        const size_t first_gauge =
            pass.known->geometry.size() - gauge_values * scene.gauges->size();
        const int *values = pass.known->geometry.data() + first_gauge + gauge_values * index;
        drawn = values[0] != 0;
        a = QPoint(values[1], values[2]);
        b = QPoint(values[3], values[4]);
    } else {
        TVector2 p1;
        TVector2 p2;
        if (scene.corrections && index < scene.gauges->size()) {
            TVector3 correction1;
            TVector3 correction2;
            scene.corrections->At(index, gauge.point1, gauge.point2, &correction1, &correction2);
            p1 = Deflected_Pixel(scene, gauge.point1, correction1);
            p2 = Deflected_Pixel(scene, gauge.point2, correction2);
        } else {
            p1 = Deflected_Pixel(scene, gauge.point1.y, gauge.point1.z);
            p2 = Deflected_Pixel(scene, gauge.point2.y, gauge.point2.z);
        }
        drawn = Clip_To_Canvas(&p1, &p2);
        a = drawn ? To_Point(p1) : QPoint();
        b = drawn ? To_Point(p2) : QPoint();
    }
    if (pass.record && !Note({drawn, a.x(), a.y(), b.x(), b.y(), gauge.id}, true)) {
        return;
    }
    if (!drawn || pass.dry || (pass.only && !Gauge_Reaches(pass.only_pieces, a, b))) {
        return;
    }
    Draw_Gauge(painter, a, b, QString::number(gauge.id), 16,
               cache.digits.Fits(painter) ? &cache.digits : nullptr);
}

void TScenePainter::Segment(QPainter *painter, TVector2 from, TVector2 to, bool arrow) const
{
    if (Stopped()) {
        return;
    }
    const bool drawn = Clip_To_Canvas(&from, &to);
    const QPoint a = drawn ? To_Point(from) : QPoint();
    const QPoint b = drawn ? To_Point(to) : QPoint();
    if (pass.record && !Note({drawn, a.x(), a.y(), b.x(), b.y()})) {
        return;
    }
    // An arrow's heads reach a few pixels beside its line.
    const int reach = arrow ? 16 : 1;
    if (!drawn || pass.dry ||
        (pass.only && !Meets(pass.only_pieces,
                             QRect(a, b).normalized().adjusted(-reach, -reach, reach, reach)))) {
        return;
    }
    if (arrow) {
        Draw_Arrow(painter, a, b, 12, 3, false);
    } else {
        painter->drawLine(a, b);
    }
}

bool TScenePainter::Label_Wanted(const QRect &rect, const QString &text) const
{
    if (pass.record) {
        if (!Note({rect.left(), rect.top(), rect.right(), rect.bottom()})) {
            return false;
        }
        pass.record->labels.push_back(text);
        pass.record->label_rects.push_back(rect);
    }
    return !pass.dry && (!pass.only || Meets(pass.only_pieces, rect.adjusted(-4, -4, 4, 4)));
}

bool TScenePainter::Machine_Point(const QPointF &pixel, double *y, double *z) const
{
    Q_ASSERT(y && z);
    if (!viewport_size.isValid() || scale_y == 0.0 || scale_z == 0.0) {
        return false;
    }
    *y = (pixel.x() - offset_y) / scale_y;
    *z = (pixel.y() - offset_z) / scale_z;
    return std::isfinite(*y) && std::isfinite(*z);
}

// Five arrows across the volume at Z = 0, 1/4, ... RZ, each labelled with the length of the
// deflected line it spans (corrections not exaggerated), the labels in a column that ends 25
// pixels left of the deflected origin.
void TScenePainter::Draw_Y_Length_Arrows(QPainter *painter, const TScene &scene,
                                         int half_text_height) const
{
    const QPen arrow_pen = Arrow_Pen();
    const QPen text_pen = Text_Pen();
    const double range_y = scene.model->Range_Y();
    const double step = scene.model->Range_Z() * 0.25;

    const TVector2 origin = Deflected_Pixel(scene, 0, 0);
    const int label_right = To_Point(origin).x() - 25;

    double z = 0.0;
    for (int i = 0; i < 5; ++i, z += step) {
        const QString &label_text = cache.y_labels[i];
        const TVector2 left_end = Deflected_Pixel(scene, 0, z);
        painter->setPen(arrow_pen);
        Segment(painter, Deflected_Pixel(scene, range_y, z), left_end, true);

        if (Is_Finite(origin) && Is_Finite(left_end)) {
            const int level = To_Point(left_end).y();
            const QRect label(QPoint(0, level - half_text_height),
                              QPoint(label_right, level + half_text_height));
            if (Label_Wanted(label, label_text)) {
                painter->setPen(text_pen);
                painter->drawText(label, Qt::AlignRight | Qt::AlignVCenter, label_text);
            }
        }
    }
}

// Five arrows up the volume at Y = 0, 1/4, ... RY, labelled like the Y arrows but reading
// upward, the labels ending 25 pixels below the deflected origin.
void TScenePainter::Draw_Z_Length_Arrows(QPainter *painter, const TScene &scene,
                                         int half_text_height, int device_height) const
{
    const QPen arrow_pen = Arrow_Pen();
    const QPen text_pen = Text_Pen();
    const double range_z = scene.model->Range_Z();
    const double step = scene.model->Range_Y() * 0.25;

    const TVector2 origin = Deflected_Pixel(scene, 0, 0);
    const int label_top = To_Point(origin).y() + 25;
    const int label_bottom = device_height - 1;

    double y = 0.0;
    for (int i = 0; i < 5; ++i, y += step) {
        const QString &label_text = cache.z_labels[i];
        const TVector2 bottom_end = Deflected_Pixel(scene, y, 0);
        painter->setPen(arrow_pen);
        Segment(painter, Deflected_Pixel(scene, y, range_z), bottom_end, true);

        if (Is_Finite(origin) && Is_Finite(bottom_end)) {
            const int column = To_Point(bottom_end).x();
            const QRect label(QPoint(column - half_text_height, label_top),
                              QPoint(column + half_text_height, label_bottom));
            if (!Label_Wanted(label, label_text)) {
                continue;
            }
            painter->save();
            painter->setPen(text_pen);
            Draw_Rotated_Text(painter, label, Qt::AlignRight | Qt::AlignVCenter, label_text);
            painter->restore();
        }
    }
}

// The two axis arrows in the bottom-left corner with their names, and the captions of the two
// rows of length labels.
void TScenePainter::Draw_Axes(QPainter *painter, const QSize &size, int text_height)
{
    const QPen text_pen = Text_Pen();
    const QPen arrow_pen = Arrow_Pen();
    const int h2 = Floor_Half(text_height);
    const int w1 = size.width() - 1;
    const int h1 = size.height() - 1;
    const QPoint origin(h2, h1 - h2);

    painter->setPen(arrow_pen);
    Draw_Arrow(painter, QPoint(h2 + 60, h1 - h2), origin, 12, 3, true);

    painter->setPen(text_pen);
    QRect caption(QPoint(h2 + 65, h1 - h2 - h2), QPoint(w1, h1 - h2 + h2));
    painter->drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, tr("Y Axis"));
    caption.setLeft(0);
    painter->drawText(caption, Qt::AlignCenter, tr("Z Lengths mm"));

    painter->setPen(arrow_pen);
    Draw_Arrow(painter, QPoint(h2, h1 - h2 - 60), origin, 12, 3, true);

    painter->save();
    painter->setPen(text_pen);
    Draw_Rotated_Text(painter, QRect(QPoint(0, 0), QPoint(text_height, h1 - h2 - 65)),
                      Qt::AlignLeft | Qt::AlignVCenter, tr("Z Axis"));
    Draw_Rotated_Text(painter, QRect(QPoint(0, 0), QPoint(text_height, h1)), Qt::AlignCenter,
                      tr("Y Lengths mm"));
    painter->restore();
}

void TScenePainter::Draw_Arrow(QPainter *painter, const QPoint &p1, const QPoint &p2,
                               int arrow_length, int arrow_width, bool single_head)
{
    Q_ASSERT(painter);
    Q_ASSERT(arrow_length > 0);
    Q_ASSERT(arrow_width > 0);

    TFrame frame;
    if (!Frame(p1, p2, &frame)) {
        return;
    }

    const TVector2 base = frame.start + frame.direction * arrow_length;
    painter->drawLine(To_Point(base + frame.perpendicular * arrow_width), p1);
    painter->drawLine(p1, To_Point(base - frame.perpendicular * arrow_width));

    painter->drawLine(p1, p2);

    if (!single_head) {
        const TVector2 base2 = frame.end - frame.direction * arrow_length;
        painter->drawLine(To_Point(base2 + frame.perpendicular * arrow_width), p2);
        painter->drawLine(To_Point(base2 - frame.perpendicular * arrow_width), p2);
    }
}

// Qt draws a polygon through its general rasteriser and its outline through its line
// stroker, and a gauge spent most of its time there. Where the pixels can be had another way,
// the band takes it: a band along Y or Z is a rectangle, and fillRect draws its outline and
// inside as plain runs of pixels; any other band is drawn by TBandRasteriser straight into the
// image. The pixels are the same (the tests compare with drawPolygon over angles, sizes,
// positions, corner orders, clips and translations) where: the device is a raster image and
// the band lies wholly on it (Qt's line clipping at the device's edge moves pixels); the
// painter moves by whole pixels only, does not antialias and paints opaquely over what is
// there; pen and brush are opaque solid colours and the pen is 1 pixel wide (so no pixel
// depends on the order in which fill and outline are laid). Anywhere else drawPolygon draws
// the band, and vector devices, whose files should keep the polygon, always take that way.
void TScenePainter::Draw_Band(QPainter *painter, const QPolygon &band)
{
    Q_ASSERT(painter && band.size() == 4);
    const QPen &pen = painter->pen();
    const QBrush &brush = painter->brush();
    const QTransform &transform = painter->deviceTransform();
    QPaintEngine *engine = painter->paintEngine();
    QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    const QRect box = band.boundingRect();
    const QRect on_device = transform.mapRect(box);
    const bool plain = engine && engine->type() == QPaintEngine::Raster && device &&
                       transform.type() <= QTransform::TxTranslate &&
                       transform.dx() == std::floor(transform.dx()) &&
                       transform.dy() == std::floor(transform.dy()) &&
                       !painter->testRenderHint(QPainter::Antialiasing) &&
                       painter->opacity() == 1.0 &&
                       painter->compositionMode() == QPainter::CompositionMode_SourceOver &&
                       pen.style() == Qt::SolidLine && pen.widthF() == 1.0 && !pen.isCosmetic() &&
                       pen.capStyle() == Qt::SquareCap && pen.brush().style() == Qt::SolidPattern &&
                       pen.color().alpha() == 255 && brush.style() == Qt::SolidPattern &&
                       brush.color().alpha() == 255 &&
                       QRect(0, 0, device->width(), device->height()).contains(on_device);
    if (plain && Is_Rectangle(band)) {
        // The outline's colour over the whole box, then the fill's over the inside: with
        // opaque colours the same pixels as fill and outline, in two runs per row.
        painter->fillRect(box, pen.color());
        painter->fillRect(box.adjusted(1, 1, -1, -1), brush.color());
        return;
    }
    QImage *image = plain ? Writable_Image(painter, on_device.adjusted(-1, -1, 1, 1)) : nullptr;
    const QPoint corners[4] = {transform.map(band[0]), transform.map(band[1]),
                               transform.map(band[2]), transform.map(band[3])};
    if (!image || !TBandRasteriser::Can_Draw(corners)) {
        painter->drawPolygon(band, Qt::WindingFill);
        return;
    }
    TBandRasteriser(image).Draw(corners, pen.color().rgba(), brush.color().rgba());
}

bool TScenePainter::Is_Rectangle(const QPolygon &band)
{
    // Every corner a corner of the bounding box, every edge along an axis, and the corners
    // walked around the box, not back and forth.
    const QRect box = band.boundingRect();
    bool rectangle =
        box.width() > 1 && box.height() > 1 && band[0] != band[2] && band[1] != band[3];
    for (int i = 0; i < 4 && rectangle; ++i) {
        const QPoint &corner = band[i];
        const QPoint &next = band[(i + 1) % 4];
        rectangle = (corner.x() == box.left() || corner.x() == box.right()) &&
                    (corner.y() == box.top() || corner.y() == box.bottom()) &&
                    (corner.x() == next.x()) != (corner.y() == next.y());
    }
    return rectangle;
}

QImage *TScenePainter::Writable_Image(QPainter *painter, const QRect &area)
{
    // The image the engine paints into, in a format whose pixels are one opaque QRgb each, not
    // shared (writing would otherwise reach a copy, or the copy's owner), and clipped nowhere
    // within the area: neither by the painter nor by the region the paint is limited to.
    QPaintEngine *engine = painter->paintEngine();
    QPaintDevice *device = engine->paintDevice();
    if (device->devType() != QInternal::Image) {
        return nullptr;
    }
    auto *image = static_cast<QImage *>(device);
    const QImage::Format format = image->format();
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
         format != QImage::Format_ARGB32_Premultiplied) ||
        !image->isDetached() || image->width() >= 16384 || image->height() >= 16384 ||
        !image->rect().contains(area)) {
        return nullptr;
    }
    const auto covers = [&area](const QRegion &region) {
        return region.rectCount() == 1 ? region.boundingRect().contains(area)
                                       : QRegion(area).subtracted(region).isEmpty();
    };
    const QRegion system = engine->systemClip();
    if (!system.isEmpty() && !covers(system)) {
        return nullptr;
    }
    if (painter->hasClipping() && !covers(painter->deviceTransform().map(painter->clipRegion()))) {
        return nullptr;
    }
    return image;
}

void TScenePainter::Draw_Gauge(QPainter *painter, const QPoint &p1, const QPoint &p2,
                               const QString &text, int gauge_width, const TDigitLabel *digits)
{
    Q_ASSERT(painter);

    TFrame frame;
    if (!Frame(p1, p2, &frame)) {
        return;
    }
    const double half = Floor_Half(gauge_width);

    const TVector2 c1 = frame.start - frame.perpendicular * half;
    const TVector2 c2 = frame.start + frame.perpendicular * half;
    const TVector2 c3 = frame.end + frame.perpendicular * half;
    const TVector2 c4 = frame.end - frame.perpendicular * half;
    QPolygon band;
    band << To_Point(c1) << To_Point(c2) << To_Point(c3) << To_Point(c4);
    Draw_Band(painter, band);

    // The label square is placed from the untruncated corners.
    const TVector2 centre = (c1 + c2 + c3 + c4) / 4.0;
    const QPoint corner = To_Point(TVector2(centre.x - half + 1.0, centre.y - half + 1.0));
    const QRect square(corner, QPoint(corner.x() + gauge_width - 2, corner.y() + gauge_width - 2));
    painter->fillRect(square, Qt::white);
    if (!digits || !digits->Draw(painter, square, text)) {
        painter->drawText(square, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
    }
}
