// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include "genericdeflectionmodel.h"
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
    void Record_Tells_What_Changed_data();
    void Record_Tells_What_Changed();
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

    const QColor pen(164, 164, 196);
    const QTransform none;
    const QRegion all;
    const QRegion pieces = QRegion(40, 30, 250, 200) + QRegion(200, 150, 150, 120);
    const int premultiplied = QImage::Format_ARGB32_Premultiplied;
    QTest::newRow("the display's image")
        << premultiplied << all << none << pen << 1 << false << 0 << 1.0;
    QTest::newRow("RGB32") << int(QImage::Format_RGB32) << all << none << pen << 1 << false << 0
                           << 1.0;
    QTest::newRow("ARGB32") << int(QImage::Format_ARGB32) << all << none << pen << 1 << false << 0
                            << 1.0;
    QTest::newRow("clipped to a region")
        << premultiplied << pieces << none << pen << 1 << false << 0 << 1.0;
    QTest::newRow("moved by whole pixels")
        << premultiplied << all << QTransform::fromTranslate(-17, 23) << pen << 1 << false << 0
        << 1.0;
    QTest::newRow("clipped and moved")
        << premultiplied << pieces << QTransform::fromTranslate(9, -4) << pen << 1 << false << 0
        << 1.0;
    QTest::newRow("over the image's edges")
        << premultiplied << all << none << pen << 1 << false << 40 << 1.0;
    QTest::newRow("moved by half a pixel")
        << premultiplied << all << QTransform::fromTranslate(0.5, 0.5) << pen << 1 << false << 0
        << 1.0;
    QTest::newRow("scaled") << premultiplied << all << QTransform::fromScale(2, 2) << pen << 1
                            << false << 0 << 1.0;
    QTest::newRow("half opacity") << premultiplied << all << none << pen << 1 << false << 0 << 0.5;
    QTest::newRow("antialiased") << premultiplied << all << none << pen << 1 << true << 0 << 1.0;
    QTest::newRow("translucent pen")
        << premultiplied << all << none << QColor(164, 164, 196, 128) << 1 << false << 0 << 1.0;
    QTest::newRow("2-pixel pen, as a selected gauge")
        << premultiplied << all << none << QColor(64, 64, 128) << 2 << false << 0 << 1.0;
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

    QImage expected(300, 260, QImage::Format(format));
    QImage drawn(expected.size(), QImage::Format(format));
    QRandomGenerator random(11);
    for (int i = 0; i < 400; ++i) {
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
        QPolygon band;
        for (int k = 0; k < 4; ++k) {
            band << corners[(start + (backwards ? 4 - k : k)) % 4];
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
}

QTEST_MAIN(TTestScenePainter)
#include "tst_scenepainter.moc"
