// SPDX-License-Identifier: GPL-3.0-or-later
#include "displaywidget.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "deflectionmodel.h"
#include "evaluation.h"
#include "modelcatalog.h"
#include "testdocument.h"

TDisplayWidget::TDisplayWidget(const QWidget *parent, Qt::WindowFlags flags)
    : QWidget(const_cast<QWidget *>(parent), flags)
    , minimum_size(TScenePainter::Minimum_Size())
    , document(nullptr)
    , deflection_model(nullptr)
    , exaggeration(1.0)
{
    // The status bar follows the mouse without a button pressed.
    setMouseTracking(true);
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
    deflection_model = TModelCatalog::Create(type);
}

void TDisplayWidget::Set_Parameter(void (TDeflectionModel::*setter)(const double &),
                                   const double &value)
{
    if (deflection_model) {
        (deflection_model->*setter)(value);
    }
    Changed();
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
    Changed();
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
    scene_painter.Mark_Viewport_Dirty();
    Changed();
}

void TDisplayWidget::Set_Range_Z(const double &range)
{
    if (deflection_model) {
        deflection_model->Set_Range_Z(range);
    }
    scene_painter.Mark_Viewport_Dirty();
    Changed();
}

void TDisplayWidget::Set_Range(const double &range_y, const double &range_z)
{
    if (deflection_model) {
        deflection_model->Set_Range_Y(range_y);
        deflection_model->Set_Range_Z(range_z);
    }
    scene_painter.Mark_Viewport_Dirty();
    Changed();
}

void TDisplayWidget::Set_Exaggeration(int value)
{
    exaggeration = static_cast<double>(std::max(value, 1));
    Changed();
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
    return TEvaluation::Reported_Point(deflection_model, position);
}

void TDisplayWidget::Add_Length_Measurement(int id, const TVector3 &point1, const TVector3 &point2)
{
    if (!gauge_index.emplace(id, length_measurements.size()).second) {
        return;
    }
    length_measurements.push_back(TLengthMeasurement{id, point1, point2});
    // The kept base stays: the new gauge is drawn on top of it unless the layout moves.
    scene_painter.Mark_Viewport_Dirty();
    update();
}

void TDisplayWidget::Update_Length_Measurement(int id, const TVector3 &point1,
                                               const TVector3 &point2)
{
    const auto found = gauge_index.find(id);
    if (found == gauge_index.end()) {
        return;
    }
    TLengthMeasurement &gauge = length_measurements[found->second];
    gauge.point1 = point1;
    gauge.point2 = point2;
    scene_painter.Mark_Viewport_Dirty();
    Changed();
}

void TDisplayWidget::Remove_Length_Measurement(int id)
{
    const auto found = gauge_index.find(id);
    if (found == gauge_index.end()) {
        return;
    }
    const size_t position = found->second;
    gauge_index.erase(found);
    length_measurements.erase(length_measurements.begin() + std::ptrdiff_t(position));
    for (size_t i = position; i < length_measurements.size(); ++i) {
        gauge_index[length_measurements[i].id] = i;
    }
    scene_painter.Mark_Viewport_Dirty();
    Changed();
}

void TDisplayWidget::Clear_Length_Measurements()
{
    length_measurements.clear();
    gauge_index.clear();
    scene_painter.Mark_Viewport_Dirty();
    Changed();
}

TVector3 TDisplayWidget::Length_Volume_Minimum() const
{
    return TScenePainter::Length_Volume_Minimum(length_measurements);
}

TVector3 TDisplayWidget::Length_Volume_Maximum() const
{
    return TScenePainter::Length_Volume_Maximum(length_measurements);
}

void TDisplayWidget::Update_Viewport(const TVector3 &minimum, const TVector3 &maximum)
{
    scene_painter.Update_Viewport(minimum, maximum);
    kept.valid = false;
}

void TDisplayWidget::Changed()
{
    kept.valid = false;
    update();
}

void TDisplayWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::StyleChange) {
        kept.valid = false;
    }
}

QSize TDisplayWidget::minimumSizeHint() const
{
    return minimum_size;
}

bool TDisplayWidget::Too_Small() const
{
    return width() < minimum_size.width() || height() < minimum_size.height();
}

void TDisplayWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    scene_painter.Mark_Viewport_Dirty();
}

void TDisplayWidget::paintEvent(QPaintEvent *event)
{
    event->accept();
    QPainter painter(this);
    if (Too_Small()) {
        painter.drawText(rect(), Qt::AlignCenter, tr("The window is too small for the drawing"));
        return;
    }
    const TScenePainter::TScene scene{deflection_model, exaggeration, &length_measurements,
                                      &highlighted};
    // The base is kept only where it can be laid down pixel for pixel: on a raster image,
    // moved by whole pixels, at one device pixel per pixel.
    QPaintEngine *engine = painter.paintEngine();
    QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    const QTransform transform = painter.deviceTransform();
    const QRect on_device = transform.mapRect(rect());
    const bool keepable = deflection_model && device && device->devType() == QInternal::Image &&
                          transform.type() <= QTransform::TxTranslate &&
                          transform.dx() == std::floor(transform.dx()) &&
                          transform.dy() == std::floor(transform.dy()) &&
                          devicePixelRatioF() == 1.0 &&
                          QRect(0, 0, device->width(), device->height()).contains(on_device);
    if (!keepable) {
        kept.valid = false;
        scene_painter.Paint(&painter, size(), scene);
        return;
    }
    if (!Bring_Base_Up_To_Date(&painter, *static_cast<QImage *>(device), on_device.topLeft(),
                               event->region().contains(rect()), scene)) {
        scene_painter.Paint(&painter, size(), scene);
        return;
    }
    painter.drawImage(QPoint(0, 0), kept.image);
    scene_painter.Paint_Overlay(&painter, size(), scene);
}

bool TDisplayWidget::Bring_Base_Up_To_Date(QPainter *painter, const QImage &device,
                                           const QPoint &origin, bool whole,
                                           const TScenePainter::TScene &scene)
{
    // What lies under the widget before it paints: the base is painted over exactly that.
    // Only a paint of the whole widget shows all of it.
    if (!whole) {
        return kept.valid && kept.image.size() == size() &&
               kept.gauges == length_measurements.size() && !scene_painter.Viewport_Dirty();
    }
    const QImage background = device.copy(QRect(origin, size()));
    if (kept.valid && kept.image.size() == size() && kept.background == background &&
        scene_painter.Lay_Out(painter, size(), scene) && scene_painter.Layout() == kept.layout) {
        if (kept.gauges < length_measurements.size()) {
            QPainter base(&kept.image);
            Copy_State(*painter, &base);
            scene_painter.Paint_Gauges(&base, scene, kept.gauges);
            kept.gauges = length_measurements.size();
        }
        return true;
    }
    kept.valid = false;
    kept.background = background;
    kept.image = background.copy();
    kept.image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    kept.image.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    QPainter base(&kept.image);
    Copy_State(*painter, &base);
    if (!scene_painter.Paint_Base(&base, size(), scene)) {
        return false;
    }
    kept.valid = true;
    kept.layout = scene_painter.Layout();
    kept.gauges = length_measurements.size();
    return true;
}

void TDisplayWidget::Copy_State(const QPainter &from, QPainter *to)
{
    to->setFont(from.font());
    to->setPen(from.pen());
    to->setBrush(from.brush());
    to->setRenderHints(from.renderHints());
    to->setLayoutDirection(from.layoutDirection());
}

void TDisplayWidget::Set_Highlighted(const std::vector<int> &ids)
{
    if (ids != highlighted) {
        highlighted = ids;
        // The kept base holds every gauge as not highlighted: only the overlay changes.
        update();
    }
}

QString TDisplayWidget::Readout(const QPoint &pixel) const
{
    double y = 0.0;
    double z = 0.0;
    if (!deflection_model || Too_Small() || !scene_painter.Machine_Point(pixel, &y, &z)) {
        return QString();
    }
    const TVector3 correction = deflection_model->Calculate_Correction(TVector3(0.0, y, z));
    // The correction in micrometres, as the MPE and the errors are given.
    return tr("Y %1 mm, Z %2 mm: correction Y %3 \u00b5m, Z %4 \u00b5m")
        .arg(y, 0, 'f', 1)
        .arg(z, 0, 'f', 1)
        .arg(correction.y * 1000.0, 0, 'f', 2)
        .arg(correction.z * 1000.0, 0, 'f', 2);
}

void TDisplayWidget::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    emit Readout_Changed(Readout(event->pos()));
}

void TDisplayWidget::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    emit Readout_Changed(QString());
}

void TDisplayWidget::Draw_Arrow(QPainter *painter, const QPoint &p1, const QPoint &p2,
                                int arrow_length, int arrow_width, bool single_head) const
{
    TScenePainter::Draw_Arrow(painter, p1, p2, arrow_length, arrow_width, single_head);
}

void TDisplayWidget::Draw_Gauge(QPainter *painter, const QPoint &p1, const QPoint &p2,
                                const QString &text, int gauge_width) const
{
    TScenePainter::Draw_Gauge(painter, p1, p2, text, gauge_width);
}

void TDisplayWidget::Show_Document(const TTestDocument *document_)
{
    Q_ASSERT(document_ && !document);
    document = document_;
    Follow_Model();
    Reload_Gauges();
    connect(document, &TTestDocument::Model_Changed, this, &TDisplayWidget::Follow_Model);
    connect(document, &TTestDocument::Field_Changed, this, &TDisplayWidget::Follow_Field);
    connect(document, &TTestDocument::Measurement_Added, this, &TDisplayWidget::Add_Gauge);
    connect(document, &TTestDocument::Measurement_Changed, this, &TDisplayWidget::Update_Gauge);
    connect(document, &TTestDocument::Measurement_Removed, this, &TDisplayWidget::Remove_Gauge);
    connect(document, &TTestDocument::Measurements_Reset, this, &TDisplayWidget::Reload_Gauges);
}

void TDisplayWidget::Follow_Model()
{
    Set_Deflection_Model(TDeflectionModelType(document->Model_Type()));
    Set_Range(document->Field_Value(TTestDocument::FIELD_RANGE_Y),
              document->Field_Value(TTestDocument::FIELD_RANGE_Z));
    Set_Model_Parameters(document->Field_Value(TTestDocument::FIELD_PARAMETER1),
                         document->Field_Value(TTestDocument::FIELD_PARAMETER2),
                         document->Field_Value(TTestDocument::FIELD_PARAMETER3),
                         document->Field_Value(TTestDocument::FIELD_PARAMETER4));
}

void TDisplayWidget::Follow_Field(int field)
{
    const double value = document->Field_Value(field);
    switch (field) {
    case TTestDocument::FIELD_PARAMETER1:
        Set_Model_Parameter1(value);
        break;
    case TTestDocument::FIELD_PARAMETER2:
        Set_Model_Parameter2(value);
        break;
    case TTestDocument::FIELD_PARAMETER3:
        Set_Model_Parameter3(value);
        break;
    case TTestDocument::FIELD_PARAMETER4:
        Set_Model_Parameter4(value);
        break;
    case TTestDocument::FIELD_RANGE_Y:
        Set_Range_Y(value);
        break;
    default:
        Set_Range_Z(value);
        break;
    }
}

bool TDisplayWidget::Gauge_Ends_Of(int id, TVector3 *end1, TVector3 *end2) const
{
    TMeasurementData::TMeasurement measurement;
    if (!document->Measurement_Data().Get_Measurement(id, &measurement)) {
        return false;
    }
    TEvaluation::Gauge_Ends(measurement.position, measurement.axis, measurement.nominal_length,
                            end1, end2);
    return true;
}

void TDisplayWidget::Add_Gauge(int id)
{
    TVector3 end1;
    TVector3 end2;
    if (Gauge_Ends_Of(id, &end1, &end2)) {
        Add_Length_Measurement(id, end1, end2);
    }
}

void TDisplayWidget::Update_Gauge(int id)
{
    TVector3 end1;
    TVector3 end2;
    if (Gauge_Ends_Of(id, &end1, &end2)) {
        Update_Length_Measurement(id, end1, end2);
    }
}

void TDisplayWidget::Remove_Gauge(int id)
{
    Remove_Length_Measurement(id);
}

void TDisplayWidget::Reload_Gauges()
{
    Clear_Length_Measurements();
    length_measurements.reserve(document->Measurements().size());
    for (const TMeasurementData::TMeasurement &measurement : document->Measurements()) {
        Add_Gauge(measurement.id);
    }
}
