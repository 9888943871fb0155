// SPDX-License-Identifier: GPL-3.0-or-later
#include <QBackingStore>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <functional>
#include <limits>

#include "displaywidget.h"
#include "genericdeflectionmodel.h"
#include "paintrecorder.h"
#include "testimages.h"

namespace
{
const QColor nominal_colour(164, 164, 164);
const QColor deflected_colour(196, 0, 0);
const QColor gauge_pen_colour(164, 164, 196);
const QColor gauge_fill_colour(180, 180, 212);
const double inf = std::numeric_limits<double>::infinity();
const double not_a_number = std::numeric_limits<double>::quiet_NaN();

// The mapping from machine millimetres to pixels, written here in its own form: the box,
// squared about its centre, is interpolated linearly onto the square plot area whose margins
// come from the probe text.
struct TMapping {
    QRect plot;
    double y_low; // mm at the plot's left edge
    double z_low; // mm at the plot's bottom edge
    double side;  // mm across the plot

    QPoint Map(const double &y, const double &z) const
    {
        const double u = (y - y_low) / side;
        const double v = (z - z_low) / side;
        return QPoint(int(plot.left() + u * (plot.right() - plot.left())),
                      int(plot.bottom() - v * (plot.bottom() - plot.top())));
    }
};

// The width of the probe text that sets the margins, measured as the widget's painter does.
int Text_Width(const QWidget &widget)
{
    return QFontMetrics(widget.font(), const_cast<QWidget *>(&widget))
        .boundingRect(QRect(), 0, "__999999.99j")
        .width();
}

TMapping Expected_Mapping(const QSize &size, const QWidget &widget, double y0, double z0, double y1,
                          double z1)
{
    // The margin on every side, and half the difference between width and height (rounded
    // down) more on both sides of the longer dimension.
    const int m = Text_Width(widget) + 25;
    const int inset_y = std::max(size.width() - size.height(), 0) / 2;
    const int inset_z = std::max(size.height() - size.width(), 0) / 2;
    const int left = m + inset_y;
    const int top = m + inset_z;
    const int right = size.width() - 1 - m - inset_y;
    const int bottom = size.height() - 1 - m - inset_z;

    TMapping mapping;
    mapping.plot = QRect(QPoint(left, top), QPoint(right, bottom));
    mapping.side = std::max(y1 - y0, z1 - z0);
    mapping.y_low = (y0 + y1) / 2 - mapping.side / 2;
    mapping.z_low = (z0 + z1) / 2 - mapping.side / 2;
    return mapping;
}

QImage Render(TDisplayWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// The grid advances by adding the step, so its far lines lie where 24 additions end.
double Steps(const double &step, int count)
{
    double value = 0.0;
    for (int i = 0; i < count; ++i) {
        value += step;
    }
    return value;
}

bool Has_Line(const QVector<QLine> &lines, const QPoint &a, const QPoint &b)
{
    return lines.contains(QLine(a, b)) || lines.contains(QLine(b, a));
}

void Prepare(TDisplayWidget *widget, const QSize &size, double range_y = 1000.0,
             double range_z = 1000.0)
{
    widget->Set_Deflection_Model(TDisplayWidget::DEFLECTION_MODEL_GENERIC);
    widget->Set_Range(range_y, range_z);
    widget->resize(size);
}
} // namespace

Q_DECLARE_METATYPE(std::function<void(TDisplayWidget *)>)

class TTestDisplayWidget : public QObject
{
    Q_OBJECT

private slots:
    void Nothing_Drawn_Without_Model();
    void Too_Small_Says_So_In_One_Centred_Line();
    void Highlighted_Gauge_Drawn_On_Top();
    void Kept_Picture_Is_A_Fresh_Paint_data();
    void Kept_Picture_Is_A_Fresh_Paint();
    void Kept_Picture_Follows_What_Lies_Under_It();
    void Kept_Picture_Goes_Back_data();
    void Kept_Picture_Goes_Back();
    void Window_Picture_Painted_Meanwhile_data();
    void Window_Picture_Painted_Meanwhile();
    void Closed_While_Painting();
    void Part_Of_The_Widget_Is_Painted_Afresh_data();
    void Part_Of_The_Widget_Is_Painted_Afresh();
    void Kept_Values_Follow_Every_Change_data();
    void Kept_Values_Follow_Every_Change();
    void Readout_At_A_Known_Pixel_data();
    void Readout_At_A_Known_Pixel();
    void Zero_Deflection_Red_Covers_Grey();
    void Length_Labels_Read_The_Ranges_data();
    void Length_Labels_Read_The_Ranges();
    void Viewport_Fit_data();
    void Viewport_Fit();
    void Viewport_Of_Wide_Widget_Example();
    void Deflected_Grid_Follows_Model();
    void Gauge_Band_Pixels();
    void Arrow_Geometry_data();
    void Arrow_Geometry();
    void Exaggeration_Clamping_data();
    void Exaggeration_Clamping();
    void Gauge_List_Semantics();
    void Viewport_Marking_data();
    void Viewport_Marking();
    void Length_Volume();
    void Model_Replacement();
    void Corrections_Without_Model();
    void Extreme_Values_Stay_On_Canvas_data();
    void Extreme_Values_Stay_On_Canvas();
};

void TTestDisplayWidget::Nothing_Drawn_Without_Model()
{
    TDisplayWidget widget;
    widget.resize(400, 400);
    QCOMPARE(Count_Colour(Render(&widget), Qt::white), 400 * 400);

    Prepare(&widget, QSize(400, 400));
    QVERIFY(Count_Colour(Render(&widget), deflected_colour) > 0);

    // A type outside 1 to 3 removes the model.
    widget.Set_Deflection_Model(TDisplayWidget::TDeflectionModelType(7));
    QCOMPARE(widget.Model_Parameter1(), 0.0);
    QCOMPARE(Count_Colour(Render(&widget), Qt::white), 400 * 400);
}

// Below the size the drawing needs, nothing of it is drawn; one centred line says why.
void TTestDisplayWidget::Too_Small_Says_So_In_One_Centred_Line()
{
    TDisplayWidget widget;
    QCOMPARE(widget.minimumSizeHint(), QSize(250, 250));
    Prepare(&widget, QSize(249, 400));
    for (const QSize &size : {QSize(249, 400), QSize(400, 249)}) {
        widget.resize(size);
        const QImage image = Render(&widget);
        QCOMPARE(Count_Colour(image, deflected_colour), 0);
        QRect ink;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) != Qt::white) {
                    ink |= QRect(x, y, 1, 1);
                }
            }
        }
        QVERIFY(!ink.isEmpty());
        QVERIFY2(ink.height() <= QFontMetrics(widget.font()).height(),
                 qPrintable(QString::number(ink.height())));
        QVERIFY(qAbs(ink.center().y() - size.height() / 2) <= ink.height() / 2 + 1);
        // Centred across, as far as the line fits.
        QVERIFY(qAbs(ink.left() - (size.width() - 1 - ink.right())) <= 3 || ink.left() <= 1);
    }
    QVERIFY(widget.Viewport_Dirty());

    widget.resize(250, 250);
    QVERIFY(Count_Colour(Render(&widget), deflected_colour) > 0);
    QVERIFY(!widget.Viewport_Dirty());
}

// Two gauges on the same place: the one added last covers the other's id, unless the other is
// selected; the selected one is on top whatever the order, and outlined dark.
void TTestDisplayWidget::Highlighted_Gauge_Drawn_On_Top()
{
    const QColor highlight_colour(64, 64, 128);
    TDisplayWidget first_then_second;
    TDisplayWidget second_then_first;
    for (TDisplayWidget *widget : {&first_then_second, &second_then_first}) {
        Prepare(widget, QSize(400, 400));
    }
    const TVector3 a(0, 300, 500);
    const TVector3 b(0, 700, 500);
    first_then_second.Add_Length_Measurement(1, a, b);
    first_then_second.Add_Length_Measurement(2, a, b);
    second_then_first.Add_Length_Measurement(2, a, b);
    second_then_first.Add_Length_Measurement(1, a, b);
    const QImage plain = Render(&first_then_second);
    QVERIFY(plain != Render(&second_then_first));
    QCOMPARE(Count_Colour(plain, highlight_colour), 0);

    first_then_second.Set_Highlighted({1});
    second_then_first.Set_Highlighted({1});
    const QImage highlighted = Render(&first_then_second);
    QVERIFY(highlighted == Render(&second_then_first));
    QVERIFY(Count_Colour(highlighted, highlight_colour) > 0);

    // Nothing selected: the drawing as it always was.
    first_then_second.Set_Highlighted({});
    QVERIFY(Render(&first_then_second) == plain);
}

namespace
{
// One change to the widget, applied to one that has painted already and to one that never has.
using TChange = std::function<void(TDisplayWidget *)>;

// Long gauges along Y, Z and both diagonals, as a length test lays them out.
void Add_Length_Test(TDisplayWidget *widget, int count)
{
    const double s = std::sqrt(0.5);
    const TVector3 axes[] = {TVector3(0, 1, 0), TVector3(0, 0, 1), TVector3(0, s, s),
                             TVector3(0, s, -s)};
    for (int id = 1; id <= count; ++id) {
        const TVector3 centre(0, 300 + (id * 37) % 400, 300 + (id * 53) % 400);
        const TVector3 half = axes[id % 4] * (320.0 + id % 30);
        widget->Add_Length_Measurement(id, centre - half, centre + half);
    }
}

// A small length test with one gauge selected, on a 300 x 300 widget.
void Set_Up_Small_Test(TDisplayWidget *widget)
{
    Prepare(widget, QSize(300, 300));
    Add_Length_Test(widget, 12);
    widget->Set_Highlighted({3});
}

// The part of the widget rendered at its place into an image of the colour given.
QImage Render_Over(TDisplayWidget *widget, const QColor &under, const QRegion &part = QRegion())
{
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(under);
    widget->render(&image, part.boundingRect().topLeft(), part, QWidget::RenderFlags());
    return image;
}
// Sixty long gauges at exaggeration 100, one selected, on a 360 x 330 widget.
void Set_Up_Long_Gauges(TDisplayWidget *widget)
{
    Prepare(widget, QSize(360, 330));
    widget->Set_Model_Parameters(-0.05, -0.01, -0.01, 0);
    widget->Set_Exaggeration(100);
    Add_Length_Test(widget, 60);
    widget->Set_Highlighted({5});
}

// The pixels a shown widget, a window of its own, has in its window.
QImage Window_Pixels(TDisplayWidget *widget)
{
    QPaintDevice *device = widget->backingStore()->paintDevice();
    if (!device || device->devType() != QInternal::Image) {
        return QImage();
    }
    return static_cast<QImage *>(device)->copy(widget->rect());
}

// Paints the window until its picture follows the last change: a base painted on its own
// thread is laid down when it is done, and another one begun if the scene changed meanwhile.
bool Paint_Until_Shown(TDisplayWidget *widget)
{
    for (int round = 0; round < 10; ++round) {
        QElapsedTimer timer;
        timer.start();
        while (widget->Painting_In_Background()) {
            if (timer.elapsed() > 60000) {
                return false;
            }
            QTest::qWait(2);
        }
        widget->repaint();
        if (!widget->Painting_In_Background()) {
            return true;
        }
    }
    return false;
}
} // namespace

void TTestDisplayWidget::Kept_Picture_Is_A_Fresh_Paint_data()
{
    QTest::addColumn<TChange>("change");
    QTest::addColumn<int>("exaggeration");
    const auto row = [](const char *name, const TChange &change, int exaggeration = 100) {
        QTest::newRow(name) << change << exaggeration;
    };
    row("selecting", [](TDisplayWidget *w) { w->Set_Highlighted({7}); });
    row("selecting several", [](TDisplayWidget *w) { w->Set_Highlighted({3, 18, 40}); });
    row("selecting, then nothing", [](TDisplayWidget *w) {
        w->Set_Highlighted({7});
        w->Set_Highlighted({});
    });
    row("a gauge appended inside", [](TDisplayWidget *w) {
        w->Add_Length_Measurement(99, TVector3(0, 450, 500), TVector3(0, 550, 500));
    });
    row("a gauge appended that moves the layout", [](TDisplayWidget *w) {
        w->Add_Length_Measurement(99, TVector3(0, -400, 500), TVector3(0, 1400, 500));
    });
    row("appended and selected", [](TDisplayWidget *w) {
        w->Add_Length_Measurement(99, TVector3(0, 450, 500), TVector3(0, 550, 520));
        w->Set_Highlighted({99});
    });
    row("a gauge removed", [](TDisplayWidget *w) { w->Remove_Length_Measurement(12); });
    row("a gauge moved", [](TDisplayWidget *w) {
        w->Update_Length_Measurement(12, TVector3(0, 100, 100), TVector3(0, 200, 900));
    });
    row("a parameter", [](TDisplayWidget *w) { w->Set_Model_Parameter1(-0.2); });
    row("the exaggeration", [](TDisplayWidget *w) { w->Set_Exaggeration(500); });
    row("the range", [](TDisplayWidget *w) { w->Set_Range_Y(1200); });
    row("the size", [](TDisplayWidget *w) { w->resize(520, 470); });
    row("all cleared", [](TDisplayWidget *w) { w->Clear_Length_Measurements(); });
    // At exaggeration 1 a parameter moves no line by a pixel and changes length labels only.
    row(
        "a parameter at exaggeration 1", [](TDisplayWidget *w) { w->Set_Model_Parameter1(-0.052); },
        1);
    row(
        "a parameter there and back at exaggeration 1",
        [](TDisplayWidget *w) {
            w->Set_Model_Parameter1(-0.07);
            w->Set_Model_Parameter1(-0.05);
        },
        1);
    row(
        "another model at exaggeration 1",
        [](TDisplayWidget *w) {
            w->Set_Deflection_Model(TDisplayWidget::DEFLECTION_MODEL_RENISHAW);
            w->Set_Range(1000, 1000);
        },
        1);
    row(
        "a gauge moved at exaggeration 1",
        [](TDisplayWidget *w) {
            w->Update_Length_Measurement(12, TVector3(0, 100, 100), TVector3(0, 200, 900));
        },
        1);
}

// A widget keeps its picture without the selection between paints and draws only what
// changed over it; after each kind of change its pixels are those of a widget that paints the
// same state for the first time.
void TTestDisplayWidget::Kept_Picture_Is_A_Fresh_Paint()
{
    QFETCH(TChange, change);
    QFETCH(int, exaggeration);
    TDisplayWidget kept;
    TDisplayWidget fresh;
    for (TDisplayWidget *widget : {&kept, &fresh}) {
        Prepare(widget, QSize(480, 440));
        widget->Set_Model_Parameters(-0.05, -0.01, -0.01, 0);
        widget->Set_Exaggeration(exaggeration);
        Add_Length_Test(widget, 60);
        // Two that run out of the volume through the length labels on its left and below it.
        widget->Add_Length_Measurement(61, TVector3(0, -300, 500), TVector3(0, 300, 500));
        widget->Add_Length_Measurement(62, TVector3(0, 500, -300), TVector3(0, 500, 300));
        widget->Set_Highlighted({5});
    }
    const QImage before = Render(&kept);
    change(&kept);
    change(&fresh);
    const QImage after = Render(&kept);
    QCOMPARE(after.size(), fresh.size());
    QVERIFY(after == Render(&fresh));
    // And painted again without any change, it stays so.
    QVERIFY(Render(&kept) == after);
    Q_UNUSED(before);
}

// The kept picture holds what lay under the widget when it was painted; painted over anything
// else, the widget paints afresh.
void TTestDisplayWidget::Kept_Picture_Follows_What_Lies_Under_It()
{
    TDisplayWidget kept;
    TDisplayWidget fresh;
    Set_Up_Small_Test(&kept);
    Set_Up_Small_Test(&fresh);
    Render(&kept);
    const auto over_grey = [](TDisplayWidget *widget) {
        return Render_Over(widget, QColor(239, 239, 239));
    };
    kept.Set_Highlighted({4});
    fresh.Set_Highlighted({4});
    QVERIFY(over_grey(&kept) == over_grey(&fresh));
    QVERIFY(Render(&kept) == Render(&fresh));
}

void TTestDisplayWidget::Kept_Picture_Goes_Back_data()
{
    QTest::addColumn<int>("gauges");
    QTest::addColumn<QVector<TChange>>("steps");
    // Full paints over the steps: without a long list the display keeps no copy after a
    // change that is not a selection or an addition.
    QTest::addColumn<int>("full_paints");
    const TChange append = [](TDisplayWidget *w) {
        w->Add_Length_Measurement(9999, TVector3(0, 420, 380), TVector3(0, 610, 640));
    };
    const TChange take_back = [](TDisplayWidget *w) { w->Remove_Length_Measurement(9999); };
    const TChange move = [](TDisplayWidget *w) {
        w->Update_Length_Measurement(7, TVector3(0, 100, 100), TVector3(0, 200, 900));
    };
    // Gauge 7 as Add_Length_Test lays it.
    const double s = std::sqrt(0.5);
    const TVector3 centre(0, 300 + (7 * 37) % 400, 300 + (7 * 53) % 400);
    const TVector3 half = TVector3(0, s, -s) * (320.0 + 7 % 30);
    const TChange move_back = [centre, half](TDisplayWidget *w) {
        w->Update_Length_Measurement(7, centre - half, centre + half);
    };
    const TChange parameter = [](TDisplayWidget *w) { w->Set_Model_Parameter1(-0.08); };
    const TChange parameter_back = [](TDisplayWidget *w) { w->Set_Model_Parameter1(-0.05); };
    const TChange select = [](TDisplayWidget *w) { w->Set_Highlighted({9}); };
    // Two changes before one paint, as one undo step of several does them.
    const TChange move_and_take_back = [move, take_back](TDisplayWidget *w) {
        move(w);
        take_back(w);
    };
    for (const int gauges : {60, 2100}) {
        const bool long_list = gauges > 2000;
        const auto row = [gauges](const char *name, const QVector<TChange> &steps,
                                  int full_paints) {
            QTest::addRow("%d gauges, %s", gauges, name) << gauges << steps << full_paints;
        };
        row("appended, taken back", {append, take_back}, 0);
        row("appended, taken back, appended again", {append, take_back, append}, 0);
        row("moved, moved back", {move, move_back}, long_list ? 1 : 2);
        row("moved, moved back, moved again", {move, move_back, move}, long_list ? 1 : 3);
        row("moved, selected, moved back", {move, select, move_back}, long_list ? 1 : 3);
        row("a parameter, and back", {parameter, parameter_back}, long_list ? 1 : 2);
        row("appended, moved, taken back", {append, move, take_back}, 2);
        row("appended, then moved and taken back at once", {append, move_and_take_back}, 1);
    }
    QTest::addRow("no gauges, a parameter") << 0 << QVector<TChange>{parameter} << 1;
}

// After a change and its undoing the display may lay down the base it kept before; after
// every step its pixels are those of a widget that paints that state for the first time.
void TTestDisplayWidget::Kept_Picture_Goes_Back()
{
    QFETCH(int, gauges);
    QFETCH(QVector<TChange>, steps);
    QFETCH(int, full_paints);
    const auto set_up = [gauges](TDisplayWidget *widget) {
        Prepare(widget, QSize(360, 330));
        widget->Set_Model_Parameters(-0.05, -0.01, -0.01, 0);
        widget->Set_Exaggeration(100);
        Add_Length_Test(widget, gauges);
        widget->Set_Highlighted({5});
    };
    TDisplayWidget kept;
    set_up(&kept);
    Render(&kept);
    const int first_paints = kept.Full_Paints();
    for (int step = 0; step < steps.size(); ++step) {
        steps[step](&kept);
        TDisplayWidget fresh;
        set_up(&fresh);
        for (int k = 0; k <= step; ++k) {
            steps[k](&fresh);
        }
        QVERIFY2(Render(&kept) == Render(&fresh), qPrintable(QStringLiteral("step %1").arg(step)));
    }
    QCOMPARE(kept.Full_Paints() - first_paints, full_paints);
}

void TTestDisplayWidget::Window_Picture_Painted_Meanwhile_data()
{
    QTest::addColumn<QVector<TChange>>("steps");
    // Rendered into an image after the first step, while its base is painted for the window.
    QTest::addColumn<bool>("rendered_meanwhile");
    // How often the window's own thread painted the base in full, and whether the picture
    // shown at the end came from the other thread; neither is asked after a render.
    QTest::addColumn<int>("full_paints");
    QTest::addColumn<bool>("from_thread");
    const TChange parameter = [](TDisplayWidget *w) { w->Set_Model_Parameter1(-0.08); };
    const TChange parameter_back = [](TDisplayWidget *w) { w->Set_Model_Parameter1(-0.05); };
    const TChange exaggeration = [](TDisplayWidget *w) { w->Set_Exaggeration(300); };
    const TChange move = [](TDisplayWidget *w) {
        w->Update_Length_Measurement(7, TVector3(0, 100, 100), TVector3(0, 200, 900));
    };
    const TChange remove = [](TDisplayWidget *w) { w->Remove_Length_Measurement(7); };
    const TChange append = [](TDisplayWidget *w) {
        w->Add_Length_Measurement(9999, TVector3(0, 420, 380), TVector3(0, 610, 640));
    };
    const TChange select = [](TDisplayWidget *w) { w->Set_Highlighted({9}); };
    const TChange new_layout = [](TDisplayWidget *w) {
        w->Add_Length_Measurement(9998, TVector3(0, -400, 500), TVector3(0, 1400, 500));
    };
    const auto row = [](const char *name, const QVector<TChange> &steps, bool rendered = false,
                        int full_paints = 0, bool from_thread = true) {
        QTest::newRow(name) << steps << rendered << full_paints << from_thread;
    };
    row("a parameter", {parameter});
    row("the exaggeration", {exaggeration});
    row("a gauge moved", {move});
    row("a gauge removed", {remove});
    row("two changes while the first is painted", {parameter, exaggeration});
    row("appended while painting", {parameter, append});
    row("back while painting", {parameter, parameter_back});
    row("selected while painting", {parameter, select});
    row("three in a row", {parameter, move, parameter_back});
    row("a gauge moved while painting", {parameter, move});
    // A new layout is painted at once; the base painted meanwhile for the old one is dropped.
    row("the layout moved while painting", {parameter, new_layout}, false, 1, false);
    row("rendered while painting", {parameter}, true);
    row("rendered while painting, then changed", {parameter, move}, true);
}

// With a long list, a change that needs the base painted anew has it painted on a thread of
// its own, the window showing its picture from before meanwhile. Once it is shown, the
// window's pixels are those of a window that paints the same scene at once, and no paint of
// the window's thread drew the base; a picture rendered elsewhere meanwhile is complete.
void TTestDisplayWidget::Window_Picture_Painted_Meanwhile()
{
    QFETCH(QVector<TChange>, steps);
    QFETCH(bool, rendered_meanwhile);
    QFETCH(int, full_paints);
    QFETCH(bool, from_thread);
    const auto set_up = [](TDisplayWidget *widget) {
        Set_Up_Long_Gauges(widget);
        widget->show();
        return QTest::qWaitForWindowExposed(widget);
    };
    TDisplayWidget window;
    QVERIFY(set_up(&window));
    window.Set_Background_Paint_From(1);
    window.repaint();
    const int first_paints = window.Full_Paints();
    for (int step = 0; step < steps.size(); ++step) {
        steps[step](&window);
        window.repaint();
        if (step == 0) {
            QVERIFY(window.Painting_In_Background());
        }
        if (step == 0 && rendered_meanwhile) {
            TDisplayWidget at_once;
            Set_Up_Long_Gauges(&at_once);
            steps[0](&at_once);
            // Over what lies under the window's picture, in its format, so that nothing but
            // the device tells a render from the window's own paint.
            const QImage under = Window_Pixels(&window);
            const auto render = [&under](TDisplayWidget *widget) {
                QImage image(widget->size(), under.format());
                image.fill(widget->palette().color(QPalette::Window));
                widget->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
                return image;
            };
            QVERIFY(render(&window) == render(&at_once));
        }
    }
    QVERIFY(Paint_Until_Shown(&window));
    TDisplayWidget at_once;
    QVERIFY(set_up(&at_once));
    for (const TChange &step : steps) {
        step(&at_once);
    }
    at_once.repaint();
    const QImage shown = Window_Pixels(&window);
    QVERIFY(!shown.isNull());
    QVERIFY(shown == Window_Pixels(&at_once));
    if (!rendered_meanwhile) {
        QCOMPARE(window.Full_Paints() - first_paints, full_paints);
        QCOMPARE(window.Background_Paints() >= 1, from_thread);
    }
}

// A window closed while its base is painted waits for the thread, which then tells no one.
void TTestDisplayWidget::Closed_While_Painting()
{
    auto *window = new TDisplayWidget;
    Set_Up_Long_Gauges(window);
    window->Set_Background_Paint_From(1);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->repaint();
    window->Set_Exaggeration(300);
    window->repaint();
    QVERIFY(window->Painting_In_Background());
    delete window;
    QTest::qWait(20);
}

void TTestDisplayWidget::Part_Of_The_Widget_Is_Painted_Afresh_data()
{
    QTest::addColumn<TChange>("change");
    QTest::addColumn<QRegion>("part");
    const QRegion middle(60, 50, 200, 180);
    const QRegion corner_and_strip = QRegion(0, 0, 90, 90) + QRegion(0, 250, 300, 20);
    QTest::newRow("a gauge appended, the middle") << TChange([](TDisplayWidget *w) {
        w->Add_Length_Measurement(99, TVector3(0, 100, 100), TVector3(0, 900, 850));
    }) << middle;
    QTest::newRow("a gauge appended, a corner and a strip") << TChange([](TDisplayWidget *w) {
        w->Add_Length_Measurement(99, TVector3(0, 100, 100), TVector3(0, 900, 850));
    }) << corner_and_strip;
    QTest::newRow("selecting, the middle")
        << TChange([](TDisplayWidget *w) { w->Set_Highlighted({6}); }) << middle;
    QTest::newRow("a parameter, a corner and a strip")
        << TChange([](TDisplayWidget *w) { w->Set_Model_Parameter1(-0.2); }) << corner_and_strip;
}

// A paint of part of the widget shows only that part of what lies under it: it never lays the
// kept picture down, nor keeps a new one, and the whole widget painted next is a fresh paint.
void TTestDisplayWidget::Part_Of_The_Widget_Is_Painted_Afresh()
{
    QFETCH(TChange, change);
    QFETCH(QRegion, part);
    TDisplayWidget kept;
    TDisplayWidget fresh;
    Set_Up_Small_Test(&kept);
    Set_Up_Small_Test(&fresh);
    Render(&kept);
    // White, as under the kept picture: only the part decides.
    const auto render_part = [&part](TDisplayWidget *widget) {
        return Render_Over(widget, Qt::white, part);
    };
    change(&kept);
    change(&fresh);
    QVERIFY(render_part(&kept) == render_part(&fresh));
    QVERIFY(Render(&kept) == Render(&fresh));
}

void TTestDisplayWidget::Kept_Values_Follow_Every_Change_data()
{
    QTest::addColumn<int>("change");
    QTest::newRow("parameter") << 0;
    QTest::newRow("range") << 1;
    QTest::newRow("model") << 2;
    QTest::newRow("font") << 3;
    QTest::newRow("exaggeration") << 4;
}

// The painter keeps what depends on the model and the font between paints; after any change
// the picture is the one a fresh widget draws in the new state.
void TTestDisplayWidget::Kept_Values_Follow_Every_Change()
{
    QFETCH(int, change);
    const auto set_up = [](TDisplayWidget *widget) {
        Prepare(widget, QSize(400, 400));
        widget->Set_Model_Parameters(-0.05, -0.01, -0.01, 0.0);
        widget->Set_Exaggeration(300);
        widget->Add_Length_Measurement(1, TVector3(0, 200, 500), TVector3(0, 800, 500));
    };
    const auto apply = [change](TDisplayWidget *widget) {
        switch (change) {
        case 0:
            widget->Set_Model_Parameter2(0.02);
            break;
        case 1:
            widget->Set_Range_Z(700.0);
            break;
        case 2:
            widget->Set_Deflection_Model(TDisplayWidget::DEFLECTION_MODEL_RENISHAW);
            widget->Set_Range(1000.0, 1000.0);
            widget->Set_Model_Parameters(-0.05, -0.01, -0.01, 0.0);
            break;
        case 3:
            widget->setFont(QFont(widget->font().family(), 17));
            break;
        default:
            widget->Set_Exaggeration(900);
            break;
        }
    };
    TDisplayWidget kept;
    set_up(&kept);
    const QImage before = Render(&kept);
    apply(&kept);
    TDisplayWidget fresh;
    set_up(&fresh);
    apply(&fresh);
    const QImage after = Render(&fresh);
    QVERIFY(Render(&kept) == after);
    QVERIFY(after != before);
}

void TTestDisplayWidget::Readout_At_A_Known_Pixel_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    QTest::newRow("inside") << 250.0 << 750.0;
    QTest::newRow("origin") << 0.0 << 0.0;
    QTest::newRow("far corner") << 1000.0 << 1000.0;
    QTest::newRow("outside the volume") << 1100.0 << -50.0;
}

// The readout names the machine position under the pixel, to within the millimetres one pixel
// spans, and the model's correction at the position it names.
void TTestDisplayWidget::Readout_At_A_Known_Pixel()
{
    QFETCH(double, y);
    QFETCH(double, z);
    TDisplayWidget widget;
    Prepare(&widget, QSize(400, 400));
    widget.Set_Model_Parameters(-0.05, -0.01, -0.02, 0.0);
    Render(&widget);
    const TMapping mapping = Expected_Mapping(QSize(400, 400), widget, 0, 0, 1000, 1000);
    const QString text = widget.Readout(mapping.Map(y, z));

    const QRegularExpression form(QString::fromUtf8(
        "^Y (-?\\d+\\.\\d) mm, Z (-?\\d+\\.\\d) mm: correction Y (-?\\d+\\.\\d\\d) \u00b5m, "
        "Z (-?\\d+\\.\\d\\d) \u00b5m$"));
    const QRegularExpressionMatch match = form.match(text);
    QVERIFY2(match.hasMatch(), qPrintable(text));
    const double shown_y = match.captured(1).toDouble();
    const double shown_z = match.captured(2).toDouble();
    const double pixel_mm = mapping.side / (mapping.plot.right() - mapping.plot.left());
    QVERIFY2(qAbs(shown_y - y) <= pixel_mm + 0.05, qPrintable(text));
    QVERIFY2(qAbs(shown_z - z) <= pixel_mm + 0.05, qPrintable(text));

    TGenericDeflectionModel model;
    model.Set_Range_Y(1000.0);
    model.Set_Range_Z(1000.0);
    model.Set_Parameter1(-0.05);
    model.Set_Parameter2(-0.01);
    model.Set_Parameter3(-0.02);
    const TVector3 correction = model.Calculate_Correction(TVector3(0, shown_y, shown_z));
    // The position is shown to 0.05 mm; over that the correction changes by far less than
    // the last digit shown.
    QVERIFY2(qAbs(match.captured(3).toDouble() - correction.y * 1000.0) <= 0.006, qPrintable(text));
    QVERIFY2(qAbs(match.captured(4).toDouble() - correction.z * 1000.0) <= 0.006, qPrintable(text));

    // Without a model there is nothing to read.
    widget.Set_Deflection_Model(TDisplayWidget::TDeflectionModelType(0));
    QVERIFY(widget.Readout(mapping.Map(y, z)).isEmpty());
}

void TTestDisplayWidget::Zero_Deflection_Red_Covers_Grey()
{
    TDisplayWidget widget;
    Prepare(&widget, QSize(600, 600));
    // Within the volume (the captions' antialiased text may contain any grey).
    const TMapping mapping = Expected_Mapping(widget.size(), widget, 0, 0, 1000, 1000);
    const QImage image = Render(&widget).copy(QRect(mapping.Map(0, 1000), mapping.Map(1000, 0)));
    QCOMPARE(Count_Colour(image, nominal_colour), 0);
    QVERIFY(Count_Colour(image, deflected_colour) > 1000);

    // Segment by segment, each red line lies on the grey one drawn just before it.
    TPaintRecorder recorder(widget.size());
    recorder.Render(&widget);
    const QVector<QLine> grey = recorder.Lines(nominal_colour);
    const QVector<QLine> red = recorder.Lines(deflected_colour);
    QCOMPARE(grey.size(), 1200);
    QCOMPARE(red, grey);
}

void TTestDisplayWidget::Length_Labels_Read_The_Ranges_data()
{
    QTest::addColumn<double>("range_y");
    QTest::addColumn<double>("range_z");
    QTest::addColumn<QString>("y_label");
    QTest::addColumn<QString>("z_label");
    QTest::newRow("cube") << 1000.0 << 1000.0 << "1000.000"
                          << "1000.000";
    QTest::newRow("wide and low") << 1500.0 << 800.0 << "1500.000"
                                  << "800.000";
    QTest::newRow("fractions") << 2.25 << 1234.5678 << "2.250"
                               << "1234.568";
}

void TTestDisplayWidget::Length_Labels_Read_The_Ranges()
{
    QFETCH(double, range_y);
    QFETCH(double, range_z);
    QFETCH(QString, y_label);
    QFETCH(QString, z_label);

    TDisplayWidget widget;
    Prepare(&widget, QSize(600, 500), range_y, range_z);
    TPaintRecorder recorder(widget.size());
    recorder.Render(&widget);

    QStringList expected;
    for (int i = 0; i < 5; ++i) {
        expected << y_label;
    }
    for (int i = 0; i < 5; ++i) {
        expected << z_label;
    }
    expected << "Y Axis"
             << "Z Lengths mm"
             << "Z Axis"
             << "Y Lengths mm";
    QCOMPARE(recorder.Texts(), expected);

    // The Y labels end in one column 25 pixels left of the origin (a right-aligned text ends
    // one pixel beyond its rectangle's inclusive right edge).
    const TMapping mapping = Expected_Mapping(widget.size(), widget, 0, 0, range_y, range_z);
    const QFontMetricsF metrics(widget.font());
    for (int i = 0; i < 5; ++i) {
        const TPaintRecorder::TText &text = recorder.texts[i];
        QCOMPARE(qRound(text.position.x() + metrics.horizontalAdvance(text.text)),
                 mapping.Map(0, 0).x() - 25 + 1);
        QCOMPARE(text.colour, QColor(Qt::black));
    }
    // The Z labels read upward.
    for (int i = 5; i < 10; ++i) {
        QCOMPARE(recorder.texts[i].transform.m12(), -1.0);
    }
}

void TTestDisplayWidget::Viewport_Fit_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("range_y");
    QTest::addColumn<double>("range_z");
    QTest::addColumn<QVector<double>>("gauge"); // y1, z1, y2, z2, or empty
    QTest::addColumn<QVector<double>>("box");   // the box the fit must use: y0, z0, y1, z1

    QTest::newRow("600 x 400, cube") << QSize(600, 400) << 1000.0 << 1000.0 << QVector<double>{}
                                     << QVector<double>{0, 0, 1000, 1000};
    QTest::newRow("wide volume is centred vertically")
        << QSize(500, 500) << 2000.0 << 1000.0 << QVector<double>{}
        << QVector<double>{0, 0, 2000, 1000};
    QTest::newRow("gauge end at Y = -200 widens the box")
        << QSize(500, 500) << 1000.0 << 1000.0 << QVector<double>{-200, 500, 300, 500}
        << QVector<double>{-200, 0, 1000, 1000};
    QTest::newRow("gauge inside the volume changes nothing")
        << QSize(500, 500) << 1000.0 << 1000.0 << QVector<double>{100, 200, 900, 800}
        << QVector<double>{0, 0, 1000, 1000};
    QTest::newRow("tall widget, odd difference")
        << QSize(401, 600) << 1000.0 << 1000.0 << QVector<double>{}
        << QVector<double>{0, 0, 1000, 1000};
    QTest::newRow("wide widget, odd difference")
        << QSize(700, 451) << 1000.0 << 1000.0 << QVector<double>{}
        << QVector<double>{0, 0, 1000, 1000};
    QTest::newRow("gauge above and right of the volume")
        << QSize(520, 480) << 800.0 << 600.0 << QVector<double>{400, 900, 1200, 300}
        << QVector<double>{0, 0, 1200, 900};
}

void TTestDisplayWidget::Viewport_Fit()
{
    QFETCH(QSize, size);
    QFETCH(double, range_y);
    QFETCH(double, range_z);
    QFETCH(QVector<double>, gauge);
    QFETCH(QVector<double>, box);

    TDisplayWidget widget;
    Prepare(&widget, size, range_y, range_z);
    if (!gauge.isEmpty()) {
        widget.Add_Length_Measurement(1, TVector3(0, gauge[0], gauge[1]),
                                      TVector3(0, gauge[2], gauge[3]));
    }
    TPaintRecorder recorder(size);
    recorder.Render(&widget);

    const TMapping mapping = Expected_Mapping(size, widget, box[0], box[1], box[2], box[3]);
    // The plot area is square, centred on the longer side; an odd difference leaves that
    // side one pixel longer.
    const int m = Text_Width(widget) + 25;
    const int side = std::min(size.width(), size.height()) - 1 - 2 * m;
    const int extra = std::abs(size.width() - size.height()) % 2;
    const bool wide = size.width() > size.height();
    QCOMPARE(mapping.plot.right() - mapping.plot.left(), side + (wide ? extra : 0));
    QCOMPARE(mapping.plot.bottom() - mapping.plot.top(), side + (wide ? 0 : extra));

    // The first grey segment of the first row and the last of the last column: their ends are
    // the nominal corners of the volume.
    const QVector<QLine> grey = recorder.Lines(nominal_colour);
    QCOMPARE(grey.size(), 1200);
    const double step_y = range_y / 24;
    const double step_z = range_z / 24;
    QCOMPARE(grey.first(), QLine(mapping.Map(step_y, 0), mapping.Map(0, 0)));
    const double far_y = Steps(step_y, 24);
    const double far_z = Steps(step_z, 24);
    QVERIFY(Has_Line(grey, mapping.Map(far_y, 0), mapping.Map(Steps(step_y, 23), 0)));
    QVERIFY(Has_Line(grey, mapping.Map(0, far_z), mapping.Map(0, Steps(step_z, 23))));
    QVERIFY(Has_Line(grey, mapping.Map(far_y, far_z), mapping.Map(far_y, Steps(step_z, 23))));

    if (!gauge.isEmpty()) {
        QCOMPARE(recorder.polygons.size(), 1);
        const QPolygon band = recorder.polygons.first().points;
        const QPoint p1 = mapping.Map(gauge[0], gauge[1]);
        const QPoint p2 = mapping.Map(gauge[2], gauge[3]);
        QCOMPARE((band[0] + band[1]) / 2, p1);
        QCOMPARE((band[2] + band[3]) / 2, p2);
    }
}

void TTestDisplayWidget::Viewport_Of_Wide_Widget_Example()
{
    // 600 x 400 with a 1000 mm cube: left = m + 100, right = 499 - m, top = m, bottom = 399 - m.
    TDisplayWidget widget;
    Prepare(&widget, QSize(600, 400));
    TPaintRecorder recorder(widget.size());
    recorder.Render(&widget);
    const int m = Text_Width(widget) + 25;
    const QVector<QLine> grey = recorder.Lines(nominal_colour);
    QCOMPARE(grey.first().p2(), QPoint(m + 100, 399 - m)); // Y = 0, Z = 0
    // The arrows span the exact ranges: the top one runs from Y = 1000 to Y = 0 at Z = 1000,
    // the right one from Z = 1000 to Z = 0 at Y = 1000.
    const QVector<QLine> arrows = recorder.Lines(Qt::black, 2);
    QVERIFY(arrows.contains(QLine(QPoint(499 - m, m), QPoint(m + 100, m))));
    QVERIFY(arrows.contains(QLine(QPoint(499 - m, m), QPoint(499 - m, 399 - m))));
}

void TTestDisplayWidget::Deflected_Grid_Follows_Model()
{
    const QSize size(640, 640);
    TDisplayWidget widget;
    Prepare(&widget, size, 1200, 900);
    widget.Set_Model_Parameters(-0.05, -0.01, -0.01, 0);
    widget.Set_Exaggeration(1000);

    TGenericDeflectionModel model;
    model.Set_Parameter1(-0.05);
    model.Set_Parameter2(-0.01);
    model.Set_Parameter3(-0.01);
    model.Set_Range_Y(1200);
    model.Set_Range_Z(900);
    const TMapping mapping = Expected_Mapping(size, widget, 0, 0, 1200, 900);
    const auto deflected = [&](double y, double z) {
        const TVector3 c = model.Calculate_Correction(TVector3(0, y, z));
        return mapping.Map(y + 1000.0 * c.y, z + 1000.0 * c.z);
    };

    TPaintRecorder recorder(size);
    recorder.Render(&widget);
    const QVector<QLine> red = recorder.Lines(deflected_colour);
    QCOMPARE(red.size(), 1200);
    QVERIFY(Has_Line(red, deflected(0, 0), deflected(50, 0)));
    QVERIFY(Has_Line(red, deflected(1200, 0), deflected(1150, 0)));
    QVERIFY(Has_Line(red, deflected(0, 900), deflected(0, 862.5)));
    QVERIFY(Has_Line(red, deflected(1200, 900), deflected(1150, 900)));
    // The far corner moves visibly: up and to the right for these parameters.
    QVERIFY(deflected(1200, 900) != mapping.Map(1200, 900));

    // In the picture, a deflected grid node away from the arrows is red, and the nominal one
    // it came from shows grey.
    const QImage image = Render(&widget);
    QCOMPARE(image.pixelColor(deflected(250, 262.5)), deflected_colour);
    QCOMPARE(image.pixelColor(mapping.Map(1000, 862.5) + QPoint(1, 0)), nominal_colour);
}

void TTestDisplayWidget::Gauge_Band_Pixels()
{
    TDisplayWidget widget;
    Prepare(&widget, QSize(600, 600));
    widget.Add_Length_Measurement(7, TVector3(0, 100, 437.5), TVector3(0, 900, 437.5));
    const TMapping mapping = Expected_Mapping(widget.size(), widget, 0, 0, 1000, 1000);
    const QPoint left = mapping.Map(100, 437.5);
    const QPoint right = mapping.Map(900, 437.5);
    QCOMPARE(left.y(), right.y());
    const int row = left.y();

    const QImage image = Render(&widget);
    const int x = left.x() + 5; // away from the label in the middle
    QCOMPARE(image.pixelColor(x, row - 8), gauge_pen_colour);
    QCOMPARE(image.pixelColor(x, row + 8), gauge_pen_colour);
    for (int y = row - 7; y <= row + 7; ++y) {
        QCOMPARE(image.pixelColor(x, y), gauge_fill_colour);
    }
    QVERIFY(image.pixelColor(x, row - 9) != gauge_fill_colour);
    QVERIFY(image.pixelColor(x, row + 9) != gauge_fill_colour);

    // The identifier sits in a white 15 x 15 square at the band's middle, in grey-blue.
    const int centre_x = int((left.x() + right.x()) / 2.0 - 8 + 1);
    const QRect square(QPoint(centre_x, row - 7), QSize(15, 15));
    int white = 0;
    int text = 0;
    for (int y = square.top(); y <= square.bottom(); ++y) {
        for (int x2 = square.left(); x2 <= square.right(); ++x2) {
            const QColor colour = image.pixelColor(x2, y);
            white += colour == Qt::white;
            text += colour != Qt::white;
        }
    }
    QVERIFY(white > 100);
    QVERIFY(text > 5);
    QCOMPARE(image.pixelColor(square.left() - 1, row), gauge_fill_colour);
    QCOMPARE(image.pixelColor(square.right() + 1, row), gauge_fill_colour);

    TPaintRecorder recorder(widget.size());
    recorder.Render(&widget);
    QCOMPARE(recorder.Texts().mid(10, 1), QStringList{"7"});
    QCOMPARE(recorder.texts[10].colour, gauge_pen_colour);
    QCOMPARE(recorder.rects.size(), 1);
    QCOMPARE(recorder.rects.first().rect, square);
    QCOMPARE(recorder.rects.first().colour, QColor(Qt::white));
}

void TTestDisplayWidget::Arrow_Geometry_data()
{
    QTest::addColumn<QPoint>("p1");
    QTest::addColumn<QPoint>("p2");
    QTest::addColumn<bool>("single_head");
    QTest::addColumn<QVector<QLine>>("expected");
    QTest::newRow("horizontal, two heads")
        << QPoint(0, 0) << QPoint(100, 0) << false
        << QVector<QLine>{QLine(12, 3, 0, 0), QLine(0, 0, 12, -3), QLine(0, 0, 100, 0),
                          QLine(88, 3, 100, 0), QLine(88, -3, 100, 0)};
    QTest::newRow("upward, one head at the first point")
        << QPoint(10, 10) << QPoint(10, 70) << true
        << QVector<QLine>{QLine(7, 22, 10, 10), QLine(10, 10, 13, 22), QLine(10, 10, 10, 70)};
    QTest::newRow("shorter than a head")
        << QPoint(0, 0) << QPoint(5, 0) << false
        << QVector<QLine>{QLine(12, 3, 0, 0), QLine(0, 0, 12, -3), QLine(0, 0, 5, 0),
                          QLine(-7, 3, 5, 0), QLine(-7, -3, 5, 0)};
    QTest::newRow("same point draws nothing")
        << QPoint(4, 4) << QPoint(4, 4) << false << QVector<QLine>{};
}

void TTestDisplayWidget::Arrow_Geometry()
{
    QFETCH(QPoint, p1);
    QFETCH(QPoint, p2);
    QFETCH(bool, single_head);
    QFETCH(QVector<QLine>, expected);

    TDisplayWidget widget;
    TPaintRecorder recorder(QSize(200, 200));
    {
        QPainter painter(&recorder);
        widget.Draw_Arrow(&painter, p1, p2, 12, 3, single_head);
        widget.Draw_Gauge(&painter, p1, p1, "1", 16);
    }
    QVector<QLine> drawn;
    for (const TPaintRecorder::TLine &line : recorder.lines) {
        drawn << line.line;
    }
    QCOMPARE(drawn, expected);
    QVERIFY(recorder.polygons.isEmpty());
    QVERIFY(recorder.texts.isEmpty());
}

void TTestDisplayWidget::Exaggeration_Clamping_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("zero") << 0 << 1.0;
    QTest::newRow("negative") << -5 << 1.0;
    QTest::newRow("one") << 1 << 1.0;
    QTest::newRow("slider maximum") << 1000 << 1000.0;
    QTest::newRow("beyond the slider") << 250000 << 250000.0;
}

void TTestDisplayWidget::Exaggeration_Clamping()
{
    QFETCH(int, value);
    QFETCH(double, expected);
    TDisplayWidget widget;
    QCOMPARE(widget.Exaggeration(), 1.0);
    widget.Set_Exaggeration(value);
    QCOMPARE(widget.Exaggeration(), expected);
}

void TTestDisplayWidget::Gauge_List_Semantics()
{
    TDisplayWidget widget;
    const auto ids = [&widget]() {
        QVector<int> result;
        for (const TDisplayWidget::TLengthMeasurement &gauge : widget.Length_Measurements()) {
            result << gauge.id;
        }
        return result;
    };

    widget.Add_Length_Measurement(1, TVector3(0, 1, 1), TVector3(0, 2, 2));
    widget.Add_Length_Measurement(2, TVector3(0, 3, 3), TVector3(0, 4, 4));
    widget.Add_Length_Measurement(3, TVector3(0, 5, 5), TVector3(0, 6, 6));
    widget.Add_Length_Measurement(2, TVector3(0, 99, 99), TVector3(0, 98, 98));
    QCOMPARE(ids(), (QVector<int>{1, 2, 3}));
    QCOMPARE(widget.Length_Measurements()[1].point1.y, 3.0);

    widget.Update_Length_Measurement(3, TVector3(0, 7, 8), TVector3(0, 9, 10));
    QCOMPARE(widget.Length_Measurements()[2].point1.z, 8.0);
    QCOMPARE(widget.Length_Measurements()[2].point2.y, 9.0);
    widget.Update_Length_Measurement(4, TVector3(), TVector3());
    QCOMPARE(ids(), (QVector<int>{1, 2, 3}));

    widget.Remove_Length_Measurement(2);
    QCOMPARE(ids(), (QVector<int>{1, 3}));
    widget.Remove_Length_Measurement(2);
    QCOMPARE(ids(), (QVector<int>{1, 3}));
    widget.Add_Length_Measurement(2, TVector3(), TVector3(0, 1, 0));
    QCOMPARE(ids(), (QVector<int>{1, 3, 2}));

    widget.Clear_Length_Measurements();
    QVERIFY(widget.Length_Measurements().empty());
}

void TTestDisplayWidget::Viewport_Marking_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("marks");
    QTest::newRow("range y") << "range y" << true;
    QTest::newRow("range z, ignored value") << "range z 0.5" << true;
    QTest::newRow("both ranges") << "ranges" << true;
    QTest::newRow("new gauge") << "add 9" << true;
    QTest::newRow("existing gauge id") << "add 1" << false;
    QTest::newRow("update found") << "update 1" << true;
    QTest::newRow("update missing") << "update 9" << false;
    QTest::newRow("remove found") << "remove 1" << true;
    QTest::newRow("remove missing") << "remove 9" << false;
    QTest::newRow("clear") << "clear" << true;
    QTest::newRow("parameter") << "parameter" << false;
    QTest::newRow("exaggeration") << "exaggeration" << false;
    QTest::newRow("model") << "model" << false;
    QTest::newRow("resize") << "resize" << true;
}

void TTestDisplayWidget::Viewport_Marking()
{
    QFETCH(QString, operation);
    QFETCH(bool, marks);

    TDisplayWidget widget;
    Prepare(&widget, QSize(400, 400));
    widget.Add_Length_Measurement(1, TVector3(0, 10, 10), TVector3(0, 20, 20));
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    Render(&widget);
    QVERIFY(!widget.Viewport_Dirty());

    if (operation == "range y") {
        widget.Set_Range_Y(1500);
    } else if (operation == "range z 0.5") {
        widget.Set_Range_Z(0.5);
    } else if (operation == "ranges") {
        widget.Set_Range(1000, 1000);
    } else if (operation == "add 9") {
        widget.Add_Length_Measurement(9, TVector3(), TVector3(0, 1, 1));
    } else if (operation == "add 1") {
        widget.Add_Length_Measurement(1, TVector3(), TVector3(0, 1, 1));
    } else if (operation == "update 1") {
        widget.Update_Length_Measurement(1, TVector3(), TVector3(0, 1, 1));
    } else if (operation == "update 9") {
        widget.Update_Length_Measurement(9, TVector3(), TVector3(0, 1, 1));
    } else if (operation == "remove 1") {
        widget.Remove_Length_Measurement(1);
    } else if (operation == "remove 9") {
        widget.Remove_Length_Measurement(9);
    } else if (operation == "clear") {
        widget.Clear_Length_Measurements();
    } else if (operation == "parameter") {
        widget.Set_Model_Parameter2(0.5);
    } else if (operation == "exaggeration") {
        widget.Set_Exaggeration(300);
    } else if (operation == "model") {
        widget.Set_Deflection_Model(TDisplayWidget::DEFLECTION_MODEL_LK);
    } else if (operation == "resize") {
        widget.resize(420, 380); // a visible widget gets its resize event at once
    } else {
        QFAIL(qPrintable("unknown operation: " + operation));
    }
    QCOMPARE(widget.Viewport_Dirty(), marks);
}

void TTestDisplayWidget::Length_Volume()
{
    TDisplayWidget widget;
    QCOMPARE(widget.Length_Volume_Minimum().y, 0.0);
    QCOMPARE(widget.Length_Volume_Maximum().z, 0.0);

    widget.Add_Length_Measurement(1, TVector3(5, 100, 800), TVector3(6, 300, -50));
    widget.Add_Length_Measurement(2, TVector3(7, -20, 400), TVector3(8, 250, 900));
    const TVector3 minimum = widget.Length_Volume_Minimum();
    const TVector3 maximum = widget.Length_Volume_Maximum();
    QCOMPARE(minimum.x, 5.0);
    QCOMPARE(minimum.y, -20.0);
    QCOMPARE(minimum.z, -50.0);
    QCOMPARE(maximum.x, 5.0);
    QCOMPARE(maximum.y, 300.0);
    QCOMPARE(maximum.z, 900.0);
}

void TTestDisplayWidget::Model_Replacement()
{
    TDisplayWidget widget;
    QVERIFY(!widget.Deflection_Model());
    widget.Set_Deflection_Model(TDisplayWidget::DEFLECTION_MODEL_GENERIC);
    widget.Set_Model_Parameters(1, 2, 3, 4);
    widget.Set_Range(1500, 800);
    QCOMPARE(widget.Model_Parameter4(), 4.0);

    widget.Set_Deflection_Model(TDisplayWidget::DEFLECTION_MODEL_LK);
    QVERIFY(widget.Deflection_Model());
    QCOMPARE(widget.Model_Parameter1(), 0.0);
    QCOMPARE(widget.Model_Parameter4(), 0.0);
    QCOMPARE(widget.Deflection_Model()->Range_Y(), 1000.0);
    QCOMPARE(widget.Deflection_Model()->Range_Z(), 1000.0);

    widget.Set_Model_Parameter3(1.5);
    widget.Set_Model_Parameter4(0.00004);
    widget.Set_Model_Parameter1(0.00002);
    widget.Set_Model_Parameter2(0.00003);
    const TVector3 correction = widget.Calculate_Correction(TVector3(0, 500, 800));
    QVERIFY(std::fabs(correction.y + 0.0928421264108115) < 1e-15);
    const TVector3 gauge = widget.Get_Gauge_Point(TVector3(0, 500, 800));
    QCOMPARE(gauge.y, 500 - correction.y);
    QCOMPARE(gauge.z, 800 - correction.z);
}

void TTestDisplayWidget::Corrections_Without_Model()
{
    TDisplayWidget widget;
    const TVector3 point(1, -2, 3);
    const TVector3 gauge = widget.Get_Gauge_Point(point);
    QCOMPARE(gauge.x, 1.0);
    QCOMPARE(gauge.y, -2.0);
    QCOMPARE(gauge.z, 3.0);
    const TVector3 correction = widget.Calculate_Correction(point);
    QCOMPARE(correction.y, 0.0);
    QCOMPARE(correction.z, 0.0);

    // Setters without a model only repaint.
    widget.Set_Model_Parameters(1, 2, 3, 4);
    widget.Set_Model_Parameter1(5);
    QCOMPARE(widget.Model_Parameter1(), 0.0);
    widget.Set_Range_Y(500);
    QVERIFY(widget.Viewport_Dirty());
}

void TTestDisplayWidget::Extreme_Values_Stay_On_Canvas_data()
{
    QTest::addColumn<double>("parameter");
    QTest::addColumn<double>("range");
    QTest::addColumn<int>("exaggeration");
    QTest::addColumn<double>("gauge_end");
    QTest::newRow("nan parameters") << not_a_number << 1000.0 << 1000 << 500.0;
    QTest::newRow("infinite parameters") << inf << 1000.0 << 1000 << 500.0;
    QTest::newRow("negative infinite parameters") << -inf << 1000.0 << 1 << 500.0;
    QTest::newRow("huge ranges, huge exaggeration") << 1e6 << 1e9 << 1000 << 1e9;
    QTest::newRow("huge correction") << 1e300 << 1000.0 << 1000 << 500.0;
    QTest::newRow("infinite range") << 0.05 << inf << 1000 << 500.0;
    QTest::newRow("gauge end at infinity") << 0.05 << 1000.0 << 10 << inf;
    QTest::newRow("gauge end not a number") << 0.05 << 1000.0 << 10 << not_a_number;
}

void TTestDisplayWidget::Extreme_Values_Stay_On_Canvas()
{
    QFETCH(double, parameter);
    QFETCH(double, range);
    QFETCH(int, exaggeration);
    QFETCH(double, gauge_end);

    for (int type = 1; type <= 3; ++type) {
        TDisplayWidget widget;
        widget.Set_Deflection_Model(TDisplayWidget::TDeflectionModelType(type));
        widget.Set_Range(range, range);
        widget.Set_Model_Parameters(parameter, parameter, parameter, parameter);
        widget.Set_Exaggeration(exaggeration);
        widget.Add_Length_Measurement(1, TVector3(0, 0, 0), TVector3(0, gauge_end, gauge_end));
        widget.Add_Length_Measurement(2, TVector3(0, 10, 500), TVector3(0, 900, 500));
        widget.resize(500, 500);

        TPaintRecorder recorder(widget.size());
        recorder.Render(&widget);
        for (const TPaintRecorder::TLine &line : recorder.lines) {
            for (const QPoint &end : {line.line.p1(), line.line.p2()}) {
                QVERIFY(std::abs(end.x()) <= 1000020);
                QVERIFY(std::abs(end.y()) <= 1000020);
            }
        }
        Render(&widget); // through the real raster engine as well
    }
}

QTEST_MAIN(TTestDisplayWidget)
#include "tst_displaywidget.moc"
