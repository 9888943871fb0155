// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QToolBar>

#include "testimages.h"
#include "windowfixture.h"

// The window on a screen of twice the density (QT_SCALE_FACTOR=2, set for this test), started
// with the attributes the program sets: everything is drawn at the screen's resolution, and the
// tool bar takes the images made for it instead of enlarging the small ones.
class TTestHighDpi : public QObject, public TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Drawn_At_Twice_The_Density();
    void Tool_Bar_Takes_The_Sharp_Images();
};

void TTestHighDpi::init()
{
    New_Home();
    Start();
}

void TTestHighDpi::cleanup()
{
    window.reset();
}

void TTestHighDpi::Drawn_At_Twice_The_Density()
{
    QCOMPARE(window->devicePixelRatioF(), 2.0);
    Action("Init")->trigger();
    const QPixmap shot = Display()->grab();
    QCOMPARE(shot.devicePixelRatio(), 2.0);
    QCOMPARE(shot.size(), Display()->size() * 2);
    // Lines keep their exact colours: drawn at the device's pixels, not scaled up afterwards.
    const QImage image = shot.toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(Count_Colour(image, QColor(196, 0, 0)) > 0);
    QVERIFY(Count_Colour(image, QColor(164, 164, 164)) > 0);
}

void TTestHighDpi::Tool_Bar_Takes_The_Sharp_Images()
{
    for (const char *text : {"New", "Init"}) {
        QAction *action = Action(text);
        QVERIFY(action);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        const QPixmap pixmap = action->icon().pixmap(window->windowHandle(), QSize(32, 32));
#else
        const QPixmap pixmap = action->icon().pixmap(QSize(32, 32), window->devicePixelRatio());
#endif
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        QCOMPARE(pixmap.size(), QSize(64, 64));
    }
}

int main(int argc, char **argv)
{
    TCurvalo::Enable_High_Dpi();
    QApplication application(argc, argv);
    TTestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
