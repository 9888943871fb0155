// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "autosave.h"
#include "curvalo.h"
#include "displaywidget.h"
#include "lengthtesthome.h"

// Times what the user does in the window, at 1200 x 900 on the offscreen platform, with a
// length test of 105 measurements and one of 10,000, and prints each action's median and the
// ratio between the two. The gauges are a length test's: 650 to 700 mm long, along Y, Z and
// both diagonals, at exaggeration 1. An action counts until the window has painted and
// settled again. The autosave's figure is the longest the event loop waits while it runs.
// The two keystrokes are timed with 100,000 measurements as well, where each should take at
// most 50 ms.
//     QT_QPA_PLATFORM=offscreen build/bench/bench/bench_actions Ratios
class TBenchActions : public QObject
{
    Q_OBJECT

private slots:
    void Ratios();

private:
    struct TFigures {
        double keystroke_still = 0.0; // ms
        double keystroke = 0.0;
        double select = 0.0;
        double add = 0.0;
        double undo = 0.0;
        double autosave_stall = 0.0;
        double full_paint = 0.0; // the display painted afresh, nothing else
        // From the keystroke that moves gauges until the window shows their new picture,
        // which a long list has painted on a thread of its own.
        double keystroke_shown = 0.0;
    };
    // With keystrokes_only, the two keystrokes and the full paint alone, fewer times.
    static TFigures Measure(int count, bool keystrokes_only = false);
    // Runs what the event loop has to do until nothing is left.
    static void Settle();
    // Settles, and waits for the display's picture to follow the last change.
    static void Settle_Picture(const TDisplayWidget *display);
    static double Median_Ms(std::vector<qint64> times);
    // Each figure's median over the runs.
    static TFigures Median_Figures(const std::vector<TFigures> &runs);
    // Makes the row of the measurement list current and selected, as an arrow key does.
    static void Set_Current_Row(QListView *list, int row);
};

void TBenchActions::Set_Current_Row(QListView *list, int row)
{
    list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                            QItemSelectionModel::SelectCurrent);
}

void TBenchActions::Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void TBenchActions::Settle_Picture(const TDisplayWidget *display)
{
    Settle();
    // A base painted on its own thread is compared with the scene when it is done, and the
    // next one begun where the scene changed meanwhile.
    while (display->Painting_In_Background()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        Settle();
    }
}

double TBenchActions::Median_Ms(std::vector<qint64> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2] / 1e6;
}

TBenchActions::TFigures TBenchActions::Measure(int count, bool keystrokes_only)
{
    const auto home = Length_Test_Home(count);
    qputenv("HOME", home->path().toLocal8Bit());
    TCurvalo window;
    window.resize(1200, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        qFatal("the window is not shown");
    }
    Settle();
    TAutosave *autosave = window.findChild<TAutosave *>();
    QListView *list = window.findChild<QListView *>("measurement_list");
    QLineEdit *parameter = window.findChild<QLineEdit *>("parameter1_edit");
    QToolButton *add = window.findChild<QToolButton *>("add_button");
    if (!autosave || !list || !parameter || !add) {
        qFatal("the window lacks what the benchmark drives");
    }
    const auto timed = [](const std::function<void()> &action) {
        QElapsedTimer timer;
        timer.start();
        action();
        Settle();
        return timer.nsecsElapsed();
    };

    TFigures figures;
    std::vector<qint64> times;
    const int samples = keystrokes_only ? 7 : 21;
    parameter->setFocus();
    // A digit in the fifth decimal and its removal: the parameter moves and comes back, and no
    // gauge moves by a pixel at exaggeration 1.
    parameter->setText("-0.0500");
    for (int i = 0; i < samples; ++i) {
        times.push_back(timed([parameter, i]() {
            QTest::keyClick(parameter, i % 2 ? Qt::Key_Backspace : Qt::Key_3);
        }));
    }
    figures.keystroke_still = Median_Ms(times);
    // A digit in the third decimal: a few of 10,000 gauges move by a pixel. Each digit timed
    // differs from the one before, so that each is a value not shown just before (the display
    // goes back to the picture it showed before cheaply); the Backspace between is not timed.
    times.clear();
    parameter->setText("-0.05");
    for (int i = 0; i < samples; ++i) {
        if (i > 0) {
            QTest::keyClick(parameter, Qt::Key_Backspace);
            Settle();
        }
        times.push_back(
            timed([parameter, i]() { QTest::keyClick(parameter, Qt::Key(Qt::Key_1 + i % 9)); }));
    }
    figures.keystroke = Median_Ms(times);

    // One full paint of the same scene, for the keystroke that moves gauges to be held to.
    TDisplayWidget *display = window.findChild<TDisplayWidget *>();
    if (!display) {
        qFatal("the window has no display");
    }
    times.clear();
    for (int i = 0; i < samples; ++i) {
        times.push_back(timed([display]() {
            QEvent palette_change(QEvent::PaletteChange);
            QCoreApplication::sendEvent(display, &palette_change);
            display->repaint();
        }));
    }
    figures.full_paint = Median_Ms(times);

    times.clear();
    parameter->setText("-0.05");
    Settle_Picture(display);
    for (int i = 0; i < samples; ++i) {
        if (i > 0) {
            QTest::keyClick(parameter, Qt::Key_Backspace);
            Settle_Picture(display);
        }
        times.push_back(timed([parameter, display, i]() {
            QTest::keyClick(parameter, Qt::Key(Qt::Key_1 + i % 9));
            Settle_Picture(display);
        }));
    }
    figures.keystroke_shown = Median_Ms(times);
    if (keystrokes_only) {
        window.Close_Unattended();
        return figures;
    }

    times.clear();
    for (int i = 0; i < 21; ++i) {
        times.push_back(timed([list, i]() { Set_Current_Row(list, (i * 37) % 100); }));
    }
    figures.select = Median_Ms(times);

    times.clear();
    std::vector<qint64> undo_times;
    for (int i = 0; i < 21; ++i) {
        // "+" while a measurement is shown adds its duplicate, where a plan is extended; with
        // none shown it adds one at the origin, which can lay the whole picture out anew.
        Set_Current_Row(list, (i * 37) % 100);
        Settle();
        times.push_back(timed([add]() { add->click(); }));
        undo_times.push_back(timed([&window]() { window.Undo_Stack()->undo(); }));
    }
    figures.add = Median_Ms(times);
    figures.undo = Median_Ms(undo_times);

    // The autosave after an edit: how long the window's event loop is kept from answering,
    // from the moment the save starts until its file is written and told. The loop idles as a
    // window's does, and a timer due every millisecond measures how late it comes: a loop
    // spinning on its own would be taken off its core now and then for a scheduler's tick
    // (4 ms here) while the writer has the other one, which is not the save's doing.
    times.clear();
    for (int i = 0; i < 7; ++i) {
        add->click();
        Settle();
        autosave->Stop();
        QElapsedTimer timer;
        timer.start();
        QMetaObject::invokeMethod(autosave, "Save_Scheduled");
        qint64 longest = timer.nsecsElapsed();
        QEventLoop loop;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, &loop, [&]() {
            longest = std::max(longest, timer.nsecsElapsed() - 1000000);
            timer.start();
            if (!autosave->Writing()) {
                loop.quit();
            }
        });
        timer.start();
        tick.start();
        loop.exec();
        times.push_back(std::max<qint64>(longest, 0));
    }
    figures.autosave_stall = Median_Ms(times);
    window.Close_Unattended();
    return figures;
}

TBenchActions::TFigures TBenchActions::Median_Figures(const std::vector<TFigures> &runs)
{
    TFigures median;
    for (double TFigures::*figure :
         {&TFigures::keystroke_still, &TFigures::keystroke, &TFigures::select, &TFigures::add,
          &TFigures::undo, &TFigures::autosave_stall, &TFigures::full_paint,
          &TFigures::keystroke_shown}) {
        std::vector<double> values;
        for (const TFigures &run : runs) {
            values.push_back(run.*figure);
        }
        std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(values.size() / 2),
                         values.end());
        median.*figure = values[values.size() / 2];
    }
    return median;
}

void TBenchActions::Ratios()
{
    // The machine's pace drifts over seconds: the two lists are measured in turn, three times
    // each, and every figure is the median of its three, so that both sides of a ratio share
    // the drift.
    std::vector<TFigures> small_runs;
    std::vector<TFigures> large_runs;
    for (int round = 0; round < 3; ++round) {
        small_runs.push_back(Measure(105));
        large_runs.push_back(Measure(10000));
    }
    const TFigures small = Median_Figures(small_runs);
    const TFigures large = Median_Figures(large_runs);
    const auto line = [](const char *name, const double &a, const double &b) {
        qInfo().noquote() << QStringLiteral("| %1 | %2 ms | %3 ms | %4 |")
                                 .arg(QLatin1String(name))
                                 .arg(a, 0, 'f', 1)
                                 .arg(b, 0, 'f', 1)
                                 .arg(b / a, 0, 'f', 2);
    };
    qInfo().noquote() << "| action | 105 measurements | 10,000 | ratio |";
    qInfo().noquote() << "|---|---|---|---|";
    line("keystroke in a parameter field, no gauge moves a pixel", small.keystroke_still,
         large.keystroke_still);
    line("keystroke in a parameter field, gauges move", small.keystroke, large.keystroke);
    line("selecting a measurement", small.select, large.select);
    line("\"+\"", small.add, large.add);
    line("undo", small.undo, large.undo);
    line("longest stall while the autosave runs", small.autosave_stall, large.autosave_stall);
    line("(a full paint of the display, for the keystroke that moves gauges)", small.full_paint,
         large.full_paint);
    qInfo().noquote() << QStringLiteral("keystroke that moves gauges / full paint at 10,000: %1")
                             .arg(large.keystroke / large.full_paint, 0, 'f', 2);
    const TFigures huge = Measure(100000, true);
    qInfo().noquote() << QStringLiteral("with 100,000 measurements (goal <= 50 ms): keystroke, no "
                                        "gauge moves a pixel %1 ms; gauges move %2 ms (a full "
                                        "paint %3 ms)")
                             .arg(huge.keystroke_still, 0, 'f', 1)
                             .arg(huge.keystroke, 0, 'f', 1)
                             .arg(huge.full_paint, 0, 'f', 1);
    qInfo().noquote() << QStringLiteral("with 100,000 measurements the new picture is shown %1 ms "
                                        "after a keystroke that moves gauges, painted on its own "
                                        "thread (10,000: %2 ms, painted at once)")
                             .arg(huge.keystroke_shown, 0, 'f', 1)
                             .arg(large.keystroke_shown, 0, 'f', 1);
}

QTEST_MAIN(TBenchActions)
#include "bench_actions.moc"
