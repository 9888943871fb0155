// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "digitlabel.h"
#include "gaugecorrections.h"
#include "genericdeflectionmodel.h"
#include "lkdeflectionmodel.h"
#include "scenepainter.h"

// The gauge band drawn by the scene painter gives exactly the pixels of Qt's drawPolygon, on
// every kind of painter a band is drawn with: whatever way the painter takes, the picture must
// not change.
class TTestScenePainter : public QObject
{
    Q_OBJECT

private slots:
    void Band_Equals_Polygon_data();
    void Band_Equals_Polygon();
    void Label_Equals_Text_data();
    void Label_Equals_Text();
    void Record_Tells_What_Changed_data();
    void Record_Tells_What_Changed();
    void Shared_Corrections_Paint_The_Same_data();
    void Shared_Corrections_Paint_The_Same();
    void Region_Pass_Paints_The_Base_There_data();
    void Region_Pass_Paints_The_Base_There();
    void Far_Ends_Keep_The_Direction_data();
    void Far_Ends_Keep_The_Direction();
};

void TTestScenePainter::Band_Equals_Polygon_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QRegion>("clip");
    QTest::addColumn<QTransform>("transform");
    QTest::addColumn<QColor>("pen_colour");
    QTest::addColumn<int>("pen_width");
    QTest::addColumn<bool>("antialiased");
    QTest::addColumn<int>("margin"); // how far bands may reach beyond the image
    QTest::addColumn<double>("opacity");
    QTest::addColumn<bool>("slanted"); // at any angle, as a gauge's band at an exaggeration
    QTest::addColumn<QSize>("size");

    const QColor pen(164, 164, 196);
    const QTransform none;
    const QRegion all;
    const QRegion pieces = QRegion(40, 30, 250, 200) + QRegion(200, 150, 150, 120);
    const int premultiplied = QImage::Format_ARGB32_Premultiplied;
    const QSize small(300, 260);
    for (const bool slanted : {false, true}) {
        const auto row = [slanted](const char *name) {
            return &QTest::addRow("%s%s", slanted ? "slanted, " : "", name);
        };
        *row("the display's image")
            << premultiplied << all << none << pen << 1 << false << 0 << 1.0 << slanted << small;
        *row("RGB32") << int(QImage::Format_RGB32) << all << none << pen << 1 << false << 0 << 1.0
                      << slanted << small;
        *row("ARGB32") << int(QImage::Format_ARGB32) << all << none << pen << 1 << false << 0 << 1.0
                       << slanted << small;
        *row("RGB888, not one QRgb a pixel") << int(QImage::Format_RGB888) << all << none << pen
                                             << 1 << false << 0 << 1.0 << slanted << small;
        *row("clipped to a region")
            << premultiplied << pieces << none << pen << 1 << false << 0 << 1.0 << slanted << small;
        *row("moved by whole pixels") << premultiplied << all << QTransform::fromTranslate(-17, 23)
                                      << pen << 1 << false << 0 << 1.0 << slanted << small;
        *row("clipped and moved") << premultiplied << pieces << QTransform::fromTranslate(9, -4)
                                  << pen << 1 << false << 0 << 1.0 << slanted << small;
        *row("over the image's edges")
            << premultiplied << all << none << pen << 1 << false << 40 << 1.0 << slanted << small;
        *row("moved by half a pixel") << premultiplied << all << QTransform::fromTranslate(0.5, 0.5)
                                      << pen << 1 << false << 0 << 1.0 << slanted << small;
        *row("scaled") << premultiplied << all << QTransform::fromScale(2, 2) << pen << 1 << false
                       << 0 << 1.0 << slanted << small;
        *row("half opacity") << premultiplied << all << none << pen << 1 << false << 0 << 0.5
                             << slanted << small;
        *row("antialiased") << premultiplied << all << none << pen << 1 << true << 0 << 1.0
                            << slanted << small;
        *row("translucent pen") << premultiplied << all << none << QColor(164, 164, 196, 128) << 1
                                << false << 0 << 1.0 << slanted << small;
        *row("2-pixel pen, as a selected gauge")
            << premultiplied << all << none << QColor(64, 64, 128) << 2 << false << 0 << 1.0
            << slanted << small;
    }
    // Lines longer than 512 pixels take the stroker's wider division.
    QTest::newRow("slanted, as long as a length test's gauges")
        << premultiplied << all << none << pen << 1 << false << 0 << 1.0 << true << QSize(900, 800);
}

void TTestScenePainter::Band_Equals_Polygon()
{
    QFETCH(int, format);
    QFETCH(QRegion, clip);
    QFETCH(QTransform, transform);
    QFETCH(QColor, pen_colour);
    QFETCH(int, pen_width);
    QFETCH(bool, antialiased);
    QFETCH(int, margin);
    QFETCH(double, opacity);
    QFETCH(bool, slanted);
    QFETCH(QSize, size);

    QImage expected(size, QImage::Format(format));
    QImage drawn(expected.size(), QImage::Format(format));
    QRandomGenerator random(11);
    const int longest = std::min(size.width(), size.height()) * 2 / 3;
    const int bands = slanted ? (size == QSize(300, 260) ? 1000 : 150) : 400;
    for (int i = 0; i < bands; ++i) {
        QPolygon band;
        if (slanted) {
            // A gauge's band at any angle, from a point to a length, its corners rounded as
            // the scene painter rounds them; now and then short, thin or no band at all.
            const double angle = random.bounded(2.0 * M_PI);
            const double length = i % 7 == 0 ? random.bounded(10.0) : random.bounded(longest);
            const double half = i % 5 == 0 ? random.bounded(2.0) : random.bounded(12.0);
            const QPointF start(
                random.bounded(-margin, expected.width() + margin) + random.bounded(1.0),
                random.bounded(-margin, expected.height() + margin) + random.bounded(1.0));
            const QPointF along(std::cos(angle), std::sin(angle));
            const QPointF across(-along.y() * half, along.x() * half);
            const QPointF end = start + along * length;
            for (const QPointF &corner :
                 {start - across, start + across, end + across, end - across}) {
                band << QPoint(int(std::floor(corner.x() + 0.5)),
                               int(std::floor(corner.y() + 0.5)));
            }
            if (random.bounded(2) == 0) {
                std::reverse(band.begin(), band.end());
            }
        } else {
            // Along Y or Z as gauges mostly are, now and then slanted or degenerate, with the
            // corners in any of the eight orders a band's frame can give.
            const int x = random.bounded(-margin, expected.width() + margin - 20);
            const int y = random.bounded(-margin, expected.height() + margin - 20);
            const int length = random.bounded(0, 200);
            const int width = random.bounded(0, 20);
            const bool along_y = random.bounded(2) == 0;
            const QRect box = along_y ? QRect(x, y, length, width) : QRect(x, y, width, length);
            QPoint corners[4] = {box.topLeft(), QPoint(box.left(), box.bottom() + 1),
                                 QPoint(box.right() + 1, box.bottom() + 1),
                                 QPoint(box.right() + 1, box.top())};
            if (i % 10 == 9) {
                corners[2] += QPoint(3, 1);
            }
            const int start = random.bounded(4);
            const bool backwards = random.bounded(2) == 0;
            for (int k = 0; k < 4; ++k) {
                band << corners[(start + (backwards ? 4 - k : k)) % 4];
            }
        }
        expected.fill(Qt::white);
        drawn.fill(Qt::white);
        for (QImage *image : {&expected, &drawn}) {
            QPainter painter(image);
            if (!clip.isEmpty()) {
                painter.setClipRegion(clip);
            }
            painter.setTransform(transform);
            painter.setRenderHint(QPainter::Antialiasing, antialiased);
            painter.setOpacity(opacity);
            painter.setPen(QPen(QBrush(pen_colour), pen_width));
            painter.setBrush(QBrush(QColor(180, 180, 212), Qt::SolidPattern));
            if (image == &expected) {
                painter.drawPolygon(band, Qt::WindingFill);
            } else {
                TScenePainter::Draw_Band(&painter, band);
            }
        }
        QVERIFY2(drawn == expected, qPrintable(QStringLiteral("band %1: (%2,%3) (%4,%5) (%6,%7) "
                                                              "(%8,%9)")
                                                   .arg(i)
                                                   .arg(band[0].x())
                                                   .arg(band[0].y())
                                                   .arg(band[1].x())
                                                   .arg(band[1].y())
                                                   .arg(band[2].x())
                                                   .arg(band[2].y())
                                                   .arg(band[3].x())
                                                   .arg(band[3].y())));
    }
}

void TTestScenePainter::Label_Equals_Text_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<int>("format");
    QTest::addColumn<QRegion>("clip");
    QTest::addColumn<QPoint>("moved");
    QTest::addColumn<QColor>("pen_colour");
    QTest::addColumn<bool>("glyphs"); // whether the ids are drawn from the digits' glyphs

    const int premultiplied = QImage::Format_ARGB32_Premultiplied;
    const QColor pen(164, 164, 196);
    QFont small;
    small.setPointSizeF(7.5);
    QFont bold;
    bold.setPointSize(9);
    bold.setBold(true);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPointSize(10);
    const QRegion pieces = QRegion(0, 0, 70, 40) + QRegion(80, 10, 60, 20);
    QTest::newRow("the display's font")
        << QFont() << premultiplied << QRegion() << QPoint() << pen << true;
    QTest::newRow("small") << small << premultiplied << QRegion() << QPoint() << pen << true;
    QTest::newRow("bold") << bold << premultiplied << QRegion() << QPoint() << pen << true;
    QTest::newRow("monospaced") << mono << premultiplied << QRegion() << QPoint() << pen << true;
    QTest::newRow("RGB32") << QFont() << int(QImage::Format_RGB32) << QRegion() << QPoint() << pen
                           << true;
    QTest::newRow("clipped to a region")
        << QFont() << premultiplied << pieces << QPoint() << pen << true;
    QTest::newRow("moved by whole pixels")
        << QFont() << premultiplied << QRegion() << QPoint(-7, 5) << pen << true;
    QTest::newRow("black text") << QFont() << premultiplied << QRegion() << QPoint()
                                << QColor(Qt::black) << true;
    QTest::newRow("RGB888") << QFont() << int(QImage::Format_RGB888) << QRegion() << QPoint() << pen
                            << true;
}

// A gauge's id drawn from the glyphs of its digits gives the pixels drawText gives, over
// whatever lies under the parts of the text that leave the white square.
void TTestScenePainter::Label_Equals_Text()
{
    QFETCH(QFont, font);
    QFETCH(int, format);
    QFETCH(QRegion, clip);
    QFETCH(QPoint, moved);
    QFETCH(QColor, pen_colour);
    QFETCH(bool, glyphs);

    QImage expected(150, 40, QImage::Format(format));
    QImage drawn(expected.size(), QImage::Format(format));
    TDigitLabel digits;
    {
        QPainter painter(&drawn);
        painter.setFont(font);
        QCOMPARE(digits.Prepare(&painter), glyphs);
    }
    QRandomGenerator random(5);
    QVector<int> ids;
    for (int id = 1; id <= 2500; ++id) {
        ids << id;
    }
    for (int id = 2500; id <= 2000000; id += 997) {
        ids << id;
    }
    ids << 0 << -12 << 2147483647;
    for (const int id : ids) {
        const QColor under(random.bounded(256), random.bounded(256), random.bounded(256));
        const QString text = QString::number(id);
        expected.fill(under);
        drawn.fill(under);
        const QPoint start(random.bounded(60, 90), random.bounded(10, 20));
        for (QImage *image : {&expected, &drawn}) {
            QPainter painter(image);
            painter.setFont(font);
            if (!clip.isEmpty()) {
                painter.setClipRegion(clip);
            }
            painter.translate(moved);
            painter.setPen(pen_colour);
            QVERIFY(image == &expected || digits.Fits(&painter) == glyphs);
            TScenePainter::Draw_Gauge(&painter, start, start + QPoint(40, 30), text, 16,
                                      image == &drawn ? &digits : nullptr);
        }
        QVERIFY2(drawn == expected, qPrintable(QStringLiteral("id %1").arg(id)));
    }
}

void TTestScenePainter::Record_Tells_What_Changed_data()
{
    QTest::addColumn<int>("exaggeration");
    QTest::addColumn<double>("parameter1");
    QTest::addColumn<bool>("same_geometry");
    QTest::addColumn<bool>("same_labels");
    QTest::newRow("nothing changed") << 1 << -0.05 << true << true;
    // Tens of micrometres are far below a pixel, but the labels read to the micrometre.
    QTest::newRow("a parameter, exaggeration 1") << 1 << -0.07 << true << false;
    QTest::newRow("a parameter, exaggeration 500") << 500 << -0.07 << false << false;
}

// The record of a base says whether a change moves anything by a pixel; a pass that only
// records gives the record of the pass that paints.
void TTestScenePainter::Record_Tells_What_Changed()
{
    QFETCH(int, exaggeration);
    QFETCH(double, parameter1);
    QFETCH(bool, same_geometry);
    QFETCH(bool, same_labels);
    TGenericDeflectionModel model;
    model.Set_Range_Y(1000);
    model.Set_Range_Z(1000);
    model.Set_Parameter1(-0.05);
    model.Set_Parameter2(-0.01);
    model.Set_Parameter3(-0.01);
    const std::vector<TScenePainter::TLengthMeasurement> gauges{
        {1, TVector3(0, 100, 200), TVector3(0, 800, 700)},
        {2, TVector3(0, 500, 50), TVector3(0, 500, 950)}};
    const TScenePainter::TScene scene{&model, double(exaggeration), &gauges};
    QImage image(480, 440, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    TScenePainter scene_painter;
    TScenePainter::TBaseRecord painted;
    QVERIFY(scene_painter.Paint_Base(&painter, image.size(), scene, &painted));
    TScenePainter::TBaseRecord recorded;
    QVERIFY(scene_painter.Record_Base(&painter, image.size(), scene, &recorded));
    QVERIFY(painted.geometry == recorded.geometry);
    QCOMPARE(painted.labels, recorded.labels);
    QCOMPARE(recorded.labels.size(), size_t(10));

    model.Set_Parameter1(parameter1);
    TScenePainter::TBaseRecord after;
    QVERIFY(scene_painter.Record_Base(&painter, image.size(), scene, &after));
    QCOMPARE(after.geometry == recorded.geometry, same_geometry);
    QCOMPARE(after.labels == recorded.labels, same_labels);
    // The comparison that stops at the first difference finds the same, and where the
    // geometry is the same it gives the whole record.
    TScenePainter::TBaseRecord compared;
    QCOMPARE(scene_painter.Matching_Geometry(&painter, image.size(), scene, recorded, nullptr,
                                             &compared) == 0,
             same_geometry);
    if (same_geometry) {
        QVERIFY(compared.geometry == after.geometry);
        QCOMPARE(compared.labels, after.labels);
        QCOMPARE(compared.label_rects, after.label_rects);
    }
    // Against a record with one gauge less or more, the geometry is never the same; the grid
    // and the arrows are, so the whole record is taken all the same.
    TScenePainter::TBaseRecord shorter = after;
    shorter.geometry.resize(shorter.geometry.size() - 6);
    TScenePainter::TBaseRecord longer = after;
    longer.geometry.insert(longer.geometry.end(), {1, 10, 10, 20, 20, 3});
    for (const TScenePainter::TBaseRecord *other : {&shorter, &longer}) {
        bool complete = false;
        QCOMPARE(scene_painter.Matching_Geometry(&painter, image.size(), scene, *other, nullptr,
                                                 &compared, &complete),
                 -1);
        QVERIFY(complete);
        QVERIFY(compared.geometry == after.geometry);
    }
    // Where the grid or the arrows differ from both, the pass stops there, with an incomplete
    // record.
    TScenePainter::TBaseRecord recorded_shorter = recorded;
    recorded_shorter.geometry.resize(recorded_shorter.geometry.size() - 6);
    bool complete = true;
    QCOMPARE(scene_painter.Matching_Geometry(&painter, image.size(), scene, recorded,
                                             &recorded_shorter, &compared, &complete),
             same_geometry ? 0 : -1);
    QCOMPARE(complete, after.geometry.size() == recorded.geometry.size() &&
                           std::equal(after.geometry.begin(), after.geometry.end() - 12,
                                      recorded.geometry.begin()));
}

void TTestScenePainter::Shared_Corrections_Paint_The_Same_data()
{
    QTest::addColumn<int>("left_by"); // who asked for the corrections before the paint
    QTest::newRow("nobody") << 0;
    QTest::newRow("a model with the same values") << 1;
    QTest::newRow("the model with another parameter") << 2;
    QTest::newRow("another kind of model") << 3;
    QTest::newRow("other gauges at the same positions") << 4;
}

// The corrections the Results leave for the display give the very picture it paints working
// them out itself, whatever they were left for.
void TTestScenePainter::Shared_Corrections_Paint_The_Same()
{
    QFETCH(int, left_by);
    const auto set_up = [](TDeflectionModel *model) {
        model->Set_Range_Y(1200);
        model->Set_Range_Z(900);
        model->Set_Parameter1(-0.05);
        model->Set_Parameter2(-0.01);
        model->Set_Parameter3(-0.01);
    };
    TGenericDeflectionModel model;
    TGenericDeflectionModel same;
    TLKDeflectionModel other_kind;
    set_up(&model);
    set_up(&same);
    set_up(&other_kind);
    // Long gauges along Y, Z and both diagonals; at this exaggeration every band is slanted.
    std::vector<TScenePainter::TLengthMeasurement> gauges{
        {1, TVector3(0, 100, 450), TVector3(0, 1100, 450)},
        {2, TVector3(0, 600, 50), TVector3(0, 600, 850)},
        {3, TVector3(0, 150, 100), TVector3(0, 1050, 800)},
        {4, TVector3(0, 150, 800), TVector3(0, 1050, 100)}};
    TGaugeCorrections corrections;
    std::vector<TScenePainter::TLengthMeasurement> left = gauges;
    TGenericDeflectionModel changed;
    set_up(&changed);
    changed.Set_Parameter1(-0.5);
    const TDeflectionModel *left_under = &same;
    if (left_by == 2) {
        left_under = &changed;
    } else if (left_by == 3) {
        left_under = &other_kind;
    } else if (left_by == 4) {
        std::rotate(left.begin(), left.begin() + 1, left.end());
    }
    if (left_by != 0) {
        corrections.Use(*left_under, left.size());
        for (size_t i = 0; i < left.size(); ++i) {
            TVector3 correction1;
            TVector3 correction2;
            corrections.At(i, left[i].point1, left[i].point2, &correction1, &correction2);
        }
    }
    const auto paint = [&model, &gauges](TGaugeCorrections *shared) {
        TScenePainter::TScene scene{&model, 500.0, &gauges};
        scene.corrections = shared;
        QImage image(640, 600, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        TScenePainter scene_painter;
        scene_painter.Paint(&painter, image.size(), scene);
        return image;
    };
    const QImage own = paint(nullptr);
    QCOMPARE(paint(&corrections), own);
    // And the picture is the one drawn with the corrections now left.
    QCOMPARE(paint(&corrections), own);
}

void TTestScenePainter::Region_Pass_Paints_The_Base_There_data()
{
    QTest::addColumn<QRegion>("region");
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("blank");
    // The scene below lies between about (150, 130) and (320, 310), its gauges running up to
    // the right over the grid, its labels to the left and below.
    const QRegion middle(200, 180, 40, 40);
    const QRegion two_pieces = QRegion(2, 2, 12, 12) + QRegion(230, 150, 20, 90);
    const QRegion many_pieces = QRegion(0, 0, 30, 400) + QRegion(170, 280, 8, 8) +
                                QRegion(240, 120, 60, 6) + QRegion(300, 190, 30, 20) +
                                QRegion(60, 170, 80, 10);
    QTest::newRow("one piece") << middle << false << false;
    QTest::newRow("a gauge only in the second piece") << two_pieces << false << false;
    QTest::newRow("many pieces") << many_pieces << false << false;
    QTest::newRow("many pieces, the gauges from a record") << many_pieces << true << false;
    QTest::newRow("a corner nothing reaches") << QRegion(470, 0, 10, 10) << false << true;
}

// Painting only what reaches a region, clipped to it, gives there the pixels of the whole
// base: a gauge that reaches into any piece of the region is drawn.
void TTestScenePainter::Region_Pass_Paints_The_Base_There()
{
    QFETCH(QRegion, region);
    QFETCH(bool, known);
    QFETCH(bool, blank);
    TGenericDeflectionModel model;
    model.Set_Parameter1(-0.05);
    model.Set_Parameter2(-0.01);
    model.Set_Parameter3(-0.01);
    std::vector<TScenePainter::TLengthMeasurement> gauges;
    const double s = std::sqrt(0.5);
    for (int id = 1; id <= 40; ++id) {
        const TVector3 start(0, 100.0 + 17.0 * id, 80.0 + 19.0 * id);
        const TVector3 axis = id % 3 == 0   ? TVector3(0, 1, 0)
                              : id % 3 == 1 ? TVector3(0, 0, 1)
                                            : TVector3(0, s, s);
        gauges.push_back({id, start, start + axis * (300.0 + 5.0 * id)});
    }
    const TScenePainter::TScene scene{&model, 200.0, &gauges};
    const QSize size(480, 440);
    QImage whole(size, QImage::Format_ARGB32_Premultiplied);
    whole.fill(Qt::white);
    TScenePainter scene_painter;
    TScenePainter::TBaseRecord record;
    {
        QPainter painter(&whole);
        QVERIFY(scene_painter.Paint_Base(&painter, size, scene, &record));
    }
    QImage part(size, QImage::Format_ARGB32_Premultiplied);
    part.fill(Qt::white);
    {
        QPainter painter(&part);
        painter.setClipRegion(region);
        QVERIFY(scene_painter.Paint_Base(&painter, size, scene, nullptr, &region,
                                         known ? &record : nullptr));
    }
    bool drawn = false;
    for (const QRect &piece : region) {
        for (int y = piece.top(); y <= piece.bottom(); ++y) {
            for (int x = piece.left(); x <= piece.right(); ++x) {
                QVERIFY2(part.pixel(x, y) == whole.pixel(x, y),
                         qPrintable(QString("pixel (%1, %2)").arg(x).arg(y)));
                drawn = drawn || whole.pixel(x, y) != qRgb(255, 255, 255);
            }
        }
    }
    QCOMPARE(!drawn, blank);
}

void TTestScenePainter::Far_Ends_Keep_The_Direction_data()
{
    QTest::addColumn<QPointF>("end");
    QTest::addColumn<double>("exaggeration");
    QTest::addColumn<double>("way");
    // A gauge from the origin, its far end deflected along the gauge itself, so that its line
    // keeps its direction however far the end goes: past the canvas (+-1e6 pixels) in one or
    // both of the picture's directions, or not past it.
    QTest::newRow("past both edges") << QPointF(1000, 500) << 1e9 << 1.0;
    QTest::newRow("back past its start") << QPointF(1000, 500) << 1e9 << -1.0;
    QTest::newRow("very far") << QPointF(1000, 500) << 1e15 << 1.0;
    QTest::newRow("steep, past the top only") << QPointF(100, 1000) << 1.5e8 << 1.0;
    QTest::newRow("shallow, past the side only") << QPointF(1000, 100) << 1.5e8 << 1.0;
    QTest::newRow("on the canvas") << QPointF(1000, 500) << 100.0 << 1.0;
}

// A gauge that reaches far off the canvas is cut where it leaves it, along its own line: what
// is drawn of it runs the way the gauge runs.
void TTestScenePainter::Far_Ends_Keep_The_Direction()
{
    QFETCH(QPointF, end);
    QFETCH(double, exaggeration);
    QFETCH(double, way);
    // At the origin the model corrects nothing; at (Y, Z) it corrects by (Y, Z) * Y * Z / 1e9
    // mm, the way the gauge runs.
    TGenericDeflectionModel model;
    model.Set_Parameter1(0.0);
    model.Set_Parameter2(-end.x() / 1000.0 * way);
    model.Set_Parameter3(end.y() / 1000.0 * way);
    const std::vector<TScenePainter::TLengthMeasurement> gauges{
        {1, TVector3(0, 0, 0), TVector3(0, end.x(), end.y())}};
    QImage image(480, 440, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const auto drawn = [&](const double &times, QPoint *from, QPoint *to) {
        TScenePainter scene_painter;
        TScenePainter::TBaseRecord record;
        const TScenePainter::TScene scene{&model, times, &gauges};
        if (!scene_painter.Record_Base(&painter, image.size(), scene, &record)) {
            return false;
        }
        // The gauge, last in the record: drawn, its ends' pixels, its id.
        const int *values = record.geometry.data() + record.geometry.size() - 6;
        *from = QPoint(values[1], values[2]);
        *to = QPoint(values[3], values[4]);
        return values[0] == 1;
    };
    QPoint from;
    QPoint to;
    QPoint far_from;
    QPoint far_to;
    QVERIFY(drawn(1.0, &from, &to));
    QVERIFY(drawn(exaggeration, &far_from, &far_to));
    QCOMPARE(far_from, from);
    const QPointF near_way = to - from;
    const QPointF far_way = far_to - far_from;
    QVERIFY(std::abs(far_to.x()) <= 1000000 && std::abs(far_to.y()) <= 1000000);
    // The same direction, to the pixel the near end is rounded to.
    const double cross = near_way.x() * far_way.y() - near_way.y() * far_way.x();
    QVERIFY2(std::abs(cross) / std::hypot(far_way.x(), far_way.y()) <= 1.5 &&
                 QPointF::dotProduct(near_way, far_way) * way > 0.0,
             qPrintable(QString("(%1, %2) against (%3, %4)")
                            .arg(near_way.x())
                            .arg(near_way.y())
                            .arg(far_way.x())
                            .arg(far_way.y())));
}

QTEST_MAIN(TTestScenePainter)
#include "tst_scenepainter.moc"
