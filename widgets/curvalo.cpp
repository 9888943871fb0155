// SPDX-License-Identifier: GPL-3.0-or-later
#include "curvalo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include "addmeasurementcommand.h"
#include "autosave.h"
#include "changemodelcommand.h"
#include "deflectionmodel.h"
#include "displaywidget.h"
#include "editfieldcommand.h"
#include "editmeasurementcommand.h"
#include "editmpecommand.h"
#include "exaggerationcontrol.h"
#include "fitactions.h"
#include "initcommand.h"
#include "measurementdock.h"
#include "measurementsetactions.h"
#include "messagebox.h"
#include "modelcontrols.h"
#include "newcommand.h"
#include "notices.h"
#include "picturedialog.h"
#include "pictureexporter.h"
#include "plancommand.h"
#include "removemeasurementscommand.h"
#include "reportactions.h"
#include "resultsdock.h"
#include "resultsmodel.h"
#include "separatorline.h"
#include "testdocument.h"
#include "testfileactions.h"
#include "testplandialog.h"
#include "userguidedialog.h"
#include "windowlayout.h"

namespace
{
// The home folder, or an empty path when HOME is unset or empty.
QString Home_Path()
{
    return qEnvironmentVariableIsEmpty("HOME") ? QString() : QDir::homePath();
}

enum TMenuName { MENU_FILE, MENU_EDIT, MENU_VIEW, MENU_TOOLS, MENU_HELP, MENU_COUNT };

// One entry of the menus: where it goes, what it says and does. The actions of the undo
// stack come from the stack itself and stand between Redo and Delete's separator.
struct TActionEntry {
    TMenuName menu;
    bool separator_before;
    const char *text;
    QKeySequence::StandardKey shortcut;
    const char *icon;
    const char *tip;
    void (TCurvalo::*slot)();
    QAction *TCurvalo::*member;
};
} // namespace

TCurvalo::TCurvalo(const QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(const_cast<QWidget *>(parent), flags)
    , document(new TTestDocument(this))
    , autosave(nullptr)
    , action_new(nullptr)
    , action_init(nullptr)
    , action_delete(nullptr)
    , action_save_test(nullptr)
    , readout_label(nullptr)
    , user_guide(nullptr)
    , closing_unattended(false)
    , merge_serial(0)
{
    persistence.Open(Home_Path());
    const TPersistence::TSettings stored = persistence.Load_Settings();
    document->Load_Settings(stored);
    document->Load_Measurements(&persistence);
    Restore_Geometry(stored);
    notices = new TNotices(this);

    Create_Actions_And_Menus();
    test_file_actions = new TTestFileActions(document, undo_stack, notices, this);
    test_file_actions->Restore(stored.test_file, stored.test_modified, stored.recent_tests);
    QMenu *recent = new QMenu(tr("Open Recent"), this);
    menuBar()->actions().first()->menu()->insertMenu(action_save_test, recent);
    test_file_actions->Fill_Recent_Menu(recent);
    connect(recent, &QMenu::aboutToShow, test_file_actions,
            [this, recent]() { test_file_actions->Fill_Recent_Menu(recent); });
    Create_Docks();
    Create_Central_Widget(stored.exaggeration);
    window_layout = new TWindowLayout(this, results_dock->Tabs());
    window_layout->Restore(stored.window_layout);
    readout_label = new QLabel(this);
    readout_label->setObjectName(QStringLiteral("readout_label"));
    statusBar()->addWidget(readout_label, 1);

    // Last, so that nothing above runs a slot through a signal.
    Connect_Signals();

    // Once the window is on screen.
    QTimer::singleShot(0, this, [this]() {
        notices->Tell_Start_Problems(persistence, document->Unused_Stored_Values());
    });
}

const TMeasurementData &TCurvalo::Measurement_Data() const
{
    return document->Measurement_Data();
}

void TCurvalo::Create_Actions_And_Menus()
{
    static const TActionEntry entries[] = {
        {MENU_FILE, false, QT_TRANSLATE_NOOP("TCurvalo", "New"), QKeySequence::New,
         ":/menu/file_new.png",
         QT_TRANSLATE_NOOP("TCurvalo",
                           "Delete all measurements and set the parameters to the presets"),
         &TCurvalo::Menu_New, &TCurvalo::action_new},
        {MENU_FILE, false, QT_TRANSLATE_NOOP("TCurvalo", "Init"), QKeySequence::UnknownKey,
         ":/menu/file_init.png",
         QT_TRANSLATE_NOOP("TCurvalo", "Set the parameters of the current model to its presets"),
         &TCurvalo::Menu_Init, &TCurvalo::action_init},
        {MENU_FILE, true, QT_TRANSLATE_NOOP("TCurvalo", "Open Test\u2026"), QKeySequence::Open,
         nullptr, nullptr, &TCurvalo::Menu_Open_Test, nullptr},
        {MENU_FILE, false, QT_TRANSLATE_NOOP("TCurvalo", "Save Test"), QKeySequence::Save, nullptr,
         nullptr, &TCurvalo::Menu_Save_Test, &TCurvalo::action_save_test},
        {MENU_FILE, false, QT_TRANSLATE_NOOP("TCurvalo", "Save Test As\u2026"),
         QKeySequence::SaveAs, nullptr, nullptr, &TCurvalo::Menu_Save_Test_As, nullptr},
        {MENU_FILE, false, QT_TRANSLATE_NOOP("TCurvalo", "Test Details\u2026"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Test_Details, nullptr},
        {MENU_FILE, true, QT_TRANSLATE_NOOP("TCurvalo", "Import Measurements\u2026"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Import_Measurements, nullptr},
        {MENU_FILE, false, QT_TRANSLATE_NOOP("TCurvalo", "Export Measurements\u2026"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Export_Measurements, nullptr},
        {MENU_FILE, true, QT_TRANSLATE_NOOP("TCurvalo", "Export Picture\u2026"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Export_Picture, nullptr},
        {MENU_FILE, false, QT_TRANSLATE_NOOP("TCurvalo", "Export Report\u2026"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Export_Report, nullptr},
        {MENU_FILE, false, QT_TRANSLATE_NOOP("TCurvalo", "Print Preview\u2026"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Print_Preview, nullptr},
        {MENU_FILE, false, QT_TRANSLATE_NOOP("TCurvalo", "Print\u2026"), QKeySequence::Print,
         nullptr, nullptr, &TCurvalo::Menu_Print, nullptr},
        {MENU_FILE, true, QT_TRANSLATE_NOOP("TCurvalo", "Quit"), QKeySequence::Quit, nullptr,
         nullptr, &TCurvalo::Menu_Quit, nullptr},
        {MENU_EDIT, true, QT_TRANSLATE_NOOP("TCurvalo", "Delete"), QKeySequence::Delete, nullptr,
         nullptr, &TCurvalo::Remove_Measurements, &TCurvalo::action_delete},
        {MENU_TOOLS, false, QT_TRANSLATE_NOOP("TCurvalo", "Generate Test Plan\u2026"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Test_Plan, nullptr},
        {MENU_TOOLS, false, QT_TRANSLATE_NOOP("TCurvalo", "Fit Parameters\u2026"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Fit, nullptr},
        {MENU_TOOLS, false, QT_TRANSLATE_NOOP("TCurvalo", "Compare Models\u2026"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Compare_Models, nullptr},
        {MENU_TOOLS, true, QT_TRANSLATE_NOOP("TCurvalo", "Generate Retests"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Generate_Retests, nullptr},
        // About stays first, where it always was.
        {MENU_HELP, false, QT_TRANSLATE_NOOP("TCurvalo", "About"), QKeySequence::UnknownKey,
         nullptr, nullptr, &TCurvalo::Menu_About, nullptr},
        {MENU_HELP, true, QT_TRANSLATE_NOOP("TCurvalo", "User Guide"), QKeySequence::HelpContents,
         nullptr, nullptr, &TCurvalo::Menu_User_Guide, nullptr},
        {MENU_HELP, false, QT_TRANSLATE_NOOP("TCurvalo", "What the drawing shows"),
         QKeySequence::UnknownKey, nullptr, nullptr, &TCurvalo::Menu_Drawing_Legend, nullptr},
    };
    static const char *const menu_titles[MENU_COUNT] = {
        QT_TRANSLATE_NOOP("TCurvalo", "File"), QT_TRANSLATE_NOOP("TCurvalo", "Edit"),
        QT_TRANSLATE_NOOP("TCurvalo", "View"), QT_TRANSLATE_NOOP("TCurvalo", "Tools"),
        QT_TRANSLATE_NOOP("TCurvalo", "Help")};

    QMenuBar *menu_bar = new QMenuBar(this);
    setMenuBar(menu_bar);
    QMenu *menus[MENU_COUNT];
    for (int i = 0; i < MENU_COUNT; ++i) {
        menus[i] = menu_bar->addMenu(tr(menu_titles[i]));
    }
    view_menu = menus[MENU_VIEW];

    undo_stack = new QUndoStack(this);
    // Qt's own texts, "Undo Add Measurement" and "Undo" when there is nothing to undo, come
    // in the user's language with Qt's translation.
    QAction *action_undo = undo_stack->createUndoAction(this);
    action_undo->setObjectName(QStringLiteral("action_undo"));
    action_undo->setShortcut(QKeySequence::Undo);
    QAction *action_redo = undo_stack->createRedoAction(this);
    action_redo->setObjectName(QStringLiteral("action_redo"));
    action_redo->setShortcut(QKeySequence::Redo);
    menus[MENU_EDIT]->addAction(action_undo);
    menus[MENU_EDIT]->addAction(action_redo);

    for (const TActionEntry &entry : entries) {
        if (entry.separator_before) {
            menus[entry.menu]->addSeparator();
        }
        QAction *action = new QAction(tr(entry.text), this);
        if (entry.shortcut != QKeySequence::UnknownKey) {
            action->setShortcut(entry.shortcut);
        }
        if (entry.icon) {
            action->setIcon(QIcon(QLatin1String(entry.icon)));
        }
        if (entry.tip) {
            action->setToolTip(tr(entry.tip));
        }
        connect(action, &QAction::triggered, this, entry.slot);
        if (entry.member) {
            this->*entry.member = action;
        }
        menus[entry.menu]->addAction(action);
    }
    action_delete->setEnabled(false);
    menu_bar->resize(800, 22);

    tool_bar = new QToolBar(this);
    tool_bar->setObjectName(QStringLiteral("tool_bar"));
    addToolBar(Qt::TopToolBarArea, tool_bar);
    tool_bar->addAction(action_new);
    tool_bar->addAction(action_init);
    tool_bar->addSeparator();
}

// The measurement list and editor, and the results of all measurements in a tab beside them
// so that the window keeps its size; the editor stays in front.
void TCurvalo::Create_Docks()
{
    measurement_dock = new TMeasurementDock(document, this);
    addDockWidget(Qt::LeftDockWidgetArea, measurement_dock);
    view_menu->addAction(measurement_dock->toggleViewAction());

    results_model = new TResultsModel(document, this);
    results_dock = new TResultsDock(results_model, this);
    results_dock->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(Qt::LeftDockWidgetArea, results_dock);
    tabifyDockWidget(measurement_dock, results_dock);
    measurement_dock->raise();
    view_menu->addAction(results_dock->toggleViewAction());
    Show_Mpe();
}

// The drawing over the model controls in the central grid, the notice under them, and the
// exaggeration slider in the tool bar behind its separator.
void TCurvalo::Create_Central_Widget(int exaggeration)
{
    QWidget *central_widget = new QWidget(this);
    setCentralWidget(central_widget);
    central_layout = new QGridLayout(central_widget);

    display_widget = new TDisplayWidget(central_widget);
    display_widget->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    central_layout->addWidget(display_widget, 0, 0, 1, 7);
    model_controls = new TModelControls(document, central_layout, central_widget);

    central_layout->addWidget(new TSeparatorLine(central_widget), 1, 0, 1, 10);
    central_layout->addWidget(new TSeparatorLine(central_widget), 6, 0, 1, 7);
    QFont notice_font(QStringLiteral("Verdana"), 8);
    notice_font.setStyle(QFont::StyleItalic);
    QLabel *notice_label =
        new QLabel(tr("Corrections drawn exaggerated; lengths are not."), central_widget);
    notice_label->setFont(notice_font);
    central_layout->addWidget(notice_label, 7, 0, 1, 7);

    exaggeration_control = new TExaggerationControl(tool_bar, exaggeration);
    setTabOrder(model_controls->Field_Edit(3), exaggeration_control->Slider());
    display_widget->Set_Exaggeration(exaggeration);
    display_widget->Show_Document(document);
    report_actions = new TReportActions(document, display_widget, notices, this);
    measurement_set_actions =
        new TMeasurementSetActions(document, results_model, undo_stack, notices, this);
    fit_actions = new TFitActions(document, undo_stack, this);
}

void TCurvalo::Connect_Signals()
{
    connect(display_widget, &TDisplayWidget::Readout_Changed, this, &TCurvalo::Show_Readout);
    connect(model_controls, &TModelControls::Model_Chosen, this, &TCurvalo::Model_Chosen);
    connect(model_controls, &TModelControls::Field_Edited, this, &TCurvalo::Field_Edited);
    connect(exaggeration_control, &TExaggerationControl::Changed, this,
            &TCurvalo::Exaggeration_Changed);
    connect(measurement_dock, &TMeasurementDock::Add_Requested, this, &TCurvalo::Add_Measurement);
    connect(measurement_dock, &TMeasurementDock::Remove_Requested, this,
            &TCurvalo::Remove_Measurements);
    connect(measurement_dock, &TMeasurementDock::Measurement_Edited, this,
            &TCurvalo::Measurement_Edited);
    connect(measurement_dock, &TMeasurementDock::Selection_Changed, this,
            &TCurvalo::Measurement_Selection_Changed);
    connect(results_dock, &TResultsDock::Mpe_Changed, this, &TCurvalo::Mpe_Edited);
    connect(results_dock, &TResultsDock::Rows_Selected, this, &TCurvalo::Results_Rows_Selected);
    connect(results_dock, &TResultsDock::Measured_Pasted, measurement_set_actions,
            &TMeasurementSetActions::Paste_Measured);
    connect(results_dock, &TResultsDock::Measured_Cleared, measurement_set_actions,
            &TMeasurementSetActions::Clear_Measured);
    connect(results_model, &TResultsModel::Measured_Length_Entered, this,
            &TCurvalo::Measured_Length_Entered);
    connect(document, &TTestDocument::Mpe_Changed, this, &TCurvalo::Show_Mpe);
    // Leaving a field ends the step that typing into it makes.
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        connect(edit, &QLineEdit::editingFinished, this, &TCurvalo::End_Typing_Step);
    }

    // Every change reaches the disk shortly after the last one.
    autosave = new TAutosave(
        document, &persistence,
        [this](TPersistence::TSettings *settings) {
            settings->window_position = pos();
            settings->window_size = size();
            settings->exaggeration = exaggeration_control->Value();
            settings->test_file = test_file_actions->File();
            settings->test_modified = test_file_actions->Modified();
            settings->recent_tests = test_file_actions->Recent();
            settings->window_layout = window_layout->Text();
        },
        this);
    connect(window_layout, &TWindowLayout::Changed, autosave, &TAutosave::Schedule);
    connect(autosave, &TAutosave::Unsaved_Changed, notices, &TNotices::Show_Unsaved);
    connect(autosave, &TAutosave::Failure_Told, this, [this](const QString &reason) {
        if (!closing_unattended) {
            notices->Show(tr("Changes are not saved"),
                          tr("%1\n\nCurvalo keeps trying while the window is open.").arg(reason));
        }
    });
}

void TCurvalo::Push(TStepCommand *command)
{
    TStepCommand::Push_Onto(undo_stack, command);
}

void TCurvalo::Model_Chosen(int index)
{
    Push(new TChangeModelCommand(document, index));
}

void TCurvalo::Field_Edited(int field, const QString &text)
{
    Push(new TEditFieldCommand(document, field, text, merge_serial));
}

void TCurvalo::Mpe_Edited()
{
    Push(new TEditMpeCommand(document, results_dock->Mpe(), results_dock->Mpe_Texts(),
                             merge_serial));
}

// The MPE fields follow the document where it changed without them: undo, redo, the start.
void TCurvalo::Show_Mpe()
{
    if (results_dock->Mpe_Texts() != document->Mpe_Texts() ||
        results_dock->Mpe() != document->Mpe()) {
        results_dock->Set_Mpe_Texts(document->Mpe(), document->Mpe_Texts());
    }
}

void TCurvalo::Exaggeration_Changed(int value)
{
    display_widget->Set_Exaggeration(value);
    autosave->Schedule();
}

void TCurvalo::Add_Measurement()
{
    const int id = document->Free_Id();
    Push(new TAddMeasurementCommand(document, measurement_dock->New_Measurement(id)));
    measurement_dock->Select_Id(id);
}

void TCurvalo::Remove_Measurements()
{
    const std::vector<int> ids = measurement_dock->Selected_Ids();
    if (!ids.empty()) {
        Push(new TRemoveMeasurementsCommand(document, ids));
    }
}

void TCurvalo::Measurement_Edited(const TMeasurementData::TMeasurement &measurement)
{
    Push(new TEditMeasurementCommand(document, measurement, TEditMeasurementCommand::FROM_EDITOR,
                                     merge_serial));
}

void TCurvalo::Measured_Length_Entered(const TMeasurementData::TMeasurement &measurement)
{
    Push(new TEditMeasurementCommand(document, measurement, TEditMeasurementCommand::FROM_TABLE,
                                     merge_serial));
}

void TCurvalo::Measurement_Selection_Changed(const std::vector<int> &ids)
{
    action_delete->setEnabled(!ids.empty());
    display_widget->Set_Highlighted(ids);
    // Editing another measurement is another step.
    End_Typing_Step();
    results_dock->Select_Ids(QList<int>(ids.begin(), ids.end()));
}

// Rows selected in the results table select the same measurements in the list, which shows
// a single one in the editor.
void TCurvalo::Results_Rows_Selected(const QList<int> &ids)
{
    measurement_dock->Select_Ids(ids);
}

// New and About share one box, made when it is first needed rather than before the window
// shows.
TMessageBox *TCurvalo::Message_Box()
{
    if (!message_box) {
        message_box = new TMessageBox(this);
    }
    return message_box;
}

void TCurvalo::Menu_New()
{
    TMessageBox *message_box = Message_Box();
    message_box->setText(tr("Delete Measurements"));
    message_box->setInformativeText(
        tr("Do you want to delete all measurements and reset settings?"));
    message_box->setDetailedText(QString());
    message_box->setIcon(QMessageBox::Warning);
    message_box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    message_box->setDefaultButton(QMessageBox::Yes);
    if (message_box->exec() == QMessageBox::Yes && test_file_actions->Settle_Changes()) {
        // The "reset settings" of the question: the model parameters go back to their presets.
        Push(new TNewCommand(document));
        test_file_actions->Close_File();
    }
}

void TCurvalo::Menu_Quit()
{
    close();
}

void TCurvalo::Menu_Init()
{
    Push(new TInitCommand(document));
}

// Lays out a length test for the volume in use and adds its measurements.
void TCurvalo::Menu_Test_Plan()
{
    TTestPlanDialog dialog(document->Field_Value(TTestDocument::FIELD_RANGE_Y),
                           document->Field_Value(TTestDocument::FIELD_RANGE_Z), this);
    std::array<double, 4> parameters{};
    document->Model_Parameters(document->Model_Index(), &parameters);
    dialog.Set_Model(document->Model_Type(), parameters.data());
    if (dialog.exec() == QDialog::Accepted) {
        Push(new TPlanCommand(document, dialog.Plan(), dialog.Replace()));
    }
}

// Fits the current model's parameters to the measured lengths; Apply puts them into the
// fields, each written so that it reads back as exactly the number the model then uses.
void TCurvalo::Menu_Fit()
{
    fit_actions->Fit();
}

void TCurvalo::Menu_Compare_Models()
{
    fit_actions->Compare_Models();
}

void TCurvalo::Menu_Generate_Retests()
{
    measurement_set_actions->Generate_Retests();
}

void TCurvalo::closeEvent(QCloseEvent *event)
{
    // The question below tells about a failure; no notice comes first.
    if (!autosave->Save(true, false) && persistence.Writable() && !closing_unattended &&
        !notices->Close_Without_Saving(persistence.Last_Error())) {
        event->ignore();
        return;
    }
    autosave->Stop();
    event->accept();
}

void TCurvalo::Enable_High_Dpi()
{
    // Sharp on screens of higher density: the window scales by the screen's factor and takes
    // the @2x images where there are any. Screens of ordinary density are drawn as before.
    // Qt 6 always does both.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
}

TCurvalo::~TCurvalo()
{
    // The children outlive this part of the object: a field losing its focus while the window
    // is taken down must not call a slot of a window that is no longer there.
    for (const QObject *child : findChildren<QObject *>()) {
        disconnect(child, nullptr, this, nullptr);
    }
}

void TCurvalo::Restore_Geometry(const TPersistence::TSettings &stored)
{
    QRect visible(stored.window_position, stored.window_size);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        visible = visible.intersected(screen->availableGeometry());
    }
    if (visible.isValid() && visible.right() - visible.left() > 99 &&
        visible.bottom() - visible.top() > 99) {
        resize(visible.size());
        move(visible.topLeft());
    } else {
        resize(901, 901);
        move(30, 30);
    }
}

bool TCurvalo::Settings_Folder_In_Use() const
{
    return persistence.Lock_State() == TPersistence::LOCK_HELD_ELSEWHERE;
}

void TCurvalo::Tell_Settings_Folder_In_Use()
{
    TNotices::Tell_Folder_In_Use(persistence.Directory());
}

void TCurvalo::Show_Readout(const QString &text)
{
    readout_label->setText(text);
}

void TCurvalo::Close_Unattended()
{
    closing_unattended = true;
    close();
}

bool TCurvalo::event(QEvent *event)
{
    // The geometry is saved like any other change.
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && autosave) {
        autosave->Schedule();
    }
    return QMainWindow::event(event);
}

bool TCurvalo::Export_Picture(const QString &file_name, const QSize &size, int png_scale,
                              QString *error) const
{
    const TScenePainter::TScene scene{display_widget->Deflection_Model(),
                                      display_widget->Exaggeration(),
                                      &display_widget->Length_Measurements()};
    return TPictureExporter::Export(file_name, scene, size, display_widget->font(), png_scale,
                                    error);
}

bool TCurvalo::Export_Report(const QString &file_name, QString *error) const
{
    return report_actions->Report()->Export(file_name, error);
}

void TCurvalo::Menu_Export_Picture()
{
    const QString file = QFileDialog::getSaveFileName(
        this, tr("Export Picture"), QString(),
        tr("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"));
    if (file.isEmpty()) {
        return;
    }
    TPictureDialog dialog(display_widget->size(),
                          file.endsWith(QLatin1String(".png"), Qt::CaseInsensitive), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QString error;
    if (!Export_Picture(file, dialog.Picture_Size(), dialog.Scale(), &error)) {
        notices->Show(tr("The picture was not exported"), error);
    }
}

bool TCurvalo::Export_Measurements(const QString &file_name, QString *error) const
{
    return measurement_set_actions->Export_File(file_name, error);
}

bool TCurvalo::Import_Measurements(const QString &file_name, bool replace, QStringList *errors)
{
    return measurement_set_actions->Import_File(file_name, replace, errors);
}

void TCurvalo::Tell_Open_Failure(const QString &reason)
{
    notices->Show(tr("The test was not opened"), reason);
}

void TCurvalo::Menu_Import_Measurements()
{
    measurement_set_actions->Import();
}

void TCurvalo::Menu_Export_Measurements()
{
    measurement_set_actions->Export();
}

void TCurvalo::Menu_Open_Test()
{
    test_file_actions->Open();
}

void TCurvalo::Menu_Save_Test()
{
    test_file_actions->Save();
}

void TCurvalo::Menu_Test_Details()
{
    report_actions->Edit_Test_Details();
}

void TCurvalo::Menu_Save_Test_As()
{
    test_file_actions->Save_As();
}

bool TCurvalo::Open_Test(const QString &file_name, QString *error)
{
    return test_file_actions->Open_File(file_name, error);
}

bool TCurvalo::Save_Test(const QString &file_name, QString *error)
{
    return test_file_actions->Save_File(file_name, error);
}

void TCurvalo::Menu_Export_Report()
{
    report_actions->Export();
}

void TCurvalo::Menu_Print()
{
    report_actions->Print();
}

void TCurvalo::Menu_Print_Preview()
{
    report_actions->Print_Preview();
}

void TCurvalo::Menu_About()
{
    TMessageBox *message_box = Message_Box();
    message_box->setText(tr("Help - About"));
    message_box->setInformativeText(tr("Curvalo - Version 2.0"));
    message_box->setDetailedText(QString());
    message_box->setIcon(QMessageBox::Information);
    message_box->setStandardButtons(QMessageBox::Ok);
    message_box->setDefaultButton(QMessageBox::Ok);
    message_box->exec();
}

void TCurvalo::Menu_Drawing_Legend()
{
    TUserGuideDialog::Show_Drawing_Legend(this);
}

void TCurvalo::Menu_User_Guide()
{
    if (!user_guide) {
        user_guide = new TUserGuideDialog(this, Qt::Window);
    }
    user_guide->show();
    user_guide->raise();
    user_guide->activateWindow();
}

void TCurvalo::End_Typing_Step()
{
    ++merge_serial;
}
