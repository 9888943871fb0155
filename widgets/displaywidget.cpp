// SPDX-License-Identifier: GPL-3.0-or-later
#include "displaywidget.h"

#include <QBackingStore>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>
#include <cstring>

#include "basepaintjob.h"
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
    // The thread reads only its own copies, but tells this widget when it is done.
    if (background_thread.joinable()) {
        background_thread.join();
    }
    delete deflection_model;
    deflection_model = nullptr;
}

void TDisplayWidget::Set_Deflection_Model(const TDeflectionModelType &type)
{
    // The old model goes first, so that two models never exist at once.
    delete deflection_model;
    deflection_model = nullptr;
    deflection_model = TModelCatalog::Create(type);
    deflection_model_type = deflection_model ? int(type) : 0;
    base_changed = true;
    kept.Scene_Changed();
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
    keep_next = true;
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
    Gauges_Changed(found->second);
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
    Gauges_Changed(position);
}

void TDisplayWidget::Clear_Length_Measurements()
{
    length_measurements.clear();
    gauge_index.clear();
    scene_painter.Mark_Viewport_Dirty();
    Gauges_Changed(0);
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
    kept.Forget();
}

void TDisplayWidget::Changed()
{
    kept.Scene_Changed();
    Gauges_Changed(0);
}

void TDisplayWidget::Gauges_Changed(size_t position)
{
    kept.Gauges_Changed_From(position);
    base_changed = true;
    keep_next = false;
    update();
}

void TDisplayWidget::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::StyleChange) {
        kept.Forget();
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

namespace
{
// From this many gauges on, a paint of the base costs far more than keeping a copy of it: a
// full paint of 2,000 long slanted gauges about 10 ms, the two copies of a 1200 x 900 base
// under 1 ms. Below that the copy would slow every repaint by a tenth or more, to spare a
// selection a paint of a few milliseconds.
const size_t long_list = 2000;

// The pixels of area on from, into to, whose buffer is used again where it fits.
void Copy_Pixels(const QImage &from, const QRect &area, QImage *to)
{
    if (to->size() != area.size() || to->format() != from.format()) {
        *to = QImage(area.size(), from.format());
    }
    const size_t bytes = size_t(area.width()) * size_t(from.depth() / 8);
    const size_t skip = size_t(area.left()) * size_t(from.depth() / 8);
    for (int row = 0; row < area.height(); ++row) {
        std::memcpy(to->scanLine(row), from.constScanLine(area.top() + row) + skip, bytes);
    }
}

// The pixels of the part (in the area's own coordinates) on from, into the same place on to,
// an image of the area's size and format.
void Copy_Pixels(const QImage &from, const QRect &area, const QRegion &part, QImage *to)
{
    const size_t pixel = size_t(from.depth() / 8);
    for (const QRect &piece : part) {
        const size_t bytes = size_t(piece.width()) * pixel;
        const size_t skip = size_t(area.left() + piece.left()) * pixel;
        for (int row = piece.top(); row <= piece.bottom(); ++row) {
            std::memcpy(to->scanLine(row) + size_t(piece.left()) * pixel,
                        from.constScanLine(area.top() + row) + skip, bytes);
        }
    }
}

bool Same_Pixels(const QImage &device, const QRect &area, const QImage &kept)
{
    if (kept.size() != area.size() || kept.format() != device.format()) {
        return false;
    }
    const size_t bytes = size_t(area.width()) * size_t(device.depth() / 8);
    const size_t skip = size_t(area.left()) * size_t(device.depth() / 8);
    for (int row = 0; row < area.height(); ++row) {
        if (std::memcmp(kept.constScanLine(row), device.constScanLine(area.top() + row) + skip,
                        bytes) != 0) {
            return false;
        }
    }
    return true;
}
} // namespace

void TDisplayWidget::paintEvent(QPaintEvent *event)
{
    event->accept();
    QPainter painter(this);
    if (Too_Small()) {
        painter.drawText(rect(), Qt::AlignCenter, tr("The window is too small for the drawing"));
        return;
    }
    // The gauges are the document's in store order, as the Results' rows: the corrections
    // the Results worked out after a change are found here.
    const TScenePainter::TScene scene{deflection_model, exaggeration, &length_measurements,
                                      &highlighted,
                                      document ? &document->Gauge_Corrections() : nullptr};
    // The base is kept only where its pixels can be read back and laid down again as they
    // are: on a raster image of whole bytes per pixel, moved by whole pixels, at one device
    // pixel per pixel, and only from a paint of the whole widget, which alone shows all of
    // what lies under it.
    QPaintEngine *engine = painter.paintEngine();
    QPaintDevice *paint_device = engine ? engine->paintDevice() : nullptr;
    const QTransform transform = painter.deviceTransform();
    const QRect area = transform.mapRect(rect());
    QImage *device = paint_device && paint_device->devType() == QInternal::Image
                         ? static_cast<QImage *>(paint_device)
                         : nullptr;
    const bool keepable = deflection_model && device && device->depth() >= 8 &&
                          device->depth() % 8 == 0 && transform.type() <= QTransform::TxTranslate &&
                          transform.dx() == std::floor(transform.dx()) &&
                          transform.dy() == std::floor(transform.dy()) &&
                          devicePixelRatioF() == 1.0 && device->rect().contains(area) &&
                          QRegion(rect()).subtracted(event->region()).isEmpty();
    // A record of the whole base taken on the way gives the fresh paint the gauges' pixels.
    TScenePainter::TBaseRecord now;
    bool recorded = false;
    if (keepable &&
        (Lay_Down_Kept_Base(&painter, *device, area, scene, &now, &recorded) ||
         Show_While_Painting(&painter, *device, area, scene, recorded ? &now : nullptr))) {
        scene_painter.Paint_Overlay(&painter, size(), scene);
        return;
    }
    // A fresh paint, and a copy of its base when the next change is likely to need no more
    // than the overlay, or when the base costs far more than the copy.
    const bool keep = keepable && (keep_next || length_measurements.size() >= long_list);
    if (keep && kept.valid && Same_Pixels(*device, area, kept.background)) {
        // Over the same background the base kept so far stays, as the previous one.
        kept.Swap();
        kept.has_previous = true;
    } else {
        kept.Forget();
        if (keep) {
            Copy_Pixels(*device, area, &kept.background);
            ++kept.background_serial;
        }
    }
    kept.valid = false;
    const bool painted =
        recorded ? scene_painter.Paint_Base(&painter, size(), scene, nullptr, nullptr, &now)
                 : scene_painter.Paint_Base(&painter, size(), scene, keep ? &kept.record : nullptr);
    if (!painted) {
        return;
    }
    ++full_paints;
    if (keep) {
        if (recorded) {
            kept.record = std::move(now);
        }
        Copy_Pixels(*device, area, &kept.image);
        kept.valid = true;
        kept.layout = scene_painter.Layout();
        kept.gauges = length_measurements.size();
        kept.Holds_Scene();
        base_changed = false;
    }
    scene_painter.Paint_Overlay(&painter, size(), scene);
}

bool TDisplayWidget::Lay_Down_Kept_Base(QPainter *painter, QImage &device, const QRect &area,
                                        const TScenePainter::TScene &scene,
                                        TScenePainter::TBaseRecord *now, bool *recorded)
{
    *recorded = false;
    // Every gauge in the base must still fall on the same pixels, and what lies under the
    // widget must be what the base was painted over; the pixels are compared last, as the
    // costliest check.
    if (!kept.valid || kept.image.size() != size() ||
        !scene_painter.Lay_Out(painter, size(), scene) || scene_painter.Layout() != kept.layout) {
        return false;
    }
    // After any change but a selection or an appended gauge, the base the scene would paint
    // now is compared with the kept one: typing a parameter at a small exaggeration moves no
    // line and no gauge by a pixel, and changes at most the length labels.
    // The previous base is compared too: an undo often goes back to it.
    QRegion changed;
    int match = 0;
    // Only where the gauges changed since a base was painted is it compared at all: one that
    // still holds every gauge it held, and no more, is the base of the scene now.
    const size_t gauge_count = length_measurements.size();
    const bool previous_fits = kept.has_previous && kept.previous_layout == kept.layout &&
                               kept.previous_image.size() == size();
    const bool compared = base_changed && !kept.Known_To_Hold(gauge_count) &&
                          !(previous_fits && kept.Previous_Known_To_Hold(gauge_count));
    if (compared) {
        match = scene_painter.Matching_Geometry(painter, size(), scene, kept.record,
                                                previous_fits ? &kept.previous_record : nullptr,
                                                now, recorded);
        if (match < 0) {
            return false;
        }
    } else if (base_changed) {
        match = kept.Known_To_Hold(gauge_count) ? 0 : 1;
    }
    if (!Same_Pixels(device, area, kept.background)) {
        return false;
    }
    if (match == 1) {
        kept.Swap();
    }
    if (compared) {
        for (size_t i = 0; i < now->labels.size(); ++i) {
            if (now->labels[i] != kept.record.labels[i]) {
                changed += now->label_rects[i].adjusted(-4, -4, 4, 4);
            }
        }
    }
    Lay_Down(painter, kept.image);
    if (!changed.isEmpty()) {
        // The base anew where a label changed, over what lay under it.
        painter->save();
        painter->setClipRegion(changed, Qt::IntersectClip);
        Lay_Down(painter, kept.background);
        scene_painter.Paint_Base(painter, size(), scene, nullptr, &changed, now);
        painter->restore();
        Copy_Pixels(device, area, changed & rect(), &kept.image);
    }
    if (compared) {
        kept.record = std::move(*now);
    }
    base_changed = false;
    if (kept.gauges < length_measurements.size()) {
        // Appended gauges lie over all the others: drawn last onto the base, as a fresh paint
        // draws them. The base without them stays as the previous one.
        std::swap(kept.image, kept.previous_image);
        kept.previous_record = kept.record;
        kept.previous_layout = kept.layout;
        kept.previous_gauges = kept.gauges;
        kept.previous_only_gauges_changed = true;
        kept.previous_untouched = kept.gauges;
        kept.has_previous = true;
        scene_painter.Paint_Gauges(painter, scene, kept.gauges, &kept.record);
        Copy_Pixels(device, area, &kept.image);
        kept.gauges = length_measurements.size();
    }
    kept.Holds_Scene();
    return true;
}

bool TDisplayWidget::Show_While_Painting(QPainter *painter, const QImage &device, const QRect &area,
                                         const TScenePainter::TScene &scene,
                                         TScenePainter::TBaseRecord *known)
{
    // Only a change at the layout of the kept base, so that the overlay drawn over it meanwhile
    // lies where it belongs.
    if (background_refused || length_measurements.size() < background_list || !kept.valid ||
        kept.image.size() != size() || !Is_Window_Device(&device) ||
        !scene_painter.Lay_Out(painter, size(), scene) || scene_painter.Layout() != kept.layout ||
        !Same_Pixels(device, area, kept.background)) {
        return false;
    }
    // One thread at a time: when it is done, the next paint compares its base with the scene
    // as it is by then, and begins another where they differ.
    if (!background_job) {
        Start_Background_Paint(painter, known);
    }
    Lay_Down(painter, kept.image);
    return true;
}

bool TDisplayWidget::Is_Window_Device(const QPaintDevice *device) const
{
    QBackingStore *store = window()->backingStore();
    return store && store->paintDevice() == device;
}

void TDisplayWidget::Start_Background_Paint(QPainter *painter, TScenePainter::TBaseRecord *known)
{
    TBasePaintJob::TInput input;
    input.layout = &scene_painter;
    input.model_type = deflection_model_type;
    input.model = deflection_model;
    input.exaggeration = exaggeration;
    input.gauges = length_measurements;
    input.background = kept.background;
    input.font = painter->font();
    input.dpi_x = painter->device()->logicalDpiX();
    input.dpi_y = painter->device()->logicalDpiY();
    if (known) {
        input.has_known = true;
        input.known = std::move(*known);
    }
    background_job = std::make_unique<TBasePaintJob>(std::move(input));
    background_job_serial = kept.background_serial;
    kept.painting_only_gauges_changed = true;
    kept.painting_untouched = length_measurements.size();
    TBasePaintJob *job = background_job.get();
    background_thread = std::thread([this, job]() {
        job->Run();
        QMetaObject::invokeMethod(this, "Background_Painted", Qt::QueuedConnection);
    });
}

void TDisplayWidget::Background_Painted()
{
    background_thread.join();
    const std::unique_ptr<TBasePaintJob> job = std::move(background_job);
    // A thread that could not paint (its font came out otherwise) would fail again each time:
    // from now on the window paints at once.
    background_refused = background_refused || !job->Painted();
    if (job->Painted() && kept.valid && background_job_serial == kept.background_serial &&
        job->Image().size() == kept.image.size() && job->Layout() == kept.layout) {
        // The base shown meanwhile stays as the previous one: an undo often goes back to it.
        ++background_paints;
        kept.Swap();
        kept.has_previous = true;
        kept.image = std::move(job->Image());
        kept.record = std::move(job->Record());
        kept.layout = job->Layout();
        kept.gauges = job->Gauge_Count();
        kept.only_gauges_changed = kept.painting_only_gauges_changed;
        kept.untouched = kept.painting_untouched;
        // Gauges appended since are drawn over it as over any kept base; after any other
        // change the next paint compares it with the scene.
        base_changed = !kept.only_gauges_changed || kept.untouched < kept.gauges;
    }
    update();
}

void TDisplayWidget::TKeptBase::Swap()
{
    std::swap(image, previous_image);
    std::swap(layout, previous_layout);
    std::swap(gauges, previous_gauges);
    std::swap(record, previous_record);
    std::swap(only_gauges_changed, previous_only_gauges_changed);
    std::swap(untouched, previous_untouched);
}

void TDisplayWidget::TKeptBase::Forget()
{
    valid = false;
    has_previous = false;
    ++background_serial;
}

void TDisplayWidget::TKeptBase::Holds_Scene()
{
    only_gauges_changed = true;
    untouched = gauges;
}

void TDisplayWidget::TKeptBase::Scene_Changed()
{
    only_gauges_changed = false;
    previous_only_gauges_changed = false;
    painting_only_gauges_changed = false;
}

void TDisplayWidget::TKeptBase::Gauges_Changed_From(size_t position)
{
    untouched = std::min(untouched, position);
    previous_untouched = std::min(previous_untouched, position);
    painting_untouched = std::min(painting_untouched, position);
}

bool TDisplayWidget::TKeptBase::Known_To_Hold(size_t gauge_count) const
{
    return only_gauges_changed && gauge_count == gauges && untouched >= gauges;
}

bool TDisplayWidget::TKeptBase::Previous_Known_To_Hold(size_t gauge_count) const
{
    return previous_only_gauges_changed && gauge_count == previous_gauges &&
           previous_untouched >= previous_gauges;
}

void TDisplayWidget::Lay_Down(QPainter *painter, const QImage &image)
{
    const QPainter::CompositionMode mode = painter->compositionMode();
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(QPoint(0, 0), image);
    painter->setCompositionMode(mode);
}

void TDisplayWidget::Set_Highlighted(const std::vector<int> &ids)
{
    if (ids != highlighted) {
        highlighted = ids;
        // The kept base holds every gauge as not highlighted: only the overlay changes, and
        // a selection is often followed by another.
        keep_next = true;
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
