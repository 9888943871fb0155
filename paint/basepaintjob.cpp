// SPDX-License-Identifier: GPL-3.0-or-later
#include "basepaintjob.h"

#include <QPainter>
#include <cmath>

#include "deflectionmodel.h"
#include "modelcatalog.h"

namespace
{
// The dots per metre at which an image reports the dots per inch given.
int Dots_Per_Metre(int dpi)
{
    return int(std::lround(dpi / 0.0254));
}
} // namespace

TBasePaintJob::TBasePaintJob(TInput input)
    : painter(input.layout->For_Another_Thread())
    , model(TModelCatalog::Create(input.model_type))
    , exaggeration(input.exaggeration)
    , gauges(std::move(input.gauges))
    , image(std::move(input.background))
    , font(input.font)
    , dpi_x(input.dpi_x)
    , dpi_y(input.dpi_y)
    , has_known(input.has_known)
    , record(std::move(input.known))
{
    if (model && input.model) {
        // The values the source model holds pass its setters unchanged.
        model->Set_Range_Y(input.model->Range_Y());
        model->Set_Range_Z(input.model->Range_Z());
        model->Set_Parameter1(input.model->Parameter1());
        model->Set_Parameter2(input.model->Parameter2());
        model->Set_Parameter3(input.model->Parameter3());
        model->Set_Parameter4(input.model->Parameter4());
    }
}

TBasePaintJob::~TBasePaintJob() = default;

void TBasePaintJob::Run()
{
    painted = Paint();
    layout = painter.Layout();
    painter = TScenePainter();
    font = QFont();
}

bool TBasePaintJob::Paint()
{
    if (!model || image.isNull()) {
        return false;
    }
    // Text is measured at the device's resolution: the image reports the one of the device it
    // stands in for.
    image.setDotsPerMeterX(Dots_Per_Metre(dpi_x));
    image.setDotsPerMeterY(Dots_Per_Metre(dpi_y));
    QPainter on_image(&image);
    on_image.setFont(font);
    if (on_image.font() != font || image.logicalDpiX() != dpi_x || image.logicalDpiY() != dpi_y) {
        return false;
    }
    const TScenePainter::TScene scene{model.get(), exaggeration, &gauges, nullptr};
    if (has_known) {
        return painter.Paint_Base(&on_image, image.size(), scene, nullptr, nullptr, &record);
    }
    return painter.Paint_Base(&on_image, image.size(), scene, &record);
}
