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
// The two windows are open side by side and each action is timed on one, then on the other,
// sample by sample: this machine's pace doubles and halves again every second or so, and a
// ratio is the median of the ratios of samples taken next to each other, so that both sides
// of each meet the same pace. The two keystrokes are timed with 100,000 measurements as well, where
// each should take at most 50 ms.
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
    // A window with its length test, and what the benchmark drives in it.
    struct TSubject {
        std::unique_ptr<QTemporaryDir> home;
        std::unique_ptr<TCurvalo> window;
        TAutosave *autosave = nullptr;
        QListView *list = nullptr;
        QLineEdit *parameter = nullptr;
        QToolButton *add = nullptr;
        TDisplayWidget *display = nullptr;
        TFigures figures;
        // Each figure over the first window's, the median of the ratios of their samples.
        TFigures ratios;
        // The keystroke that moves gauges over the full paint right after it.
        double keystroke_per_paint = 0.0;
        // Keystrokes timed as moving gauges that moved none after all.
        int keystrokes_moving_nothing = 0;
    };
    // How long one sample of an action took on a window, in ns: one time for each figure it
    // gives.
    using TAction = std::function<std::vector<qint64>(TSubject *subject, int sample)>;
    // For each window, for each figure, the times of its samples in ns.
    using TSamples = std::vector<std::vector<std::vector<qint64>>>;

    static std::unique_ptr<TSubject> Open(int count);
    // Times the action on each window in turn, sample by sample, and gives each window the
    // median of its samples for each figure and the median of their ratios to the first
    // window's; returns the samples.
    static TSamples Time(const std::vector<TSubject *> &subjects, int samples,
                         const std::function<void(TSubject *subject)> &prepare,
                         const TAction &action, const std::vector<double TFigures::*> &figures);
    static void Time_Keystrokes(const std::vector<TSubject *> &subjects, int samples);
    static void Time_Others(const std::vector<TSubject *> &subjects);
    // Runs what the event loop has to do until nothing is left.
    static void Settle();
    // Settles, and waits for the display's picture to follow the last change.
    static void Settle_Picture(const TDisplayWidget *display);
    // How long the action takes until the window has settled, in ns.
    static qint64 Timed(const std::function<void()> &action);
    static qint64 Autosave_Stall(TSubject *subject);
    static double Median_Ms(std::vector<qint64> times);
    // The median of the ratios of the samples, sample by sample.
    static double Median_Ratio(const std::vector<qint64> &above, const std::vector<qint64> &below);
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

double TBenchActions::Median_Ratio(const std::vector<qint64> &above,
                                   const std::vector<qint64> &below)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < above.size() && i < below.size(); ++i) {
        ratios.push_back(double(above[i]) / double(std::max<qint64>(below[i], 1)));
    }
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 2];
}

qint64 TBenchActions::Timed(const std::function<void()> &action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    Settle();
    return timer.nsecsElapsed();
}

std::unique_ptr<TBenchActions::TSubject> TBenchActions::Open(int count)
{
    auto subject = std::make_unique<TSubject>();
    subject->home = Length_Test_Home(count);
    // The window reads its home once, as it opens.
    qputenv("HOME", subject->home->path().toLocal8Bit());
    subject->window = std::make_unique<TCurvalo>();
    TCurvalo &window = *subject->window;
    window.resize(1200, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        qFatal("the window is not shown");
    }
    Settle();
    subject->autosave = window.findChild<TAutosave *>();
    subject->list = window.findChild<QListView *>("measurement_list");
    subject->parameter = window.findChild<QLineEdit *>("parameter1_edit");
    subject->add = window.findChild<QToolButton *>("add_button");
    subject->display = window.findChild<TDisplayWidget *>();
    if (!subject->autosave || !subject->list || !subject->parameter || !subject->add ||
        !subject->display) {
        qFatal("the window lacks what the benchmark drives");
    }
    return subject;
}

TBenchActions::TSamples TBenchActions::Time(const std::vector<TSubject *> &subjects, int samples,
                                            const std::function<void(TSubject *subject)> &prepare,
                                            const TAction &action,
                                            const std::vector<double TFigures::*> &figures)
{
    TSamples times(subjects.size(), std::vector<std::vector<qint64>>(figures.size()));
    for (TSubject *subject : subjects) {
        if (prepare) {
            prepare(subject);
        }
    }
    for (int i = 0; i < samples; ++i) {
        for (size_t s = 0; s < subjects.size(); ++s) {
            const std::vector<qint64> sample = action(subjects[s], i);
            for (size_t f = 0; f < figures.size(); ++f) {
                times[s][f].push_back(sample.at(f));
            }
        }
    }
    for (size_t s = 0; s < subjects.size(); ++s) {
        for (size_t f = 0; f < figures.size(); ++f) {
            subjects[s]->figures.*figures[f] = Median_Ms(times[s][f]);
            subjects[s]->ratios.*figures[f] = Median_Ratio(times[s][f], times[0][f]);
        }
    }
    return times;
}

void TBenchActions::Time_Keystrokes(const std::vector<TSubject *> &subjects, int samples)
{
    // A digit in the fifth decimal and its removal: the parameter moves and comes back, and no
    // gauge moves by a pixel at exaggeration 1.
    const auto text = [](const char *value) {
        return [value](TSubject *subject) {
            subject->parameter->setText(value);
            Settle_Picture(subject->display);
        };
    };
    Time(subjects, samples, text("-0.0500"),
         [](TSubject *subject, int i) {
             return std::vector<qint64>{Timed([subject, i]() {
                 QTest::keyClick(subject->parameter, i % 2 ? Qt::Key_Backspace : Qt::Key_3);
             })};
         },
         {&TFigures::keystroke_still});
    // A digit in the third decimal: a few of 10,000 gauges move by a pixel. Each digit timed
    // differs from the one before by four or five, so that each is a value not shown just
    // before (the display goes back to the picture it showed before cheaply) and far enough
    // from it to move gauges; the Backspace between is not timed. Right after it, one full
    // paint of the same scene, for the keystroke to be held to.
    const TSamples moving =
        Time(subjects, samples, text("-0.05"),
             [](TSubject *subject, int i) {
                 if (i > 0) {
                     QTest::keyClick(subject->parameter, Qt::Key_Backspace);
                     Settle();
                 }
                 const int paints = subject->display->Full_Paints();
                 const qint64 keystroke = Timed([subject, i]() {
                     QTest::keyClick(subject->parameter, Qt::Key(Qt::Key_1 + i * 4 % 9));
                 });
                 if (subject->display->Full_Paints() == paints) {
                     ++subject->keystrokes_moving_nothing;
                 }
                 const qint64 full_paint = Timed([subject]() {
                     QEvent palette_change(QEvent::PaletteChange);
                     QCoreApplication::sendEvent(subject->display, &palette_change);
                     subject->display->repaint();
                 });
                 return std::vector<qint64>{keystroke, full_paint};
             },
             {&TFigures::keystroke, &TFigures::full_paint});
    for (size_t s = 0; s < subjects.size(); ++s) {
        subjects[s]->keystroke_per_paint = Median_Ratio(moving[s][0], moving[s][1]);
    }
    Time(subjects, samples, text("-0.05"),
         [](TSubject *subject, int i) {
             if (i > 0) {
                 QTest::keyClick(subject->parameter, Qt::Key_Backspace);
                 Settle_Picture(subject->display);
             }
             return std::vector<qint64>{Timed([subject, i]() {
                 QTest::keyClick(subject->parameter, Qt::Key(Qt::Key_1 + i * 4 % 9));
                 Settle_Picture(subject->display);
             })};
         },
         {&TFigures::keystroke_shown});
}

void TBenchActions::Time_Others(const std::vector<TSubject *> &subjects)
{
    Time(subjects, 21, nullptr,
         [](TSubject *subject, int i) {
             return std::vector<qint64>{
                 Timed([subject, i]() { Set_Current_Row(subject->list, (i * 37) % 100); })};
         },
         {&TFigures::select});
    // "+" while a measurement is shown adds its duplicate, where a plan is extended; with none
    // shown it adds one at the origin, which can lay the whole picture out anew. Each "+" is
    // undone, timed as well.
    Time(subjects, 21, nullptr,
         [](TSubject *subject, int i) {
             Set_Current_Row(subject->list, (i * 37) % 100);
             Settle();
             const qint64 add = Timed([subject]() { subject->add->click(); });
             const qint64 undo = Timed([subject]() { subject->window->Undo_Stack()->undo(); });
             return std::vector<qint64>{add, undo};
         },
         {&TFigures::add, &TFigures::undo});
    Time(subjects, 7, nullptr,
         [](TSubject *subject, int) {
             subject->add->click();
             Settle();
             return std::vector<qint64>{Autosave_Stall(subject)};
         },
         {&TFigures::autosave_stall});
}

// The autosave after an edit: how long the window's event loop is kept from answering, from
// the moment the save starts until its file is written and told. The loop idles as a window's
// does, and a timer due every millisecond measures how late it comes: a loop spinning on its
// own would be taken off its core now and then for a scheduler's tick (4 ms here) while the
// writer has the other one, which is not the save's doing.
qint64 TBenchActions::Autosave_Stall(TSubject *subject)
{
    TAutosave *autosave = subject->autosave;
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
    return std::max<qint64>(longest, 0);
}

void TBenchActions::Ratios()
{
    const std::unique_ptr<TSubject> small_list = Open(105);
    const std::unique_ptr<TSubject> large_list = Open(10000);
    const std::vector<TSubject *> both = {small_list.get(), large_list.get()};
    Time_Keystrokes(both, 21);
    Time_Others(both);
    const TFigures small = small_list->figures;
    const TFigures large = large_list->figures;
    const TFigures ratios = large_list->ratios;
    const double keystroke_per_paint = large_list->keystroke_per_paint;
    const int moving_nothing = large_list->keystrokes_moving_nothing;
    small_list->window->Close_Unattended();
    large_list->window->Close_Unattended();
    const auto line = [&small, &large, &ratios](const char *name, double TFigures::*figure) {
        qInfo().noquote() << QStringLiteral("| %1 | %2 ms | %3 ms | %4 |")
                                 .arg(QLatin1String(name))
                                 .arg(small.*figure, 0, 'f', 1)
                                 .arg(large.*figure, 0, 'f', 1)
                                 .arg(ratios.*figure, 0, 'f', 2);
    };
    qInfo().noquote() << "| action | 105 measurements | 10,000 | ratio |";
    qInfo().noquote() << "|---|---|---|---|";
    line("keystroke in a parameter field, no gauge moves a pixel", &TFigures::keystroke_still);
    line("keystroke in a parameter field, gauges move", &TFigures::keystroke);
    line("selecting a measurement", &TFigures::select);
    line("\"+\"", &TFigures::add);
    line("undo", &TFigures::undo);
    line("longest stall while the autosave runs", &TFigures::autosave_stall);
    line("(a full paint of the display, for the keystroke that moves gauges)",
         &TFigures::full_paint);
    qInfo().noquote() << QStringLiteral("keystroke that moves gauges / full paint at 10,000: %1%2")
                             .arg(keystroke_per_paint, 0, 'f', 2)
                             .arg(moving_nothing == 0
                                      ? QString()
                                      : QStringLiteral(" (%1 of the keystrokes moved no gauge)")
                                            .arg(moving_nothing));
    const std::unique_ptr<TSubject> huge_list = Open(100000);
    Time_Keystrokes({huge_list.get()}, 7);
    huge_list->window->Close_Unattended();
    const TFigures huge = huge_list->figures;
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
