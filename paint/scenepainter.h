// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TSCENEPAINTER_H
#define TSCENEPAINTER_H

#include <QCoreApplication>
#include <QFont>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <array>
#include <initializer_list>
#include <limits>
#include <vector>

#include "digitlabel.h"
#include "modelinputs.h"
#include "vector2.h"
#include "vector3.h"

class QImage;
class QPainter;
class QPoint;
class QPointF;
class QString;
class TDeflectionModel;
class TGaugeCorrections;
class TMeasurementData;

// Draws the measuring volume in the machine's Y-Z plane onto any painter: the nominal grid in
// grey, the grid moved by the (exaggerated) corrections of the model in red, dimension arrows
// labelled with the deflected lengths, one band per length gauge, and the axis captions.
// Machine Y runs right, Z up. The painter's font sets the text sizes.
//
// The viewport (the square plot area and the fit of the volume and the gauges into it) is
// kept between paints and laid out again only when it is marked dirty, so that the picture
// does not jump while only the exaggeration or the parameters change.
class TScenePainter
{
    Q_DECLARE_TR_FUNCTIONS(TScenePainter)

public:
    struct TLengthMeasurement {
        int id;
        TVector3 point1; // mm
        TVector3 point2; // mm
    };

    // What is drawn; nothing of it is owned.
    struct TScene {
        const TDeflectionModel *model;
        double exaggeration;
        const std::vector<TLengthMeasurement> *gauges;
        // The ids of the gauges drawn highlighted, over all others; none when null.
        const std::vector<int> *highlighted = nullptr;
        // Where the corrections at the gauges' ends are shared with others who need them, the
        // gauges being the store's in its order; worked out here when null.
        TGaugeCorrections *corrections = nullptr;
    };

    TScenePainter();

    // Paints the scene for a device of the given size; nothing without a model or below the
    // minimum size. A size other than the last one painted lays out the viewport again.
    // Every gauge is drawn in store order, and the highlighted ones again over all of them.
    void Paint(QPainter *painter, const QSize &size, const TScene &scene);

    // Paint in two layers, for a device that keeps the first between paints: Paint_Base draws
    // the grid, the arrows and every gauge as not highlighted, and false when it drew nothing;
    // Paint_Overlay draws the highlighted gauges and the axes over it. Paint is the two in a
    // row, so a kept base with a fresh overlay gives exactly the pixels of Paint.
    //
    // What a base draws, point for point and text for text: two bases with equal records are
    // the same pixels, and two whose records differ only in labels differ only within those
    // labels' rectangles.
    struct TBaseRecord {
        std::vector<int> geometry; // every line, arrow, label box and gauge as drawn, in order
        std::vector<QString> labels;
        std::vector<QRect> label_rects;
    };
    // With a record, what is drawn is recorded in it; with only, nothing is drawn that cannot
    // reach into that region (the caller clips to it).
    // With known, the record of this very base, the gauges' pixels are taken from it.
    bool Paint_Base(QPainter *painter, const QSize &size, const TScene &scene,
                    TBaseRecord *record = nullptr, const QRegion *only = nullptr,
                    const TBaseRecord *known = nullptr);
    // The record of the base Paint_Base would paint, without painting; false when nothing
    // would be drawn.
    bool Record_Base(QPainter *painter, const QSize &size, const TScene &scene,
                     TBaseRecord *record);
    // Which of two records (the second may be null) has the geometry of the base Paint_Base
    // would paint now, 0 or 1, or -1 for neither; its labels may differ. now then holds the
    // record of that base. Stops where both differ before the gauges, so that a change that
    // moves the grid costs next to nothing to find. With complete, tells whether now holds
    // the whole record all the same (the grid, the arrows and the labels' boxes matched, the
    // gauges did not), for a paint to take the gauges' pixels from.
    int Matching_Geometry(QPainter *painter, const QSize &size, const TScene &scene,
                          const TBaseRecord &first, const TBaseRecord *second, TBaseRecord *now,
                          bool *complete = nullptr);
    void Paint_Overlay(QPainter *painter, const QSize &size, const TScene &scene) const;
    // The gauges from position first on, as the base draws them, added to the record: what
    // gauges appended since a base was painted add to it, as long as the layout stayed.
    void Paint_Gauges(QPainter *painter, const TScene &scene, size_t first,
                      TBaseRecord *record = nullptr);
    // Lays the viewport out for the scene as the next paint will, without painting; false
    // when nothing can be drawn.
    bool Lay_Out(QPainter *painter, const QSize &size, const TScene &scene);
    // Where the layout puts the machine's points: equal layouts put every gauge on the same
    // pixels.
    std::array<double, 4> Layout() const;

    static QSize Minimum_Size() { return QSize(250, 250); }

    // A painter with this one's layout to paint on another thread: it lays its text out anew,
    // since a font's glyphs belong to the thread that loaded them.
    TScenePainter For_Another_Thread() const;

    // The nominal machine point (Y, Z in mm) under a device pixel as the last paint laid it
    // out; false before the first paint.
    bool Machine_Point(const QPointF &pixel, double *y, double *z) const;

    void Mark_Viewport_Dirty() { viewport_dirty = true; }
    bool Viewport_Dirty() const { return viewport_dirty; }
    // Fits the box between the two corners (Y and Z only) into the plot area, squared about
    // its centre so that a millimetre is as long in Y as in Z.
    void Update_Viewport(const TVector3 &minimum, const TVector3 &maximum);

    // The gauges of every measurement in the store, in store order.
    static std::vector<TLengthMeasurement> Gauges_Of(const TMeasurementData &data);

    // The smallest (largest) Y and Z over all gauge end points; (0, 0, 0) without gauges.
    static TVector3 Length_Volume_Minimum(const std::vector<TLengthMeasurement> &gauges);
    static TVector3 Length_Volume_Maximum(const std::vector<TLengthMeasurement> &gauges);

    // An arrow from p1 to p2 with open heads at p1 and, unless single_head, at p2.
    static void Draw_Arrow(QPainter *painter, const QPoint &p1, const QPoint &p2, int arrow_length,
                           int arrow_width, bool single_head);
    // A band of gauge_width pixels from p1 to p2 with the text in a white square at its centre.
    // With digits prepared for the painter's font, an id is drawn from their glyphs.
    static void Draw_Gauge(QPainter *painter, const QPoint &p1, const QPoint &p2,
                           const QString &text, int gauge_width,
                           const TDigitLabel *digits = nullptr);
    // The four-cornered polygon with the painter's pen and brush, exactly as drawPolygon draws
    // it with Qt::WindingFill, and much faster on a raster image.
    static void Draw_Band(QPainter *painter, const QPolygon &band);

private:
    static bool Is_Rectangle(const QPolygon &band);
    // The image the painter paints into when a band can be written into it directly over the
    // area (in device pixels); null otherwise.
    static QImage *Writable_Image(QPainter *painter, const QRect &area);
    // Lays out the square plot area and fits the volume and the gauges into it; false when
    // the device is too small to draw in.
    bool Recompute_Viewport(const QSize &size, int text_width, const TScene &scene);
    // The pixel of a machine point before truncation; may be far off or not finite.
    TVector2 Pixel(const double &y, const double &z) const;
    // The pixel at which the deflected grid shows the nominal point (y, z).
    TVector2 Deflected_Pixel(const TScene &scene, const double &y, const double &z) const;
    // The same for a point whose correction is known.
    TVector2 Deflected_Pixel(const TScene &scene, const TVector3 &point,
                             const TVector3 &correction) const;
    void Draw_Grid(QPainter *painter, const TScene &scene) const;
    // index: the gauge's position in the scene, for a pass that knows the gauges' pixels.
    void Draw_One_Gauge(QPainter *painter, const TScene &scene, const TLengthMeasurement &gauge,
                        size_t index = std::numeric_limits<size_t>::max()) const;
    struct TPass;
    // The base's pass: drawing, recording or both, as the pass says.
    bool Run_Base(QPainter *painter, const QSize &size, const TScene &scene, const TPass &how);
    // A grid segment, or a dimension arrow, cut to the canvas; nothing when an end is not
    // finite.
    void Segment(QPainter *painter, TVector2 from, TVector2 to, bool arrow) const;
    // Records a length label and says whether this pass draws it.
    bool Label_Wanted(const QRect &rect, const QString &text) const;
    void Draw_Y_Length_Arrows(QPainter *painter, const TScene &scene, int half_text_height) const;
    void Draw_Z_Length_Arrows(QPainter *painter, const TScene &scene, int half_text_height,
                              int device_height) const;
    static void Draw_Axes(QPainter *painter, const QSize &size, int text_height);

    // Pixels per millimetre; Z is negative because device y grows downward.
    double scale_y;
    double scale_z;
    // Device coordinates at which Y = 0 and Z = 0 fall.
    double offset_y;
    double offset_z;
    QRect viewport_rect;
    QSize viewport_size;
    bool viewport_dirty;

    // What depends only on the model, its parameters and ranges, and on the font: most paints
    // change only the exaggeration or the size, so it is kept until one of these changes.
    struct TCache {
        bool valid = false;
        const TDeflectionModel *model = nullptr;
        TModelInputs inputs;
        // The corrections at the 25 x 25 grid points, [Y step][Z step].
        std::array<TVector3, 625> corrections;
        // The grid points' coordinates (mm), each the sum of its steps as the grid adds them.
        std::array<double, 25> grid_y{};
        std::array<double, 25> grid_z{};
        // The labels of the five Y and the five Z length arrows.
        std::array<QString, 5> y_labels;
        std::array<QString, 5> z_labels;
        QFont font;
        int dpi_x = 0;
        int dpi_y = 0;
        QRect probe;
        bool has_probe = false;
        // The gauges' ids in the font above.
        TDigitLabel digits;
    };
    // Brings the cache up to date for the scene and the painter's font.
    void Update_Cache(const TScene &scene, QPainter *painter);
    TCache cache;

    // Records that a dry pass compares its record with, and those it has departed from.
    struct TComparison {
        std::array<const TBaseRecord *, 2> records{};
        std::array<bool, 2> differs{true, true};
        // Departed from both before the gauges: the pass stops there.
        bool stopped = false;
        bool Over() const { return differs[0] && differs[1]; }
    };
    // What the pass through the base under way does besides drawing: record it, only record
    // it (dry), or draw only what reaches into a rectangle.
    struct TPass {
        TBaseRecord *record = nullptr;
        bool dry = false;
        const QRegion *only = nullptr;
        const TBaseRecord *known = nullptr;
        // The records the one under way is compared with; the pass stops once it departs from
        // all of them.
        TComparison *comparison = nullptr;
        // The rectangles of only, taken out of it once for the whole pass.
        std::vector<QRect> only_pieces = {};
    };
    // Adds the values to the pass's record; false when the pass is to stop. A gauge's values
    // never stop it: past the grid the whole record is worth having.
    bool Note(std::initializer_list<int> values, bool gauge = false) const;
    bool Stopped() const { return pass.comparison && pass.comparison->stopped; }
    TPass pass;
};

#endif
