// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDialogButtonBox>
#include <QPushButton>
#include <QToolButton>
#include <QUndoStack>

#include "deflectionmodel.h"
#include "fitdialog.h"
#include "messagebox.h"
#include "testfiles.h"
#include "testplandialog.h"
#include "windowfixture.h"

// Every kind of step the user takes can be undone and redone, and each brings back exactly
// the state before (after) it: the store, the fields, the list and the drawing.
class TTestUndo : public QObject, public TWindowFixture
{
    Q_OBJECT

public:
    enum TStep {
        ADD,
        REMOVE_BUTTON,
        DELETE_KEY,
        EDIT_MEASUREMENT,
        NEW,
        INIT,
        TEST_PLAN,
        IMPORT,
        FIT,
        MODEL,
        PARAMETER,
        RANGE,
        MPE
    };
    Q_ENUM(TStep)

private slots:
    void init();
    void cleanup();
    void Undo_And_Redo_Restore_Exactly_data();
    void Undo_And_Redo_Restore_Exactly();
    void Delete_Key_In_A_Field_Keeps_The_Measurements();
    void Typing_Into_Another_Field_Is_Another_Step();
    void Undone_State_Reaches_The_File();

private:
    // What the user can see and what is stored, one line each so that a difference names
    // itself.
    QStringList State() const;
    void Do(TStep step);
    void Select_Rows(const QList<int> &rows);
    void Trigger_Edit(int position);
    template<class TDialog>
    void Run_Dialog(const QString &action, const QString &menu,
                    const std::function<void(TDialog *)> &steps);
};

namespace
{
// Eight measurements across the volume with measured lengths, so that a fit has data.
QByteArray Measured_File()
{
    const double places[][4] = {{500, 200, 1, 0}, {500, 800, 1, 0},     {200, 500, 0, 1},
                                {800, 500, 0, 1}, {500, 500, 0.6, 0.8}, {500, 500, 0.6, -0.8},
                                {300, 300, 1, 0}, {700, 700, 0, 1}};
    const double errors[] = {0.004, -0.003, 0.002, 0.006, -0.001, 0.003, 0.002, -0.004};
    QByteArray file = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<Curvalo_Measurement_Data File_Version=\"1\">\n";
    for (int i = 0; i < 8; ++i) {
        file += QStringLiteral("<Measurement><Id>%1</Id><Nominal_Length>300</Nominal_Length>"
                               "<Position>0,%2,%3</Position><Axis>0,%4,%5</Axis>"
                               "<Measured_Length>%6</Measured_Length></Measurement>\n")
                    .arg(i + 1)
                    .arg(places[i][0])
                    .arg(places[i][1])
                    .arg(places[i][2])
                    .arg(places[i][3])
                    .arg(300.0 + errors[i], 0, 'f', 4)
                    .toUtf8();
    }
    return file + "</Curvalo_Measurement_Data>\n";
}

QString Number(const double &value)
{
    return QString::number(value, 'g', 17);
}
} // namespace

void TTestUndo::init()
{
    New_Home();
    QDir().mkpath(Directory());
    Write(Directory() + "/measurements.xml", Measured_File());
    Start();
}

void TTestUndo::cleanup()
{
    window.reset();
}

QStringList TTestUndo::State() const
{
    QStringList lines;
    for (const TMeasurementData::TMeasurement &m : window->Measurement_Data().Measurements()) {
        lines << QStringLiteral("store %1: %2 %3 %4 %5 %6 %7 %8 %9")
                     .arg(m.id)
                     .arg(Number(m.position.y), Number(m.position.z), Number(m.axis.y),
                          Number(m.axis.z), Number(m.nominal_length))
                     .arg(m.has_measured_length)
                     .arg(Number(m.measured_length));
    }
    for (int row = 0; row < Rows(); ++row) {
        lines << "list: " + Row_Text(row);
    }
    for (const TDisplayWidget::TLengthMeasurement &gauge : Display()->Length_Measurements()) {
        lines << QStringLiteral("gauge %1: %2 %3 %4 %5")
                     .arg(gauge.id)
                     .arg(Number(gauge.point1.y), Number(gauge.point1.z), Number(gauge.point2.y),
                          Number(gauge.point2.z));
    }
    lines << "model: " + Combo()->currentText();
    for (const QString name :
         {"parameter1_edit", "parameter2_edit", "parameter3_edit", "parameter4_edit",
          "range_y_edit", "range_z_edit", "mpe_a_edit", "mpe_k_edit", "mpe_b_edit"}) {
        lines << QStringLiteral("%1: '%2' %3").arg(name, Edit(name)->text(), Edit(name)->toolTip());
    }
    lines << QStringLiteral("in use: %1 %2 %3 %4")
                 .arg(Number(Display()->Model_Parameter1()), Number(Display()->Model_Parameter2()),
                      Number(Display()->Model_Parameter3()), Number(Display()->Model_Parameter4()));
    const TDeflectionModel *model = Display()->Deflection_Model();
    lines
        << QStringLiteral("ranges: %1 %2").arg(Number(model->Range_Y()), Number(model->Range_Z()));
    return lines;
}

void TTestUndo::Select_Rows(const QList<int> &rows)
{
    List()->clearSelection();
    for (const int row : rows) {
        Select_Row(row);
    }
}

// Undo is the first entry of the Edit menu, Redo the second.
void TTestUndo::Trigger_Edit(int position)
{
    QMenu *edit = Menu("Edit");
    QVERIFY(edit);
    QAction *action = edit->actions().at(position);
    QVERIFY(action->isEnabled());
    action->trigger();
}

template<class TDialog>
void TTestUndo::Run_Dialog(const QString &action, const QString &menu,
                           const std::function<void(TDialog *)> &steps)
{
    bool ran = false;
    QTimer::singleShot(0, [&]() {
        TDialog *dialog = qobject_cast<TDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        ran = true;
        steps(dialog);
    });
    Action(action, menu)->trigger();
    QVERIFY(ran);
}

void TTestUndo::Do(TStep step)
{
    switch (step) {
    case ADD:
        Select_Rows({2});
        QTest::mouseClick(window->findChild<QToolButton *>("add_button"), Qt::LeftButton);
        break;
    case REMOVE_BUTTON:
        Select_Rows({1});
        QTest::mouseClick(window->findChild<QToolButton *>("remove_button"), Qt::LeftButton);
        break;
    case DELETE_KEY:
        Select_Rows({0, 3, 6});
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Delete);
        break;
    case EDIT_MEASUREMENT:
        Select_Rows({4});
        Type(Editor()->findChild<QLineEdit *>("nominal_length_edit"), "250,5");
        Type(Editor()->findChild<QLineEdit *>("position_z_edit"), "100");
        break;
    case NEW:
        Answer_Next_Box("&Yes");
        Action("New")->trigger();
        break;
    case INIT:
        Action("Init")->trigger();
        break;
    case TEST_PLAN:
        Run_Dialog<TTestPlanDialog>("Generate Test Plan\u2026", "Tools", [](TTestPlanDialog *d) {
            QTest::mouseClick(d->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        break;
    case IMPORT: {
        Write(Home_File("set.xml"), two_records);
        QStringList errors;
        QVERIFY(window->Import_Measurements(Home_File("set.xml"), true, &errors));
        break;
    }
    case FIT:
        Run_Dialog<TFitDialog>("Fit Parameters\u2026", "Tools", [](TFitDialog *dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton *>("fit_button"), Qt::LeftButton);
            QPushButton *apply = dialog->findChild<QPushButton *>("apply_button");
            QVERIFY(apply->isEnabled());
            QTest::mouseClick(apply, Qt::LeftButton);
        });
        break;
    case MODEL:
        Combo()->setFocus();
        QTest::keyClick(Combo(), Qt::Key_Down);
        break;
    case PARAMETER:
        // The text is typed key by key: one step, however many keys.
        Type(Edit("parameter2_edit"), "0,002");
        break;
    case RANGE:
        Type(Edit("range_z_edit"), "750");
        break;
    case MPE:
        Type(Edit("mpe_a_edit"), "1,5");
        Type(Edit("mpe_k_edit"), "400");
        break;
    }
}

void TTestUndo::Undo_And_Redo_Restore_Exactly_data()
{
    QTest::addColumn<TStep>("step");
    QTest::addColumn<int>("steps");
    // Parameters that differ from the presets, so that Init and New change them.
    QTest::newRow("add") << ADD << 1;
    QTest::newRow("remove") << REMOVE_BUTTON << 1;
    QTest::newRow("delete key") << DELETE_KEY << 1;
    // Two fields of the editor: two steps.
    QTest::newRow("edit measurement") << EDIT_MEASUREMENT << 2;
    QTest::newRow("new") << NEW << 1;
    QTest::newRow("init") << INIT << 1;
    QTest::newRow("test plan") << TEST_PLAN << 1;
    QTest::newRow("import") << IMPORT << 1;
    QTest::newRow("fit") << FIT << 1;
    QTest::newRow("model") << MODEL << 1;
    QTest::newRow("parameter") << PARAMETER << 1;
    QTest::newRow("range") << RANGE << 1;
    // A alone is no MPE yet: one step, when K completes it.
    QTest::newRow("mpe") << MPE << 1;
}

void TTestUndo::Undo_And_Redo_Restore_Exactly()
{
    QFETCH(TStep, step);
    QFETCH(int, steps);
    Type(Edit("parameter1_edit"), "-0,03");
    Edit("parameter1_edit")->clearFocus();
    const int start = window->Undo_Stack()->count();
    const QStringList before = State();

    Do(step);
    const QStringList after = State();
    QVERIFY(after != before);
    QCOMPARE(window->Undo_Stack()->count(), start + steps);

    for (int i = 0; i < steps; ++i) {
        Trigger_Edit(0);
    }
    QCOMPARE(State(), before);
    for (int i = 0; i < steps; ++i) {
        Trigger_Edit(1);
    }
    QCOMPARE(State(), after);
}

void TTestUndo::Delete_Key_In_A_Field_Keeps_The_Measurements()
{
    Select_Rows({0});
    QLineEdit *field = Editor()->findChild<QLineEdit *>("nominal_length_edit");
    field->setFocus();
    field->setCursorPosition(0);
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(Rows(), 8);
    QCOMPARE(int(window->Measurement_Data().Measurements().size()), 8);
    QCOMPARE(field->text(), QString("00.0000"));
}

void TTestUndo::Typing_Into_Another_Field_Is_Another_Step()
{
    const int start = window->Undo_Stack()->count();
    Type(Edit("parameter1_edit"), "0.5");
    Type(Edit("parameter1_edit"), "0.25");
    QCOMPARE(window->Undo_Stack()->count(), start + 1);
    Type(Edit("parameter2_edit"), "0.125");
    QCOMPARE(window->Undo_Stack()->count(), start + 2);
    // Back to the first field after leaving it: a step of its own.
    Type(Edit("parameter1_edit"), "0.75");
    QCOMPARE(window->Undo_Stack()->count(), start + 3);
    Trigger_Edit(0);
    QCOMPARE(Edit("parameter1_edit")->text(), QString("0.25"));
    QCOMPARE(Display()->Model_Parameter1(), 0.25);
    QCOMPARE(Display()->Model_Parameter2(), 0.125);
}

void TTestUndo::Undone_State_Reaches_The_File()
{
    Select_Rows({0});
    QTest::mouseClick(window->findChild<QToolButton *>("remove_button"), Qt::LeftButton);
    Trigger_Edit(0);
    Close();
    QCOMPARE(Read(Directory() + "/measurements.xml").count("<Measurement>"), 8);
}

QTEST_MAIN(TTestUndo)
#include "tst_undo.moc"
