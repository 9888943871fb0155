#include "displaywidget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "deflectionmodel.h"
#include "genericdeflectionmodel.h"
#include "lkdeflectionmodel.h"
#include "renishawdeflectionmodel.h"

namespace
{
// Pixel coordinates are kept within +-canvas_limit before they become integers: NaN or values
// beyond the range of int must not reach a conversion (undefined behaviour) nor the painter.
// The limit lies far outside any widget, so nothing that can be seen changes.
const double canvas_limit = 1.0e6;

const QString probe_text = QStringLiteral("__999999.99j");

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

QBrush Gauge_Brush()
{
    return QBrush(QColor(180, 180, 212), Qt::SolidPattern);
}

QString Length_Text(const double &length)
{
    return QStringLiteral("%1").arg(length, 0, 'f', 3);
}
} // namespace

TDisplayWidget::TDisplayWidget(const QWidget *parent, Qt::WindowFlags flags)
    : QWidget(const_cast<QWidget *>(parent), flags)
    , scale_y(1.0)
    , scale_z(-1.0)
    , offset_y(0.0)
    , offset_z(0.0)
    , minimum_size(250, 250)
    , viewport_rect()
    , viewport_dirty(false)
    , deflection_model(nullptr)
    , exaggeration(1.0)
{
}

TDisplayWidget::~TDisplayWidget()
{
    delete deflection_model;
    deflection_model = nullptr;
}

void TDisplayWidget::Set_Deflection_Model(const TDeflectionModelType &type)
{
    // The old model goes first, so that two models never exist at once.
    delete deflection_model;
    deflection_model = nullptr;

    switch (type) {
    case DEFLECTION_MODEL_GENERIC:
        deflection_model = new TGenericDeflectionModel;
        break;
    case DEFLECTION_MODEL_RENISHAW:
        deflection_model = new TRenishawDeflectionModel;
        break;
    case DEFLECTION_MODEL_LK:
        deflection_model = new TLKDeflectionModel;
        break;
    }
}

void TDisplayWidget::Set_Parameter(void (TDeflectionModel::*setter)(const double &),
                                   const double &value)
{
    if (deflection_model) {
        (deflection_model->*setter)(value);
    }
    update();
}

void TDisplayWidget::Set_Model_Parameter1(const double &value)
{
    Set_Parameter(&TDeflectionModel::Set_Parameter1, value);
}

void TDisplayWidget::Set_Model_Parameter2(const double &value)
{
    Set_Parameter(&TDeflectionModel::Set_Parameter2, value);
}

void TDisplayWidget::Set_Model_Parameter3(const double &value)
{
    Set_Parameter(&TDeflectionModel::Set_Parameter3, value);
}

void TDisplayWidget::Set_Model_Parameter4(const double &value)
{
    Set_Parameter(&TDeflectionModel::Set_Parameter4, value);
}

void TDisplayWidget::Set_Model_Parameters(const double &parameter1, const double &parameter2,
                                          const double &parameter3, const double &parameter4)
{
    if (deflection_model) {
        deflection_model->Set_Parameter1(parameter1);
        deflection_model->Set_Parameter2(parameter2);
        deflection_model->Set_Parameter3(parameter3);
        deflection_model->Set_Parameter4(parameter4);
    }
    update();
}

double TDisplayWidget::Model_Parameter1() const
{
    return deflection_model ? deflection_model->Parameter1() : 0.0;
}

double TDisplayWidget::Model_Parameter2() const
{
    return deflection_model ? deflection_model->Parameter2() : 0.0;
}

double TDisplayWidget::Model_Parameter3() const
{
    return deflection_model ? deflection_model->Parameter3() : 0.0;
}

double TDisplayWidget::Model_Parameter4() const
{
    return deflection_model ? deflection_model->Parameter4() : 0.0;
}

void TDisplayWidget::Set_Range_Y(const double &range)
{
    if (deflection_model) {
        deflection_model->Set_Range_Y(range);
    }
    viewport_dirty = true;
    update();
}

void TDisplayWidget::Set_Range_Z(const double &range)
{
    if (deflection_model) {
        deflection_model->Set_Range_Z(range);
    }
    viewport_dirty = true;
    update();
}

void TDisplayWidget::Set_Range(const double &range_y, const double &range_z)
{
    if (deflection_model) {
        deflection_model->Set_Range_Y(range_y);
        deflection_model->Set_Range_Z(range_z);
    }
    viewport_dirty = true;
    update();
}

void TDisplayWidget::Set_Exaggeration(int value)
{
    exaggeration = static_cast<double>(std::max(value, 1));
    update();
}

TVector3 TDisplayWidget::Calculate_Correction(const TVector3 &position) const
{
    if (!deflection_model) {
        return TVector3();
    }
    return deflection_model->Calculate_Correction(position);
}

TVector3 TDisplayWidget::Get_Gauge_Point(const TVector3 &position) const
{
    if (!deflection_model) {
        return position;
    }
    return position - deflection_model->Calculate_Correction(position);
}

void TDisplayWidget::Add_Length_Measurement(int id, const TVector3 &point1, const TVector3 &point2)
{
    for (const TLengthMeasurement &gauge : length_measurements) {
        if (gauge.id == id) {
            return;
        }
    }
    length_measurements.push_back(TLengthMeasurement{id, point1, point2});
    viewport_dirty = true;
    update();
}

void TDisplayWidget::Update_Length_Measurement(int id, const TVector3 &point1,
                                               const TVector3 &point2)
{
    for (TLengthMeasurement &gauge : length_measurements) {
        if (gauge.id == id) {
            gauge.point1 = point1;
            gauge.point2 = point2;
            viewport_dirty = true;
            update();
            return;
        }
    }
}

void TDisplayWidget::Remove_Length_Measurement(int id)
{
    for (auto it = length_measurements.begin(); it != length_measurements.end(); ++it) {
        if (it->id == id) {
            length_measurements.erase(it);
            viewport_dirty = true;
            update();
            return;
        }
    }
}

void TDisplayWidget::Clear_Length_Measurements()
{
    length_measurements.clear();
    viewport_dirty = true;
    update();
}

TVector3 TDisplayWidget::Length_Volume_Minimum() const
{
    return Length_Volume_Bound([](const double &a, const double &b) { return std::min(a, b); });
}

TVector3 TDisplayWidget::Length_Volume_Maximum() const
{
    return Length_Volume_Bound([](const double &a, const double &b) { return std::max(a, b); });
}

// Starts from the first gauge's first point and folds every Y and Z of all gauge ends into it,
// each axis on its own; X stays the first point's.
TVector3 TDisplayWidget::Length_Volume_Bound(double (*pick)(const double &, const double &)) const
{
    if (length_measurements.empty()) {
        return TVector3();
    }
    TVector3 bound = length_measurements.front().point1;
    for (const TLengthMeasurement &gauge : length_measurements) {
        for (const TVector3 *point : {&gauge.point1, &gauge.point2}) {
            bound.y = pick(bound.y, point->y);
            bound.z = pick(bound.z, point->z);
        }
    }
    return bound;
}

void TDisplayWidget::Update_Viewport(const TVector3 &minimum, const TVector3 &maximum)
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

QSize TDisplayWidget::minimumSizeHint() const
{
    return minimum_size;
}

void TDisplayWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    viewport_dirty = true;
}

bool TDisplayWidget::Recompute_Viewport(int text_width)
{
    if (width() < minimum_size.width() || height() < minimum_size.height()) {
        return false;
    }

    const int margin = text_width + 25;
    QRect plot(QPoint(margin, margin), QPoint((width() - 1) - margin, (height() - 1) - margin));
    const int difference = width() - height();
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
    TVector3 lower = Length_Volume_Minimum();
    TVector3 upper = Length_Volume_Maximum();
    lower.y = std::min(lower.y, 0.0);
    lower.z = std::min(lower.z, 0.0);
    upper.y = std::max(upper.y, deflection_model->Range_Y());
    upper.z = std::max(upper.z, deflection_model->Range_Z());

    Update_Viewport(lower, upper);
    viewport_dirty = false;
    return true;
}

TVector2 TDisplayWidget::Pixel(const double &y, const double &z) const
{
    return TVector2(y * scale_y + offset_y, z * scale_z + offset_z);
}

TVector2 TDisplayWidget::Deflected_Pixel(const double &y, const double &z) const
{
    const TVector3 correction = deflection_model->Calculate_Correction(TVector3(0, y, z));
    return Pixel(y + exaggeration * correction.y, z + exaggeration * correction.z);
}

void TDisplayWidget::Draw_Segment(QPainter *painter, const TVector2 &from, const TVector2 &to) const
{
    TVector2 a(from);
    TVector2 b(to);
    if (Clip_To_Canvas(&a, &b)) {
        painter->drawLine(To_Point(a), To_Point(b));
    }
}

void TDisplayWidget::paintEvent(QPaintEvent *event)
{
    event->accept();

    QPainter painter(this);
    const QPen nominal_pen = Nominal_Pen();
    const QPen deflected_pen = Deflected_Pen();

    if (!deflection_model) {
        return;
    }

    const QRect probe = painter.boundingRect(QRect(), 0, probe_text);
    const int text_height = probe.height();
    const int half_text_height = Floor_Half(text_height);
    const double range_y = deflection_model->Range_Y();
    const double range_z = deflection_model->Range_Z();

    if (viewport_dirty && !Recompute_Viewport(probe.width())) {
        return;
    }

    // The grid: 25 rows along Y, then 25 columns along Z, each of 24 segments, grey and red
    // alternately. The coordinates advance by adding the step.
    const double step_y = range_y / 24;
    const double step_z = range_z / 24;
    for (int pass = 0; pass < 2; ++pass) {
        const bool rows = pass == 0;
        double outer = 0.0;
        for (int line = 0; line < 25; ++line, outer += rows ? step_z : step_y) {
            TVector2 previous_nominal;
            TVector2 previous_deflected;
            double inner = 0.0;
            for (int point = 0; point < 25; ++point, inner += rows ? step_y : step_z) {
                const double y = rows ? inner : outer;
                const double z = rows ? outer : inner;
                const TVector2 nominal = Pixel(y, z);
                const TVector2 deflected = Deflected_Pixel(y, z);
                if (point > 0) {
                    painter.setPen(nominal_pen);
                    Draw_Segment(&painter, nominal, previous_nominal);
                    painter.setPen(deflected_pen);
                    Draw_Segment(&painter, deflected, previous_deflected);
                }
                previous_nominal = nominal;
                previous_deflected = deflected;
            }
        }
    }

    Draw_Y_Length_Arrows(&painter, half_text_height);
    Draw_Z_Length_Arrows(&painter, half_text_height);

    painter.setPen(Gauge_Pen());
    painter.setBrush(Gauge_Brush());
    for (const TLengthMeasurement &gauge : length_measurements) {
        TVector2 p1 = Deflected_Pixel(gauge.point1.y, gauge.point1.z);
        TVector2 p2 = Deflected_Pixel(gauge.point2.y, gauge.point2.z);
        if (Clip_To_Canvas(&p1, &p2)) {
            Draw_Gauge(&painter, To_Point(p1), To_Point(p2), QStringLiteral("%1").arg(gauge.id),
                       16);
        }
    }

    Draw_Axes(&painter, text_height);
}

// The distance between the two points after each has been moved by its correction, not
// exaggerated.
double TDisplayWidget::Deflected_Length(const TVector3 &a, const TVector3 &b) const
{
    const TVector3 span = (b + deflection_model->Calculate_Correction(b)) -
                          (a + deflection_model->Calculate_Correction(a));
    return std::sqrt(span ^ span);
}

// A double-headed dimension arrow, cut to the canvas; nothing when an end is not finite.
void TDisplayWidget::Draw_Clipped_Arrow(QPainter *painter, TVector2 from, TVector2 to) const
{
    if (Clip_To_Canvas(&from, &to)) {
        Draw_Arrow(painter, To_Point(from), To_Point(to), 12, 3, false);
    }
}

// Five arrows across the volume at Z = 0, 1/4, ... RZ, each labelled with the length of the
// deflected line it spans (corrections not exaggerated), the labels in a column that ends 25
// pixels left of the deflected origin.
void TDisplayWidget::Draw_Y_Length_Arrows(QPainter *painter, int half_text_height) const
{
    const QPen arrow_pen = Arrow_Pen();
    const QPen text_pen = Text_Pen();
    const double range_y = deflection_model->Range_Y();
    const double step = deflection_model->Range_Z() * 0.25;

    const TVector2 origin = Deflected_Pixel(0, 0);
    const int label_right = To_Point(origin).x() - 25;

    double z = 0.0;
    for (int i = 0; i < 5; ++i, z += step) {
        const double length = Deflected_Length(TVector3(0, 0, z), TVector3(0, range_y, z));
        const TVector2 left_end = Deflected_Pixel(0, z);
        painter->setPen(arrow_pen);
        Draw_Clipped_Arrow(painter, Deflected_Pixel(range_y, z), left_end);

        if (Is_Finite(origin) && Is_Finite(left_end)) {
            const int level = To_Point(left_end).y();
            const QRect label(QPoint(0, level - half_text_height),
                              QPoint(label_right, level + half_text_height));
            painter->setPen(text_pen);
            painter->drawText(label, Qt::AlignRight | Qt::AlignVCenter, Length_Text(length));
        }
    }
}

// Five arrows up the volume at Y = 0, 1/4, ... RY, labelled like the Y arrows but reading
// upward, the labels ending 25 pixels below the deflected origin.
void TDisplayWidget::Draw_Z_Length_Arrows(QPainter *painter, int half_text_height) const
{
    const QPen arrow_pen = Arrow_Pen();
    const QPen text_pen = Text_Pen();
    const double range_z = deflection_model->Range_Z();
    const double step = deflection_model->Range_Y() * 0.25;

    const TVector2 origin = Deflected_Pixel(0, 0);
    const int label_top = To_Point(origin).y() + 25;
    const int label_bottom = height() - 1;

    double y = 0.0;
    for (int i = 0; i < 5; ++i, y += step) {
        const double length = Deflected_Length(TVector3(0, y, 0), TVector3(0, y, range_z));
        const TVector2 bottom_end = Deflected_Pixel(y, 0);
        painter->setPen(arrow_pen);
        Draw_Clipped_Arrow(painter, Deflected_Pixel(y, range_z), bottom_end);

        if (Is_Finite(origin) && Is_Finite(bottom_end)) {
            const int column = To_Point(bottom_end).x();
            const QRect label(QPoint(column - half_text_height, label_top),
                              QPoint(column + half_text_height, label_bottom));
            painter->save();
            painter->setPen(text_pen);
            Draw_Rotated_Text(painter, label, Qt::AlignRight | Qt::AlignVCenter,
                              Length_Text(length));
            painter->restore();
        }
    }
}

// The two axis arrows in the bottom-left corner with their names, and the captions of the two
// rows of length labels.
void TDisplayWidget::Draw_Axes(QPainter *painter, int text_height) const
{
    const QPen text_pen = Text_Pen();
    const QPen arrow_pen = Arrow_Pen();
    const int h2 = Floor_Half(text_height);
    const int w1 = width() - 1;
    const int h1 = height() - 1;
    const QPoint origin(h2, h1 - h2);

    painter->setPen(arrow_pen);
    Draw_Arrow(painter, QPoint(h2 + 60, h1 - h2), origin, 12, 3, true);

    painter->setPen(text_pen);
    QRect caption(QPoint(h2 + 65, h1 - h2 - h2), QPoint(w1, h1 - h2 + h2));
    painter->drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Y Axis"));
    caption.setLeft(0);
    painter->drawText(caption, Qt::AlignCenter, QStringLiteral("Z Lengths mm"));

    painter->setPen(arrow_pen);
    Draw_Arrow(painter, QPoint(h2, h1 - h2 - 60), origin, 12, 3, true);

    painter->save();
    painter->setPen(text_pen);
    Draw_Rotated_Text(painter, QRect(QPoint(0, 0), QPoint(text_height, h1 - h2 - 65)),
                      Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Z Axis"));
    Draw_Rotated_Text(painter, QRect(QPoint(0, 0), QPoint(text_height, h1)), Qt::AlignCenter,
                      QStringLiteral("Y Lengths mm"));
    painter->restore();
}

void TDisplayWidget::Draw_Arrow(QPainter *painter, const QPoint &p1, const QPoint &p2,
                                int arrow_length, int arrow_width, bool single_head) const
{
    Q_ASSERT(painter);
    Q_ASSERT(arrow_length > 0);
    Q_ASSERT(arrow_width > 0);

    if (p1 == p2) {
        return;
    }
    const TVector2 start(p1.x(), p1.y());
    const TVector2 end(p2.x(), p2.y());
    TVector2 direction = end - start;
    direction.Normal();
    const TVector2 perpendicular(-direction.y, direction.x);

    const TVector2 base = start + direction * arrow_length;
    painter->drawLine(To_Point(base + perpendicular * arrow_width), p1);
    painter->drawLine(p1, To_Point(base - perpendicular * arrow_width));

    painter->drawLine(p1, p2);

    if (!single_head) {
        const TVector2 base2 = end - direction * arrow_length;
        painter->drawLine(To_Point(base2 + perpendicular * arrow_width), p2);
        painter->drawLine(To_Point(base2 - perpendicular * arrow_width), p2);
    }
}

void TDisplayWidget::Draw_Gauge(QPainter *painter, const QPoint &p1, const QPoint &p2,
                                const QString &text, int gauge_width) const
{
    Q_ASSERT(painter);

    if (p1 == p2) {
        return;
    }
    const TVector2 start(p1.x(), p1.y());
    const TVector2 end(p2.x(), p2.y());
    TVector2 direction = end - start;
    direction.Normal();
    const TVector2 perpendicular(-direction.y, direction.x);
    const double half = Floor_Half(gauge_width);

    const TVector2 c1 = start - perpendicular * half;
    const TVector2 c2 = start + perpendicular * half;
    const TVector2 c3 = end + perpendicular * half;
    const TVector2 c4 = end - perpendicular * half;
    QPolygon band;
    band << To_Point(c1) << To_Point(c2) << To_Point(c3) << To_Point(c4);
    painter->drawPolygon(band, Qt::WindingFill);

    // The label square is placed from the untruncated corners.
    const TVector2 centre = (c1 + c2 + c3 + c4) / 4.0;
    const QPoint corner = To_Point(TVector2(centre.x - half + 1.0, centre.y - half + 1.0));
    const QRect square(corner, QPoint(corner.x() + gauge_width - 2, corner.y() + gauge_width - 2));
    painter->fillRect(square, Qt::white);
    painter->drawText(square, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
}
