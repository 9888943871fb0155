// SPDX-License-Identifier: GPL-3.0-or-later
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "curvalo.h"
#include "displaywidget.h"
#include "lengthtesthome.h"
#include "measurementdata.h"

// Times loading a length test of 10,000 and one of 100,000 measurements, the store alone and
// the whole window up to its first paint, and one "+" with 100,000 in the list. Loading should grow
// linearly: 100,000 at most 12 times 10,000.
class TBenchLoad : public QObject
{
    Q_OBJECT

private slots:
    void Ratios();

private:
    struct TFigures {
        qint64 median;
        qint64 minimum;
    };
    static TFigures Figures(std::vector<qint64> times);
    static TFigures Store_Load(const QString &file, int repetitions);
    static TFigures Window_Load(const QString &home, int repetitions, TFigures *add);
};

TBenchLoad::TFigures TBenchLoad::Figures(std::vector<qint64> times)
{
    std::sort(times.begin(), times.end());
    return TFigures{times[times.size() / 2], times.front()};
}

TBenchLoad::TFigures TBenchLoad::Store_Load(const QString &file, int repetitions)
{
    std::vector<qint64> times;
    QElapsedTimer timer;
    for (int i = 0; i < repetitions; ++i) {
        TMeasurementData data;
        timer.start();
        data.Load_Data(file);
        times.push_back(timer.nsecsElapsed());
    }
    return Figures(times);
}

TBenchLoad::TFigures TBenchLoad::Window_Load(const QString &home, int repetitions, TFigures *add)
{
    qputenv("HOME", home.toLocal8Bit());
    std::vector<qint64> times;
    std::vector<qint64> adds;
    QElapsedTimer timer;
    for (int i = 0; i < repetitions; ++i) {
        timer.start();
        auto window = std::make_unique<TCurvalo>();
        window->show();
        window->findChild<TDisplayWidget *>()->repaint();
        times.push_back(timer.nsecsElapsed());

        // "+" and the repaint it asks for.
        timer.start();
        window->findChild<QToolButton *>("add_button")->click();
        window->findChild<TDisplayWidget *>()->repaint();
        adds.push_back(timer.nsecsElapsed());
        window->Close_Unattended();
    }
    *add = Figures(adds);
    return Figures(times);
}

void TBenchLoad::Ratios()
{
    const auto home_10k = Length_Test_Home(10000);
    const auto home_100k = Length_Test_Home(100000);
    // The windows first, so that they find the heap as the program does, not strewn with
    // what reading the store on this thread left behind.
    TFigures add_10k{0, 0};
    TFigures add_100k{0, 0};
    const TFigures window_10k = Window_Load(home_10k->path(), 5, &add_10k);
    const TFigures window_100k = Window_Load(home_100k->path(), 3, &add_100k);
    const TFigures store_10k = Store_Load(home_10k->filePath(".curvalo/measurements.xml"), 11);
    const TFigures store_100k = Store_Load(home_100k->filePath(".curvalo/measurements.xml"), 5);

    const auto line = [](const char *name, const TFigures &figures) {
        qInfo().noquote() << QStringLiteral("%1: median %2 ms, minimum %3 ms")
                                 .arg(QLatin1String(name))
                                 .arg(figures.median / 1e6, 0, 'f', 1)
                                 .arg(figures.minimum / 1e6, 0, 'f', 1);
    };
    line("store load, 10,000", store_10k);
    line("store load, 100,000", store_100k);
    line("window to first paint, 10,000", window_10k);
    line("window to first paint, 100,000", window_100k);
    line("\"+\" with 10,000", add_10k);
    line("\"+\" with 100,000", add_100k);
    qInfo().noquote() << QStringLiteral("ratios 100,000 / 10,000 (goal <= 12): store %1, window %2")
                             .arg(double(store_100k.median) / store_10k.median, 0, 'f', 2)
                             .arg(double(window_100k.median) / window_10k.median, 0, 'f', 2);
}

QTEST_MAIN(TBenchLoad)
#include "bench_load.moc"
