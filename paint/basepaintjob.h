// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TBASEPAINTJOB_H
#define TBASEPAINTJOB_H

#include <QFont>
#include <QImage>
#include <QSize>
#include <array>
#include <memory>
#include <vector>

#include "scenepainter.h"

class TDeflectionModel;

// Paints the base of a scene (what TScenePainter::Paint_Base draws) over a copy of the pixels
// that lie under it, into an image of its own, on whichever thread runs it. A window showing a
// very long list thus need not wait for a paint that takes a quarter of a second.
//
// It holds copies of everything the paint reads, so that the scene may change meanwhile: the
// painter's layout, the model, the gauges and the background. The text is laid out anew in
// the thread that runs it, in the font and at the resolution of the painter it stands in for.
class TBasePaintJob
{
public:
    struct TInput {
        // The layout of the painter the job stands in for, after Lay_Out for this scene.
        const TScenePainter *layout = nullptr;
        int model_type = 0;
        const TDeflectionModel *model = nullptr;
        double exaggeration = 1.0;
        std::vector<TScenePainter::TLengthMeasurement> gauges;
        // What lies under the base, as large as the device it is painted for.
        QImage background;
        // The font of the painter the job stands in for, and its device's resolution.
        QFont font;
        int dpi_x = 96;
        int dpi_y = 96;
        // The record of this very base, when it is known: the gauges' pixels are taken from it.
        bool has_known = false;
        TScenePainter::TBaseRecord known;
    };

    explicit TBasePaintJob(TInput input);
    ~TBasePaintJob();

    TBasePaintJob(const TBasePaintJob &) = delete;
    TBasePaintJob &operator=(const TBasePaintJob &) = delete;

    // Paints; on any thread, once. What it loaded of the font is let go on that thread, as Qt
    // asks of a font's glyphs.
    void Run();

    // Whether Run painted the base; false where there was nothing to paint, or where the font
    // on the job's painter came out other than the one it stands in for.
    bool Painted() const { return painted; }
    // The base over the background, and its record.
    QImage &Image() { return image; }
    TScenePainter::TBaseRecord &Record() { return record; }
    std::array<double, 4> Layout() const { return layout; }
    // How many gauges the base holds.
    size_t Gauge_Count() const { return gauges.size(); }

private:
    bool Paint();

    TScenePainter painter;
    std::unique_ptr<TDeflectionModel> model;
    double exaggeration;
    std::vector<TScenePainter::TLengthMeasurement> gauges;
    QImage image;
    QFont font;
    int dpi_x;
    int dpi_y;
    bool has_known;
    TScenePainter::TBaseRecord record;
    std::array<double, 4> layout{};
    bool painted = false;
};

#endif
