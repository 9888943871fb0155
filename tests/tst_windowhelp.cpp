// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDockWidget>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTextBrowser>
#include <QToolButton>

#include "messagebox.h"
#include "userguidedialog.h"
#include "windowfixture.h"

// What the window tells a newcomer: whole numbers in every field, the selected gauge, the
// position under the mouse, the legend, the user guide and a tool tip on every control.
class TTestWindowHelp : public QObject, public TWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void Fields_Show_Whole_Values_data();
    void Fields_Show_Whole_Values();
    void Selection_Highlights_Its_Gauge();
    void Mouse_Over_The_Drawing_Shows_Position_And_Correction();
    void Legend_Explains_Colours_And_Labels();
    void User_Guide_Covers_Each_Topic();
    void Every_Control_Has_A_Tool_Tip();

private:
    // True when the field shows its text whole, without scrolling any of it out of sight.
    static bool Shows_Whole(QLineEdit *edit);
    QFont original_font;
};

void TTestWindowHelp::init()
{
    original_font = QApplication::font();
    New_Home();
}

void TTestWindowHelp::cleanup()
{
    window.reset();
    QApplication::setFont(original_font);
}

bool TTestWindowHelp::Shows_Whole(QLineEdit *edit)
{
    // Painting scrolls the text so that the cursor at its end is in sight; a text that fits
    // is not scrolled and starts inside the field.
    edit->setCursorPosition(edit->text().size());
    edit->grab();
    const int cursor = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    const int start = cursor - edit->fontMetrics().horizontalAdvance(edit->text());
    return start >= 0 && cursor < edit->width();
}

void TTestWindowHelp::Fields_Show_Whole_Values_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::newRow("the platform's font") << QString() << 0;
    QTest::newRow("a desktop's 10 pt font") << "DejaVu Sans" << 10;
}

// At the first-start size, which the layout may widen to its minimum, every number field
// shows the longest value it is written with, a minus sign included.
void TTestWindowHelp::Fields_Show_Whole_Values()
{
    QFETCH(QString, family);
    QFETCH(int, points);
    if (!family.isEmpty()) {
        QApplication::setFont(QFont(family, points));
    }
    Start();
    window->resize(801, 601);
    QTest::qWait(0);
    if (!family.isEmpty()) {
        // With the font of an ordinary desktop the fallback size still holds the window.
        QVERIFY2(window->minimumSizeHint().width() <= 901,
                 qPrintable(QString::number(window->minimumSizeHint().width())));
    }

    for (int model = 0; model < Combo()->count(); ++model) {
        Combo()->setCurrentIndex(model);
        Action("Init")->trigger();
        for (int i = 1; i <= 4; ++i) {
            QLineEdit *edit = Edit(QString("parameter%1_edit").arg(i));
            if (edit->isVisible()) {
                Type(edit, "-0.00001");
                QVERIFY2(Shows_Whole(edit), qPrintable(edit->objectName()));
            }
        }
    }
    for (const char *name : {"range_y_edit", "range_z_edit"}) {
        Type(Edit(name), "1000.000");
        QVERIFY2(Shows_Whole(Edit(name)), name);
    }

    QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    Type(Editor()->findChild<QLineEdit *>("position_y_edit"), "-999.9999");
    Type(Editor()->findChild<QLineEdit *>("position_z_edit"), "-999.9999");
    Type(Editor()->findChild<QLineEdit *>("nominal_length_edit"), "1000");
    Type(Editor()->findChild<QLineEdit *>("axis_j_edit"), "-0.6");
    Type(Editor()->findChild<QLineEdit *>("axis_k_edit"), "-0.8");
    List()->clearSelection();
    Select_Row(0);
    for (QLineEdit *edit : Editor()->findChildren<QLineEdit *>()) {
        QVERIFY2(Shows_Whole(edit), qPrintable(edit->objectName() + ": " + edit->text()));
    }
}

void TTestWindowHelp::Selection_Highlights_Its_Gauge()
{
    Start();
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
    }
    // The new measurement is selected, so its gauge is the highlighted one.
    QCOMPARE(Display()->Highlighted(), std::vector<int>{3});
    List()->clearSelection();
    QVERIFY(Display()->Highlighted().empty());
    Select_Row(0);
    Select_Row(2);
    QCOMPARE(Display()->Highlighted(), (std::vector<int>{1, 3}));
    QTest::mouseClick(window->findChild<QToolButton *>("remove_button"), Qt::LeftButton);
    QVERIFY(Display()->Highlighted().empty());
}

void TTestWindowHelp::Mouse_Over_The_Drawing_Shows_Position_And_Correction()
{
    Start();
    Action("Init")->trigger();
    QLabel *readout = window->findChild<QLabel *>("readout_label");
    QVERIFY(readout);
    QVERIFY(window->statusBar()->isVisible());
    const QPoint centre = Display()->rect().center();
    QTest::mouseMove(Display(), centre);
    QTRY_VERIFY(!readout->text().isEmpty());
    QCOMPARE(readout->text(), Display()->Readout(centre));
    QVERIFY2(readout->text().contains("correction"), qPrintable(readout->text()));

    // Leaving the drawing clears it.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Display(), &leave);
    QVERIFY(readout->text().isEmpty());
}

void TTestWindowHelp::Legend_Explains_Colours_And_Labels()
{
    Start();
    Action("What the drawing shows", "Help")->trigger();
    TMessageBox *box = window->findChild<TMessageBox *>("legend_box");
    QVERIFY(box);
    QVERIFY(box->isVisible());
    // The box does not block the window.
    QVERIFY(!QApplication::activeModalWidget());
    const QString text = box->informativeText();
    for (const char *term : {"Grey", "Red", "exaggeration", "Arrow labels", "Actual length",
                             "minus its correction", "status bar"}) {
        QVERIFY2(text.contains(term), term);
    }
}

void TTestWindowHelp::User_Guide_Covers_Each_Topic()
{
    Start();
    QVERIFY(!window->findChild<TUserGuideDialog *>());
    Action("User Guide", "Help")->trigger();
    TUserGuideDialog *guide = window->findChild<TUserGuideDialog *>();
    QVERIFY(guide);
    QVERIFY(guide->isVisible());
    const QString text = guide->Browser()->toPlainText();
    for (const char *term :
         {"Workflow", "Generic Deflection", "Renishaw Deflection", "LK Deflection", "mm/m",
          "arcsec", "MPE(L) = min(A + L / K, B)", "passes", "test plan", "parameter fit",
          "settings.ini", "measurements.xml", "decimal comma", "Undo"}) {
        QVERIFY2(text.contains(term, Qt::CaseInsensitive), term);
    }
    // Asked for again, the same window comes to the front.
    Action("User Guide", "Help")->trigger();
    QCOMPARE(window->findChildren<TUserGuideDialog *>().size(), 1);
}

void TTestWindowHelp::Every_Control_Has_A_Tool_Tip()
{
    Start();
    QList<QWidget *> controls;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const bool inner = widget->objectName().startsWith("qt_");
        if (!inner && (qobject_cast<QLineEdit *>(widget) || qobject_cast<QComboBox *>(widget) ||
                       qobject_cast<QSlider *>(widget) || qobject_cast<QSpinBox *>(widget) ||
                       qobject_cast<QListView *>(widget) || qobject_cast<QTableView *>(widget) ||
                       widget->objectName().endsWith("_button"))) {
            controls << widget;
        }
    }
    QVERIFY(controls.size() > 20);
    for (QWidget *control : controls) {
        QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
    }
    // The parameter fields name their units, and follow the model.
    QVERIFY2(Edit("parameter1_edit")->toolTip().contains("mm/m"),
             qPrintable(Edit("parameter1_edit")->toolTip()));
    Combo()->setCurrentIndex(2);
    QVERIFY2(Edit("parameter3_edit")->toolTip().contains("arcsec"),
             qPrintable(Edit("parameter3_edit")->toolTip()));
    QVERIFY(Edit("range_y_edit")->toolTip().contains("mm"));
}

QTEST_MAIN(TTestWindowHelp)
#include "tst_windowhelp.moc"
