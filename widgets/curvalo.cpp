// SPDX-License-Identifier: GPL-3.0-or-later
#include "curvalo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFont>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSlider>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include "deflectionmodel.h"
#include "displaywidget.h"
#include "errorchartpainter.h"
#include "evaluation.h"
#include "fieldmark.h"
#include "fieldwidth.h"
#include "filewriter.h"
#include "fitdialog.h"
#include "measurementeditwidget.h"
#include "measurementsetfile.h"
#include "messagebox.h"
#include "modelcatalog.h"
#include "numbertext.h"
#include "picturedialog.h"
#include "pictureexporter.h"
#include "reportdialog.h"
#include "reportwriter.h"
#include "resultsdock.h"
#include "resultsfile.h"
#include "resultsmodel.h"
#include "separatorline.h"
#include "testplan.h"
#include "testplandialog.h"
#include "userguidedialog.h"

namespace
{
// Numbers in the fields are read locale-independently; text that does not parse gives the
// fallback.
double Field_Value(const QLineEdit *edit, const double &fallback)
{
    double value = fallback;
    TNumberText::Read_Typed(edit->text(), &value);
    return value;
}

QLineEdit *Create_Centred_Edit(QWidget *parent, const QString &name)
{
    QLineEdit *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

// Autosave waits this long after the last change, so that a burst of typing is one write.
const int autosave_delay_ms = 1000;
// After a failed save, the next attempt comes this much later.
const int autosave_retry_ms = 2000;

// Steps that merge while the user types into one field; any other step has no key.
enum TMergeKey : int {
    MERGE_PARAMETER = 1, // up to MERGE_PARAMETER + 3
    MERGE_RANGE_Y = 5,
    MERGE_RANGE_Z = 6,
    MERGE_EDITOR = 7,
    MERGE_MPE = 8
};

// A message as rich text: markup in it shows literally, and line breaks stay.
QString Rich(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

// The home folder, or an empty path when HOME is unset or empty.
QString Home_Path()
{
    return qEnvironmentVariableIsEmpty("HOME") ? QString() : QDir::homePath();
}

QLabel *Create_Label(QWidget *parent, const QString &name, Qt::Alignment alignment)
{
    QLabel *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(alignment);
    return label;
}
} // namespace

TCurvalo::TCurvalo(const QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(const_cast<QWidget *>(parent), flags)
    , unsaved_label(nullptr)
    , readout_label(nullptr)
    , user_guide(nullptr)
    , autosave_timer(nullptr)
    , save_failure_told(false)
    , closing_unattended(false)
    , merge_serial(0)
    , recording(false)
{
    persistence.Open(Home_Path());
    const TPersistence::TSettings stored = persistence.Load_Settings();
    for (int i = 0; i < 4; ++i) {
        stored_parameters[i] = stored.parameters[i];
    }
    report_details[0] = stored.report_title;
    report_details[1] = stored.report_machine;
    report_details[2] = stored.report_operator;
    report_details[3] = stored.report_notes;
    Restore_Geometry(stored);
    message_box = new TMessageBox(this);

    Create_Actions_And_Menus();
    Create_Dock();
    Create_Results_Dock();
    Create_Model_Controls();
    readout_label = new QLabel(this);
    readout_label->setObjectName(QStringLiteral("readout_label"));
    statusBar()->addWidget(readout_label, 1);
    Set_Texts();

    Restore_Fields(stored);
    Load_Measurements();
    Restore_Model(stored);

    // Last, so that nothing above runs a slot through a signal.
    Connect_Signals();
    recorded_measurements = measurement_data.Measurements();
    recorded_fields = Current_Fields();
    recording = true;

    // Once the window is on screen.
    QTimer::singleShot(0, this, &TCurvalo::Tell_Start_Problems);
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

// The stored geometry, clipped to the primary screen's available area; a window that would
// keep less than 101 x 101 pixels there comes back at 901 x 901 at (30, 30).
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

void TCurvalo::Create_Actions_And_Menus()
{
    action_new = new QAction(this);
    action_new->setShortcut(QKeySequence::New);
    action_new->setIcon(QIcon(QStringLiteral(":/menu/file_new.png")));
    action_init = new QAction(this);
    action_init->setIcon(QIcon(QStringLiteral(":/menu/file_init.png")));
    action_quit = new QAction(this);
    action_quit->setShortcut(QKeySequence::Quit);
    action_about = new QAction(this);
    action_user_guide = new QAction(this);
    action_user_guide->setShortcut(QKeySequence::HelpContents);
    action_legend = new QAction(this);
    action_test_plan = new QAction(this);
    action_fit = new QAction(this);
    action_export_picture = new QAction(this);
    action_export_report = new QAction(this);
    action_print = new QAction(this);
    action_print->setShortcut(QKeySequence::Print);
    action_print_preview = new QAction(this);
    action_import = new QAction(this);
    action_export = new QAction(this);
    undo_stack = new QUndoStack(this);
    // Qt's own texts, "Undo Add Measurement" and "Undo" when there is nothing to undo, come
    // in the user's language with Qt's translation.
    action_undo = undo_stack->createUndoAction(this);
    action_undo->setObjectName(QStringLiteral("action_undo"));
    action_undo->setShortcut(QKeySequence::Undo);
    action_redo = undo_stack->createRedoAction(this);
    action_redo->setObjectName(QStringLiteral("action_redo"));
    action_redo->setShortcut(QKeySequence::Redo);
    action_delete = new QAction(this);
    action_delete->setShortcut(QKeySequence::Delete);
    action_delete->setEnabled(false);

    QMenuBar *menu_bar = new QMenuBar(this);
    setMenuBar(menu_bar);
    file_menu = menu_bar->addMenu(QString());
    edit_menu = menu_bar->addMenu(QString());
    view_menu = menu_bar->addMenu(QString());
    tools_menu = menu_bar->addMenu(QString());
    help_menu = menu_bar->addMenu(QString());
    tools_menu->addAction(action_test_plan);
    tools_menu->addAction(action_fit);
    file_menu->addAction(action_new);
    file_menu->addAction(action_init);
    file_menu->addSeparator();
    file_menu->addAction(action_import);
    file_menu->addAction(action_export);
    file_menu->addSeparator();
    file_menu->addAction(action_export_picture);
    file_menu->addAction(action_export_report);
    file_menu->addAction(action_print_preview);
    file_menu->addAction(action_print);
    file_menu->addSeparator();
    file_menu->addAction(action_quit);
    edit_menu->addAction(action_undo);
    edit_menu->addAction(action_redo);
    edit_menu->addSeparator();
    edit_menu->addAction(action_delete);
    // About stays first, where it always was.
    help_menu->addAction(action_about);
    help_menu->addSeparator();
    help_menu->addAction(action_user_guide);
    help_menu->addAction(action_legend);
    menu_bar->resize(800, 22);

    tool_bar = new QToolBar(this);
    addToolBar(Qt::TopToolBarArea, tool_bar);
    tool_bar->addAction(action_new);
    tool_bar->addAction(action_init);
    tool_bar->addSeparator();
}

// The measurement list with its "+" and "-" buttons over the measurement editor.
void TCurvalo::Create_Dock()
{
    dock = new QDockWidget(this);
    dock->setObjectName(QStringLiteral("measurement_dock"));
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    view_menu->addAction(dock->toggleViewAction());

    QWidget *contents = new QWidget;
    QVBoxLayout *layout = new QVBoxLayout(contents);

    measurement_list = new QListWidget(contents);
    measurement_list->setObjectName(QStringLiteral("measurement_list"));
    measurement_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    measurement_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Every row is one line of the same font: the list never measures rows one by one.
    measurement_list->setUniformItemSizes(true);
    layout->addWidget(measurement_list);

    QHBoxLayout *buttons = new QHBoxLayout;
    add_button = new QToolButton(contents);
    add_button->setObjectName(QStringLiteral("add_button"));
    remove_button = new QToolButton(contents);
    remove_button->setObjectName(QStringLiteral("remove_button"));
    for (QToolButton *button : {add_button, remove_button}) {
        button->setMinimumSize(20, 20);
        button->setMaximumSize(20, 20);
        buttons->addWidget(button);
    }
    buttons->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout->addLayout(buttons);

    layout->addWidget(new TSeparatorLine(contents));
    measurement_edit_widget = new TMeasurementEditWidget(contents);
    layout->addWidget(measurement_edit_widget);

    dock->setWidget(contents);
}

// The results of all measurements, in a tab beside the measurement editor so that the window
// keeps its size; the editor stays in front.
void TCurvalo::Create_Results_Dock()
{
    results_model = new TResultsModel(&measurement_data, this);
    results_dock = new TResultsDock(results_model, this);
    results_dock->setAllowedAreas(Qt::AllDockWidgetAreas);
    addDockWidget(Qt::LeftDockWidgetArea, results_dock);
    tabifyDockWidget(dock, results_dock);
    dock->raise();
    view_menu->addAction(results_dock->toggleViewAction());
}

// The drawing over the model controls in the central grid, the notice under them, and the
// exaggeration slider in the tool bar behind its separator.
void TCurvalo::Create_Model_Controls()
{
    QWidget *central_widget = new QWidget(this);
    setCentralWidget(central_widget);
    central_layout = new QGridLayout(central_widget);
    QGridLayout *layout = central_layout;

    display_widget = new TDisplayWidget(central_widget);
    display_widget->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    layout->addWidget(display_widget, 0, 0, 1, 7);

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    model_label = new QLabel(central_widget);
    model_label->setObjectName(QStringLiteral("model_label"));
    model_combo = new QComboBox(central_widget);
    model_combo->setObjectName(QStringLiteral("model_combo"));
    layout->addWidget(model_label, 2, 0);
    layout->addWidget(model_combo, 2, 1);

    QLabel **const range_labels[2] = {&range_y_label, &range_z_label};
    QLineEdit **const range_edits[2] = {&range_y_edit, &range_z_edit};
    QLabel **const range_units[2] = {&range_y_units, &range_z_units};
    const QString axes[2] = {QStringLiteral("y"), QStringLiteral("z")};
    for (int i = 0; i < 2; ++i) {
        const QString name = QStringLiteral("range_%1_").arg(axes[i]);
        *range_labels[i] = new QLabel(central_widget);
        (*range_labels[i])->setObjectName(name + QStringLiteral("label"));
        *range_edits[i] = Create_Centred_Edit(central_widget, name + QStringLiteral("edit"));
        *range_units[i] = Create_Label(central_widget, name + QStringLiteral("units"), left);
        layout->addWidget(*range_labels[i], 3 + i, 0);
        layout->addWidget(*range_edits[i], 3 + i, 1);
        layout->addWidget(*range_units[i], 3 + i, 2);
    }

    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("parameter%1_").arg(i + 1);
        parameter_labels[i] = Create_Label(central_widget, name + QStringLiteral("label"), right);
        parameter_edits[i] = Create_Centred_Edit(central_widget, name + QStringLiteral("edit"));
        parameter_units[i] = Create_Label(central_widget, name + QStringLiteral("units"), left);
        layout->addWidget(parameter_labels[i], 2 + i, 3);
        layout->addWidget(parameter_edits[i], 2 + i, 4);
        layout->addWidget(parameter_units[i], 2 + i, 5);
    }

    // Pushes the controls to the left.
    layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), 2, 6, 4,
                    1);

    layout->addWidget(new TSeparatorLine(central_widget), 1, 0, 1, 10);
    layout->addWidget(new TSeparatorLine(central_widget), 6, 0, 1, 7);
    QFont notice_font(QStringLiteral("Verdana"), 8);
    notice_font.setStyle(QFont::StyleItalic);
    notice_label = new QLabel(central_widget);
    notice_label->setFont(notice_font);
    layout->addWidget(notice_label, 7, 0, 1, 7);

    exaggeration_label = new QLabel;
    exaggeration_label->setObjectName(QStringLiteral("exaggeration_label"));
    exaggeration_label->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Preferred);
    exaggeration_label->setAlignment(right);
    exaggeration_slider = new QSlider;
    exaggeration_slider->setObjectName(QStringLiteral("exaggeration_slider"));
    exaggeration_slider->setMinimum(1);
    exaggeration_slider->setMaximum(1000);
    exaggeration_slider->setSingleStep(10);
    exaggeration_slider->setPageStep(100);
    exaggeration_slider->setOrientation(Qt::Horizontal);
    exaggeration_slider->setTickPosition(QSlider::TicksBelow);
    exaggeration_slider->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    exaggeration_slider->setMinimumWidth(200);
    exaggeration_spin = new QSpinBox;
    exaggeration_spin->setObjectName(QStringLiteral("exaggeration_spin"));
    exaggeration_spin->setRange(exaggeration_slider->minimum(), exaggeration_slider->maximum());
    exaggeration_spin->setAlignment(Qt::AlignRight);
    tool_bar->addWidget(exaggeration_label);
    tool_bar->addWidget(exaggeration_slider);
    tool_bar->addWidget(exaggeration_spin);

    // Wide enough for the decimals the fields are written with, and a minus sign.
    for (QLineEdit *edit : parameter_edits) {
        TFieldWidth::Fit(edit, QStringLiteral("-0.00000"));
    }
    TFieldWidth::Fit(range_y_edit, QStringLiteral("-1000.000"));
    TFieldWidth::Fit(range_z_edit, QStringLiteral("-1000.000"));

    setTabOrder(model_combo, range_y_edit);
    setTabOrder(range_y_edit, range_z_edit);
    setTabOrder(range_z_edit, parameter_edits[0]);
    for (int i = 0; i < 3; ++i) {
        setTabOrder(parameter_edits[i], parameter_edits[i + 1]);
    }
    setTabOrder(parameter_edits[3], exaggeration_slider);
    setTabOrder(exaggeration_slider, exaggeration_spin);
}

void TCurvalo::Set_Texts()
{
    setWindowTitle(QStringLiteral("Curvalo"));
    dock->setWindowTitle(tr("Measurement Editor"));
    notice_label->setText(tr("Corrections drawn exaggerated; lengths are not."));
    action_new->setText(tr("New"));
    action_init->setText(tr("Init"));
    action_quit->setText(tr("Quit"));
    action_about->setText(tr("About"));
    action_user_guide->setText(tr("User Guide"));
    action_legend->setText(tr("What the drawing shows"));
    file_menu->setTitle(tr("File"));
    view_menu->setTitle(tr("View"));
    help_menu->setTitle(tr("Help"));
    tools_menu->setTitle(tr("Tools"));
    edit_menu->setTitle(tr("Edit"));
    action_delete->setText(tr("Delete"));
    action_test_plan->setText(tr("Generate Test Plan\u2026"));
    action_fit->setText(tr("Fit Parameters\u2026"));
    action_export_picture->setText(tr("Export Picture\u2026"));
    action_export_report->setText(tr("Export Report\u2026"));
    action_print->setText(tr("Print\u2026"));
    action_print_preview->setText(tr("Print Preview\u2026"));
    action_import->setText(tr("Import Measurements\u2026"));
    action_export->setText(tr("Export Measurements\u2026"));
    model_label->setText(tr("Deflection Model:"));
    range_y_label->setText(tr("Y Range:"));
    range_z_label->setText(tr("Z Range:"));
    range_y_units->setText(QStringLiteral("mm"));
    range_z_units->setText(QStringLiteral("mm"));
    exaggeration_label->setText(tr("Exaggeration:"));
    for (int i = 0; i < TModelCatalog::Model_Count(); ++i) {
        const TModelCatalog::TModel &model = TModelCatalog::Model_At(i);
        model_combo->addItem(TModelCatalog::Name(model), int(model.type));
    }
    add_button->setText(QStringLiteral("+"));
    remove_button->setText(QStringLiteral("-"));
    Set_Tool_Tips();
}

void TCurvalo::Set_Tool_Tips()
{
    model_combo->setToolTip(tr("The model of the machine's deflection in its Y-Z plane"));
    for (QLineEdit *edit : parameter_edits) {
        TFieldMark::Set_Plain_Tip(edit, tr("A parameter of the deflection model"));
    }
    range_y_edit->setToolTip(tr("The machine's measuring range along Y in mm; more than 1 mm"));
    range_z_edit->setToolTip(tr("The machine's measuring range along Z in mm; more than 1 mm"));
    const QString exaggeration = tr("How many times the corrections are enlarged in the "
                                    "drawing, 1 to 1000; lengths and numbers are not");
    exaggeration_slider->setToolTip(exaggeration);
    exaggeration_spin->setToolTip(exaggeration);
    add_button->setToolTip(tr("Add a measurement; it starts as a copy of the one shown"));
    remove_button->setToolTip(tr("Delete the selected measurements (Delete)"));
    measurement_list->setToolTip(tr("The measurements; select one to edit it"));
    action_new->setToolTip(tr("Delete all measurements and set the parameters to the presets"));
    action_init->setToolTip(tr("Set the parameters of the current model to its presets"));
}

void TCurvalo::Restore_Fields(const TPersistence::TSettings &stored)
{
    exaggeration_slider->setValue(stored.exaggeration);
    exaggeration_spin->setValue(stored.exaggeration);
    display_widget->Set_Exaggeration(stored.exaggeration);
    // A stored value that no field could hold ("nan", "inf", 1e308) is not applied: it would
    // leave an empty drawing and be written back at every close.
    for (int i = 0; i < 4; ++i) {
        double value = 0.0;
        TNumberText::Read_Typed(TNumberText::Shortest(stored.parameters[i]), &value);
        stored_parameters[i] = value;
        parameter_edits[i]->setText(TNumberText::Parameter(value));
    }
    // A range the model would ignore comes back as the default.
    const double ranges[2] = {stored.range_y, stored.range_z};
    QLineEdit *const range_edits[2] = {range_y_edit, range_z_edit};
    for (int i = 0; i < 2; ++i) {
        range_edits[i]->setText(TNumberText::Fixed(ranges[i], 3));
        if (!(Field_Value(range_edits[i], 0.0) >= 1.0)) {
            range_edits[i]->setText(QStringLiteral("1000.000"));
        }
    }
}

// Fills the store from the measurement file and the list and the gauges from the store.
void TCurvalo::Load_Measurements()
{
    persistence.Load_Measurements(&measurement_data);
    for (const int id : measurement_data.Get_Measurement_Ids()) {
        Append_Measurement_Row(id);
        Add_Gauge(id);
    }
    remove_button->setEnabled(false);
    measurement_edit_widget->setEnabled(false);
}

void TCurvalo::Restore_Model(const TPersistence::TSettings &stored)
{
    results_dock->Set_Mpe(stored.mpe);
    results_model->Set_Mpe(stored.mpe);
    model_combo->setCurrentIndex(stored.deflection_model);
    Deflection_Model_Changed(model_combo->currentIndex());
}

void TCurvalo::Connect_Signals()
{
    connect(action_quit, &QAction::triggered, this, &QWidget::close);
    connect(action_about, &QAction::triggered, this, &TCurvalo::Menu_About);
    connect(action_user_guide, &QAction::triggered, this, &TCurvalo::Menu_User_Guide);
    connect(action_legend, &QAction::triggered, this, &TCurvalo::Menu_Drawing_Legend);
    connect(display_widget, &TDisplayWidget::Readout_Changed, this, &TCurvalo::Show_Readout);
    connect(model_combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TCurvalo::Deflection_Model_Changed);
    connect(parameter_edits[0], &QLineEdit::textEdited, this, &TCurvalo::Parameter1_Changed);
    connect(parameter_edits[1], &QLineEdit::textEdited, this, &TCurvalo::Parameter2_Changed);
    connect(parameter_edits[2], &QLineEdit::textEdited, this, &TCurvalo::Parameter3_Changed);
    connect(parameter_edits[3], &QLineEdit::textEdited, this, &TCurvalo::Parameter4_Changed);
    connect(range_y_edit, &QLineEdit::textEdited, this, &TCurvalo::Range_Y_Changed);
    connect(range_z_edit, &QLineEdit::textEdited, this, &TCurvalo::Range_Z_Changed);
    connect(exaggeration_slider, &QSlider::valueChanged, this, &TCurvalo::Exaggeration_Changed);
    connect(exaggeration_spin, QOverload<int>::of(&QSpinBox::valueChanged), exaggeration_slider,
            &QSlider::setValue);
    connect(add_button, &QToolButton::clicked, this, &TCurvalo::Add_Measurement);
    connect(remove_button, &QToolButton::clicked, this, &TCurvalo::Remove_Measurements);
    connect(measurement_list, &QListWidget::itemSelectionChanged, this,
            &TCurvalo::Measurement_Selection_Changed);
    connect(measurement_edit_widget, &TMeasurementEditWidget::Data_Changed, this,
            &TCurvalo::Measurement_Data_Changed);
    connect(action_new, &QAction::triggered, this, &TCurvalo::Menu_New);
    connect(action_init, &QAction::triggered, this, &TCurvalo::Menu_Init);
    connect(action_test_plan, &QAction::triggered, this, &TCurvalo::Menu_Test_Plan);
    connect(action_fit, &QAction::triggered, this, &TCurvalo::Menu_Fit);
    connect(action_export_picture, &QAction::triggered, this, &TCurvalo::Menu_Export_Picture);
    connect(action_export_report, &QAction::triggered, this, &TCurvalo::Menu_Export_Report);
    connect(action_print, &QAction::triggered, this, &TCurvalo::Menu_Print);
    connect(action_print_preview, &QAction::triggered, this, &TCurvalo::Menu_Print_Preview);
    connect(action_import, &QAction::triggered, this, &TCurvalo::Menu_Import_Measurements);
    connect(action_export, &QAction::triggered, this, &TCurvalo::Menu_Export_Measurements);
    connect(results_dock, &TResultsDock::Mpe_Changed, this, &TCurvalo::Mpe_Changed);
    connect(results_dock, &TResultsDock::Rows_Selected, this, &TCurvalo::Results_Rows_Selected);
    connect(results_model, &TResultsModel::Measured_Length_Edited, this,
            &TCurvalo::Measured_Length_Edited);
    connect(action_delete, &QAction::triggered, this, &TCurvalo::Remove_Measurements);
    connect(action_delete, &QAction::triggered, this, &TCurvalo::Schedule_Autosave);
    // Leaving a field ends the step that typing into it makes.
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        connect(edit, &QLineEdit::editingFinished, this, &TCurvalo::End_Typing_Step);
    }

    // Every change the user makes reaches the disk shortly after the last one.
    autosave_timer = new QTimer(this);
    autosave_timer->setSingleShot(true);
    connect(autosave_timer, &QTimer::timeout, this, &TCurvalo::Autosave);
    for (QLineEdit *edit : Model_Field_Edits()) {
        connect(edit, &QLineEdit::textEdited, this, &TCurvalo::Schedule_Autosave);
    }
    connect(model_combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TCurvalo::Schedule_Autosave);
    connect(add_button, &QToolButton::clicked, this, &TCurvalo::Schedule_Autosave);
    connect(remove_button, &QToolButton::clicked, this, &TCurvalo::Schedule_Autosave);
    connect(measurement_edit_widget, &TMeasurementEditWidget::Data_Changed, this,
            &TCurvalo::Schedule_Autosave);
    connect(action_new, &QAction::triggered, this, &TCurvalo::Schedule_Autosave);
    connect(action_init, &QAction::triggered, this, &TCurvalo::Schedule_Autosave);
}

bool TCurvalo::Settings_Folder_In_Use() const
{
    return persistence.Lock_State() == TPersistence::LOCK_HELD_ELSEWHERE;
}

void TCurvalo::Tell_Settings_Folder_In_Use()
{
    TMessageBox box(nullptr);
    box.setWindowTitle(QStringLiteral("Curvalo"));
    box.setText(tr("Curvalo is already running with this settings folder"));
    box.setInformativeText(
        Rich(tr("Another Curvalo window works on '%1'. Close it first, or use that window.")
                 .arg(QDir::toNativeSeparators(persistence.Directory()))));
    box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

void TCurvalo::Schedule_Autosave()
{
    if (autosave_timer && persistence.Writable()) {
        autosave_timer->start(autosave_delay_ms);
    }
}

void TCurvalo::Autosave()
{
    if (!Save(false, true)) {
        autosave_timer->start(autosave_retry_ms);
    }
}

bool TCurvalo::Save(bool force, bool tell)
{
    const bool saved = persistence.Save(Current_Settings(), measurement_data, force);
    if (saved) {
        save_failure_told = false;
        Show_Unsaved_Notice(false);
    } else if (persistence.Writable() && !save_failure_told) {
        save_failure_told = true;
        Show_Unsaved_Notice(true);
        if (tell && !closing_unattended) {
            Show_Notice(tr("Changes are not saved"),
                        tr("%1\n\nCurvalo keeps trying while the window is open.")
                            .arg(persistence.Last_Error()));
        }
    }
    return saved;
}

void TCurvalo::Show_Unsaved_Notice(bool shown)
{
    if (!shown && !unsaved_label) {
        return;
    }
    if (!unsaved_label) {
        unsaved_label = new QLabel(tr("Changes are not saved."), this);
        unsaved_label->setObjectName(QStringLiteral("unsaved_label"));
        statusBar()->addPermanentWidget(unsaved_label);
    }
    unsaved_label->setVisible(shown);
}

void TCurvalo::Show_Readout(const QString &text)
{
    readout_label->setText(text);
}

void TCurvalo::Show_Notice(const QString &text, const QString &informative_text)
{
    TMessageBox *box = new TMessageBox(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("Curvalo"));
    box->setText(text);
    box->setInformativeText(Rich(informative_text));
    box->setIcon(QMessageBox::Warning);
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    // The user can go on working (and close the window) while it is there.
    box->setWindowModality(Qt::NonModal);
    box->show();
}

// What the user must know before working: a measurement file that could not be read
// completely, and a folder where nothing will be saved.
void TCurvalo::Tell_Start_Problems()
{
    if (Settings_Folder_In_Use()) {
        return;
    }
    if (!persistence.Load_Problem().isEmpty()) {
        const QString kept =
            persistence.Kept_File().isEmpty()
                ? tr("The file could not be kept under another name, so the measurements will "
                     "not be saved over it.")
                : tr("The original file is kept as '%1'.")
                      .arg(QDir::toNativeSeparators(persistence.Kept_File()));
        Show_Notice(tr("The measurement file could not be read completely"),
                    tr("%1:\n%2\n\n%3 The list shows what could be read.")
                        .arg(QDir::toNativeSeparators(persistence.Measurement_File()),
                             persistence.Load_Problem(), kept));
    }
    if (!persistence.Unsaved_Reason().isEmpty()) {
        Show_Unsaved_Notice(true);
        Show_Notice(tr("Changes are not saved"), persistence.Unsaved_Reason());
    }
}

// What the settings file holds for the window as it is now.
TPersistence::TSettings TCurvalo::Current_Settings() const
{
    TPersistence::TSettings current;
    current.window_position = pos();
    current.window_size = size();
    current.deflection_model = model_combo->currentIndex();
    if (display_widget->Deflection_Model()) {
        current.parameters[0] = display_widget->Model_Parameter1();
        current.parameters[1] = display_widget->Model_Parameter2();
        current.parameters[2] = display_widget->Model_Parameter3();
        current.parameters[3] = display_widget->Model_Parameter4();
    } else {
        // No model to ask: what was read is kept rather than replaced by zeros.
        for (int i = 0; i < 4; ++i) {
            current.parameters[i] = stored_parameters[i];
        }
    }
    current.range_y = Field_Value(range_y_edit, 0.0);
    current.range_z = Field_Value(range_z_edit, 0.0);
    current.mpe = results_dock->Mpe();
    current.report_title = report_details[0];
    current.report_machine = report_details[1];
    current.report_operator = report_details[2];
    current.report_notes = report_details[3];
    current.exaggeration = exaggeration_slider->value();
    return current;
}

void TCurvalo::closeEvent(QCloseEvent *event)
{
    // The question below tells about a failure; no notice comes first.
    if (!Save(true, false) && persistence.Writable() && !closing_unattended) {
        TMessageBox box(this);
        box.setWindowTitle(QStringLiteral("Curvalo"));
        box.setText(tr("Your changes could not be saved"));
        box.setInformativeText(Rich(tr("%1\n\nFree some space or make the folder writable, "
                                       "then close again; or close without saving.")
                                        .arg(persistence.Last_Error())));
        box.setIcon(QMessageBox::Warning);
        QPushButton *discard =
            box.addButton(tr("Close without saving"), QMessageBox::DestructiveRole);
        QPushButton *cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
        box.setDefaultButton(cancel);
        box.exec();
        if (box.clickedButton() != discard) {
            event->ignore();
            return;
        }
    }
    if (autosave_timer) {
        autosave_timer->stop();
    }
    event->accept();
}

void TCurvalo::Close_Unattended()
{
    closing_unattended = true;
    close();
}

void TCurvalo::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    Schedule_Autosave();
}

void TCurvalo::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Schedule_Autosave();
}

void TCurvalo::Append_Measurement_Row(int id)
{
    QListWidgetItem *item = new QListWidgetItem(tr("Measurement %1").arg(id));
    item->setData(Qt::UserRole, id);
    measurement_list->addItem(item);
}

void TCurvalo::Add_Gauge(int id)
{
    TMeasurementData::TMeasurement measurement;
    if (measurement_data.Get_Measurement(id, &measurement)) {
        TVector3 end1;
        TVector3 end2;
        TEvaluation::Gauge_Ends(measurement.position, measurement.axis, measurement.nominal_length,
                                &end1, &end2);
        display_widget->Add_Length_Measurement(id, end1, end2);
    }
}

// Labels, units and visibility of the four parameter rows for a model type; a hidden row keeps
// its texts, and its field keeps its number.
void TCurvalo::Set_Parameter_Rows(int model_type)
{
    const TModelCatalog::TModel *model = TModelCatalog::Find(model_type);
    if (!model && model_type != TModelCatalog::NO_MODEL) {
        return;
    }
    const int shown = model ? model->parameter_count : 0;
    for (int i = 0; i < 4; ++i) {
        if (i < shown) {
            const QString label = TModelCatalog::Label(*model, i);
            const QString units = QString::fromLatin1(model->parameters[i].units);
            parameter_labels[i]->setText(label);
            parameter_units[i]->setText(units);
            TFieldMark::Set_Plain_Tip(parameter_edits[i],
                                      tr("%1 of the %2 in %3")
                                          .arg(TModelCatalog::Parameter_Name(*model, i),
                                               TModelCatalog::Name(*model), units));
        }
        parameter_labels[i]->setVisible(i < shown);
        parameter_edits[i]->setVisible(i < shown);
        parameter_units[i]->setVisible(i < shown);
    }
}

void TCurvalo::Deflection_Model_Changed(int index)
{
    const int model_type = model_combo->itemData(index).toInt();
    Set_Parameter_Rows(model_type);
    display_widget->Set_Deflection_Model(TDisplayWidget::TDeflectionModelType(model_type));

    // The new model starts from its own defaults; it gets what the fields show, hidden rows
    // included.
    display_widget->Set_Range(Field_Value(range_y_edit, 1000.0), Field_Value(range_z_edit, 1000.0));
    display_widget->Set_Model_Parameters(
        Field_Value(parameter_edits[0], 0.0), Field_Value(parameter_edits[1], 0.0),
        Field_Value(parameter_edits[2], 0.0), Field_Value(parameter_edits[3], 0.0));
    results_model->Set_Deflection_Model(display_widget->Deflection_Model());
    Mark_Model_Fields();
    Update_Actual_Length();
    Refresh_Results();
    Record_Step(tr("Change Deflection Model"));
}

// Hands a number the user typed to the display; text that does not parse changes nothing and
// stays in the field as typed.
void TCurvalo::Apply_Typed_Value(QLineEdit *edit, const QString &text,
                                 void (TDisplayWidget::*setter)(const double &),
                                 const std::function<double()> &in_use, bool is_range)
{
    double value = 0.0;
    if (TNumberText::Read_Typed(text, &value)) {
        (display_widget->*setter)(value);
        Update_Actual_Length();
        Refresh_Results();
    }
    Mark_Model_Field(edit, in_use, is_range);
}

// The field says when the model does not use what it shows.
void TCurvalo::Mark_Model_Field(QLineEdit *edit, const std::function<double()> &in_use,
                                bool is_range)
{
    QString problem;
    double value = 0.0;
    if (display_widget->Deflection_Model()) {
        if (!TNumberText::Read_Typed(edit->text(), &value)) {
            problem = tr("Not a number: using %1").arg(TNumberText::Parameter(in_use()));
        } else if (is_range && !(value > 1.0)) {
            problem = tr("A range of 1 mm or less is ignored: using %1 mm")
                          .arg(TNumberText::Fixed(in_use(), 3));
        }
    }
    TFieldMark::Show(edit, problem);
}

void TCurvalo::Mark_Model_Fields()
{
    const TDisplayWidget *display = display_widget;
    const std::function<double()> parameters[4] = {
        [display]() { return display->Model_Parameter1(); },
        [display]() { return display->Model_Parameter2(); },
        [display]() { return display->Model_Parameter3(); },
        [display]() { return display->Model_Parameter4(); }};
    for (int i = 0; i < 4; ++i) {
        Mark_Model_Field(parameter_edits[i], parameters[i], false);
    }
    Mark_Model_Field(
        range_y_edit, [display]() { return display->Deflection_Model()->Range_Y(); }, true);
    Mark_Model_Field(
        range_z_edit, [display]() { return display->Deflection_Model()->Range_Z(); }, true);
}

// The slots of the four parameter fields and the two range fields.
void TCurvalo::Parameter_Changed(int index, const QString &text)
{
    using TSetter = void (TDisplayWidget::*)(const double &);
    using TGetter = double (TDisplayWidget::*)() const;
    const TSetter setters[4] = {
        &TDisplayWidget::Set_Model_Parameter1, &TDisplayWidget::Set_Model_Parameter2,
        &TDisplayWidget::Set_Model_Parameter3, &TDisplayWidget::Set_Model_Parameter4};
    const TGetter getters[4] = {
        &TDisplayWidget::Model_Parameter1, &TDisplayWidget::Model_Parameter2,
        &TDisplayWidget::Model_Parameter3, &TDisplayWidget::Model_Parameter4};
    const TGetter getter = getters[index];
    Apply_Typed_Value(
        parameter_edits[index], text, setters[index],
        [this, getter]() { return (display_widget->*getter)(); }, false);
    QString name = parameter_labels[index]->text();
    if (name.endsWith(QLatin1Char(':'))) {
        name.chop(1);
    }
    Record_Step(tr("Edit %1").arg(name), MERGE_PARAMETER + index);
}

void TCurvalo::Range_Changed(bool z, const QString &text)
{
    Apply_Typed_Value(
        z ? range_z_edit : range_y_edit, text,
        z ? &TDisplayWidget::Set_Range_Z : &TDisplayWidget::Set_Range_Y,
        [this, z]() {
            const TDeflectionModel *model = display_widget->Deflection_Model();
            return z ? model->Range_Z() : model->Range_Y();
        },
        true);
    Record_Step(z ? tr("Edit Z Range") : tr("Edit Y Range"), z ? MERGE_RANGE_Z : MERGE_RANGE_Y);
}

void TCurvalo::Parameter1_Changed(const QString &text)
{
    Parameter_Changed(0, text);
}

void TCurvalo::Parameter2_Changed(const QString &text)
{
    Parameter_Changed(1, text);
}

void TCurvalo::Parameter3_Changed(const QString &text)
{
    Parameter_Changed(2, text);
}

void TCurvalo::Parameter4_Changed(const QString &text)
{
    Parameter_Changed(3, text);
}

void TCurvalo::Range_Y_Changed(const QString &text)
{
    Range_Changed(false, text);
}

void TCurvalo::Range_Z_Changed(const QString &text)
{
    Range_Changed(true, text);
}

void TCurvalo::Exaggeration_Changed(int value)
{
    display_widget->Set_Exaggeration(value);
    exaggeration_spin->setValue(value);
    Schedule_Autosave();
}

void TCurvalo::Add_Measurement()
{
    const int id = measurement_data.Add_Measurement();
    // While a measurement is shown, the new one starts as its duplicate.
    if (measurement_edit_widget->isEnabled()) {
        const TMeasurementData::TMeasurement duplicate{id, measurement_edit_widget->Position(),
                                                       measurement_edit_widget->Axis(),
                                                       measurement_edit_widget->Nominal_Length()};
        measurement_data.Update_Measurement(duplicate);
    }
    Append_Measurement_Row(id);
    Add_Gauge(id);
    Refresh_Results();
    Record_Step(tr("Add Measurement"));

    // Selecting the row loads it into the editor through Measurement_Selection_Changed.
    QListWidgetItem *item = measurement_list->item(measurement_list->count() - 1);
    measurement_list->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
}

void TCurvalo::Remove_Measurements()
{
    const QList<QListWidgetItem *> selected = measurement_list->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    std::vector<int> ids;
    for (const QListWidgetItem *item : selected) {
        ids.push_back(item->data(Qt::UserRole).toInt());
    }
    measurement_data.Remove_Measurements(ids);
    // Taking rows one by one moves the rows behind each; many go faster all at once.
    if (selected.size() > 100) {
        Reload_Measurement_List();
    } else {
        for (QListWidgetItem *item : selected) {
            display_widget->Remove_Length_Measurement(item->data(Qt::UserRole).toInt());
            delete measurement_list->takeItem(measurement_list->row(item));
        }
        measurement_edit_widget->setEnabled(false);
        measurement_edit_widget->Clear_Display();
        Refresh_Results();
    }
    Record_Step(selected.size() == 1 ? tr("Delete Measurement") : tr("Delete Measurements"));
}

void TCurvalo::Measurement_Selection_Changed()
{
    const QList<QListWidgetItem *> selected = measurement_list->selectedItems();
    remove_button->setEnabled(!selected.isEmpty());
    action_delete->setEnabled(!selected.isEmpty());
    std::vector<int> selected_ids;
    for (const QListWidgetItem *item : selected) {
        selected_ids.push_back(item->data(Qt::UserRole).toInt());
    }
    display_widget->Set_Highlighted(selected_ids);
    measurement_edit_widget->setEnabled(false);
    // Editing another measurement is another step.
    End_Typing_Step();

    TMeasurementData::TMeasurement measurement;
    if (selected.size() == 1 && measurement_data.Get_Measurement(
                                    selected.first()->data(Qt::UserRole).toInt(), &measurement)) {
        measurement_edit_widget->measurement_id = measurement.id;
        measurement_edit_widget->Set_Nominal_Length(measurement.nominal_length);
        measurement_edit_widget->Set_Position(measurement.position);
        measurement_edit_widget->Set_Axis(measurement.axis);
        measurement_edit_widget->Set_Measured_Length(measurement.has_measured_length,
                                                     measurement.measured_length);
        measurement_edit_widget->setEnabled(true);
        Update_Actual_Length();
    } else {
        measurement_edit_widget->Clear_Display();
    }
    QList<int> ids;
    for (const QListWidgetItem *item : selected) {
        ids << item->data(Qt::UserRole).toInt();
    }
    results_dock->Select_Ids(ids);
}

void TCurvalo::Measurement_Data_Changed()
{
    TMeasurementData::TMeasurement measurement{
        measurement_edit_widget->measurement_id, measurement_edit_widget->Position(),
        measurement_edit_widget->Axis(), measurement_edit_widget->Nominal_Length()};
    TMeasurementData::TMeasurement stored;
    if (measurement_data.Get_Measurement(measurement.id, &stored)) {
        measurement.has_measured_length = stored.has_measured_length;
        measurement.measured_length = stored.measured_length;
    }
    // A measured length that is not a number is marked in the editor and not stored.
    if (measurement_edit_widget->Measured_Length_Valid()) {
        measurement.has_measured_length = measurement_edit_widget->Has_Measured_Length();
        measurement.measured_length = measurement_edit_widget->Measured_Length();
    }
    measurement_data.Update_Measurement(measurement);

    TVector3 end1;
    TVector3 end2;
    TEvaluation::Gauge_Ends(measurement.position, measurement.axis, measurement.nominal_length,
                            &end1, &end2);
    display_widget->Update_Length_Measurement(measurement.id, end1, end2);
    Update_Actual_Length();
    Refresh_Results();
    Record_Step(tr("Edit Measurement %1").arg(measurement.id), MERGE_EDITOR);
}

void TCurvalo::Refresh_Results()
{
    results_model->Refresh();
}

void TCurvalo::Mpe_Changed()
{
    results_model->Set_Mpe(results_dock->Mpe());
    Refresh_Results();
    Schedule_Autosave();
    Record_Step(tr("Edit MPE"), MERGE_MPE);
}

// Rows selected in the results table select the same measurements in the list, which shows
// a single one in the editor.
void TCurvalo::Results_Rows_Selected(const QList<int> &ids)
{
    const bool was_blocked = measurement_list->blockSignals(true);
    measurement_list->clearSelection();
    QListWidgetItem *current = nullptr;
    for (int row = 0; row < measurement_list->count(); ++row) {
        QListWidgetItem *item = measurement_list->item(row);
        if (ids.contains(item->data(Qt::UserRole).toInt())) {
            item->setSelected(true);
            current = current ? current : item;
        }
    }
    if (current) {
        measurement_list->setCurrentItem(current, QItemSelectionModel::NoUpdate);
        measurement_list->scrollToItem(current);
    }
    measurement_list->blockSignals(was_blocked);
    Measurement_Selection_Changed();
}

void TCurvalo::Measured_Length_Edited(int id)
{
    TMeasurementData::TMeasurement measurement;
    if (measurement_edit_widget->isEnabled() && measurement_edit_widget->measurement_id == id &&
        measurement_data.Get_Measurement(id, &measurement)) {
        measurement_edit_widget->Set_Measured_Length(measurement.has_measured_length,
                                                     measurement.measured_length);
    }
    Schedule_Autosave();
    Record_Step(tr("Edit Measured Length of Measurement %1").arg(id));
}

// Lays out a length test for the volume in use and adds its measurements.
void TCurvalo::Menu_Test_Plan()
{
    const TDeflectionModel *model = display_widget->Deflection_Model();
    const double range_y = model ? model->Range_Y() : Field_Value(range_y_edit, 1000.0);
    const double range_z = model ? model->Range_Z() : Field_Value(range_z_edit, 1000.0);
    TTestPlanDialog dialog(range_y, range_z, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const std::vector<TMeasurementData::TMeasurement> plan = dialog.Plan();
    if (dialog.Replace()) {
        Clear_Measurements();
    }
    const size_t before = measurement_data.Measurements().size();
    TTestPlan::Append(plan, &measurement_data);
    for (size_t i = before; i < measurement_data.Measurements().size(); ++i) {
        const int id = measurement_data.Measurements()[i].id;
        Append_Measurement_Row(id);
        Add_Gauge(id);
    }
    Refresh_Results();
    Schedule_Autosave();
    Record_Step(tr("Generate Test Plan"));
}

// Fits the current model's parameters to the measured lengths; Apply puts them into the
// fields, each written so that it reads back as exactly the number the model then uses.
void TCurvalo::Menu_Fit()
{
    const TDeflectionModel *model = display_widget->Deflection_Model();
    double parameters[4] = {display_widget->Model_Parameter1(), display_widget->Model_Parameter2(),
                            display_widget->Model_Parameter3(), display_widget->Model_Parameter4()};
    TFitDialog dialog(model_combo->currentData().toInt(), parameters,
                      model ? model->Range_Y() : 1000.0, model ? model->Range_Z() : 1000.0,
                      &measurement_data, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.Result().fitted) {
        return;
    }
    const TParameterFit::TResult &result = dialog.Result();
    for (const int number : result.free) {
        parameters[number - 1] = result.parameters[number - 1];
        parameter_edits[number - 1]->setText(TNumberText::Parameter(parameters[number - 1]));
    }
    display_widget->Set_Model_Parameters(parameters[0], parameters[1], parameters[2],
                                         parameters[3]);
    Mark_Model_Fields();
    Update_Actual_Length();
    Refresh_Results();
    Schedule_Autosave();
    Record_Step(tr("Apply Fitted Parameters"));
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

std::unique_ptr<TReportWriter> TCurvalo::Report() const
{
    TReportWriter::TInfo info;
    info.title = report_details[0].isEmpty() ? tr("Length test") : report_details[0];
    info.machine = report_details[1];
    info.operator_name = report_details[2];
    info.notes = report_details[3];
    info.created = QDateTime::currentDateTime();
    info.version = QStringLiteral("2.0");
    const TDeflectionModel *model = display_widget->Deflection_Model();
    info.range_y = model ? model->Range_Y() : Field_Value(range_y_edit, 1000.0);
    info.range_z = model ? model->Range_Z() : Field_Value(range_z_edit, 1000.0);
    info.mpe = results_dock->Mpe();
    const TModelCatalog::TModel *entry = TModelCatalog::Find(model_combo->currentData().toInt());
    info.model_name = entry ? TModelCatalog::Name(*entry) : tr("none");
    if (entry) {
        const double parameters[4] = {
            display_widget->Model_Parameter1(), display_widget->Model_Parameter2(),
            display_widget->Model_Parameter3(), display_widget->Model_Parameter4()};
        info.parameters = TModelCatalog::Parameter_Lines(*entry, parameters);
    }
    std::vector<QString> directions;
    for (int row = 0; row < results_model->rowCount(); ++row) {
        directions.push_back(
            results_model->index(row, TResultsModel::COLUMN_DIRECTION).data().toString());
    }
    const TScenePainter::TScene scene{model, display_widget->Exaggeration(),
                                      &display_widget->Length_Measurements()};
    const QImage picture =
        TPictureExporter::Image(scene, QSize(700, 700), display_widget->font(), 2);
    QImage chart(QSize(900, 500) * 2, QImage::Format_ARGB32);
    chart.setDevicePixelRatio(2);
    chart.fill(Qt::white);
    {
        QPainter painter(&chart);
        painter.setFont(font());
        TErrorChartPainter().Paint(&painter, QSize(900, 500), results_model->Results(), directions,
                                   results_model->Mpe());
    }
    return std::make_unique<TReportWriter>(info, results_model->Results(), directions, picture,
                                           chart);
}

bool TCurvalo::Export_Report(const QString &file_name, QString *error) const
{
    return Report()->Export(file_name, error);
}

bool TCurvalo::Export_Measurements(const QString &file_name, QString *error) const
{
    Q_ASSERT(error);
    QByteArray content;
    if (file_name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        content = TResultsFile::Csv(results_model->Results());
    } else {
        content = measurement_data.File_Data();
    }
    return TFileWriter::Export(file_name, content, error);
}

bool TCurvalo::Import_Measurements(const QString &file_name, bool replace, QStringList *errors)
{
    Q_ASSERT(errors);
    const TMeasurementSetFile::TImport import = TMeasurementSetFile::Read(file_name);
    *errors = import.errors;
    if (!import.ok) {
        return false;
    }
    TMeasurementSetFile::Add(import.measurements, replace, &measurement_data);
    Reload_Measurement_List();
    Schedule_Autosave();
    Record_Step(tr("Import Measurements"));
    return true;
}

void TCurvalo::Clear_Measurements()
{
    const bool was_blocked = measurement_list->blockSignals(true);
    measurement_list->clear();
    measurement_list->blockSignals(was_blocked);
    measurement_data.Clear_Measurements();
    display_widget->Clear_Length_Measurements();
    measurement_edit_widget->Clear_Display();
    measurement_edit_widget->setEnabled(false);
    remove_button->setEnabled(false);
    action_delete->setEnabled(false);
    display_widget->Set_Highlighted({});
}

void TCurvalo::Reload_Measurement_List()
{
    const bool was_blocked = measurement_list->blockSignals(true);
    measurement_list->clear();
    measurement_list->blockSignals(was_blocked);
    display_widget->Clear_Length_Measurements();
    measurement_edit_widget->Clear_Display();
    measurement_edit_widget->setEnabled(false);
    remove_button->setEnabled(false);
    action_delete->setEnabled(false);
    display_widget->Set_Highlighted({});
    for (const TMeasurementData::TMeasurement &measurement : measurement_data.Measurements()) {
        Append_Measurement_Row(measurement.id);
        Add_Gauge(measurement.id);
    }
    Refresh_Results();
}

bool TCurvalo::Ask_Report_Details()
{
    TReportDialog dialog(report_details[0], report_details[1], report_details[2], report_details[3],
                         this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    report_details[0] = dialog.Title();
    report_details[1] = dialog.Machine();
    report_details[2] = dialog.Operator_Name();
    report_details[3] = dialog.Notes();
    Schedule_Autosave();
    return true;
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
        Show_Notice(tr("The picture was not exported"), error);
    }
}

void TCurvalo::Menu_Export_Report()
{
    if (!Ask_Report_Details()) {
        return;
    }
    const QString file = QFileDialog::getSaveFileName(
        this, tr("Export Report"), QString(),
        tr("PDF document (*.pdf);;HTML page (*.html);;Results as CSV (*.csv)"));
    QString error;
    if (!file.isEmpty() && !Export_Report(file, &error)) {
        Show_Notice(tr("The report was not exported"), error);
    }
}

void TCurvalo::Menu_Print()
{
    if (!Ask_Report_Details()) {
        return;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        Report()->Print(&printer);
    }
}

void TCurvalo::Menu_Print_Preview()
{
    if (!Ask_Report_Details()) {
        return;
    }
    const std::unique_ptr<TReportWriter> report = Report();
    QPrintPreviewDialog preview(this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&report](QPrinter *printer) { report->Print(printer); });
    preview.exec();
}

void TCurvalo::Menu_Import_Measurements()
{
    const QString file =
        QFileDialog::getOpenFileName(this, tr("Import Measurements"), QString(),
                                     tr("Measurements (*.xml *.csv);;All files (*)"));
    if (file.isEmpty()) {
        return;
    }
    TMessageBox question(this);
    question.setWindowTitle(QStringLiteral("Curvalo"));
    question.setText(tr("Import Measurements"));
    question.setInformativeText(tr("Append the measurements of the file to the list, or replace "
                                   "the list with them?"));
    question.setIcon(QMessageBox::Question);
    QPushButton *append = question.addButton(tr("Append"), QMessageBox::AcceptRole);
    QPushButton *replace = question.addButton(tr("Replace"), QMessageBox::DestructiveRole);
    question.addButton(QMessageBox::Cancel);
    question.setDefaultButton(append);
    question.exec();
    if (question.clickedButton() != append && question.clickedButton() != replace) {
        return;
    }
    QStringList errors;
    if (!Import_Measurements(file, question.clickedButton() == replace, &errors)) {
        Show_Notice(tr("Nothing was imported"),
                    tr("%1 has errors:\n%2").arg(file, errors.join(QLatin1Char('\n'))));
    }
}

void TCurvalo::Menu_Export_Measurements()
{
    const QString file =
        QFileDialog::getSaveFileName(this, tr("Export Measurements"), QString(),
                                     tr("Measurement file (*.xml);;CSV with the results (*.csv)"));
    QString error;
    if (!file.isEmpty() && !Export_Measurements(file, &error)) {
        Show_Notice(tr("The measurements were not exported"), error);
    }
}

void TCurvalo::Update_Actual_Length()
{
    if (!measurement_edit_widget->isEnabled()) {
        return;
    }
    measurement_edit_widget->Set_Actual_Length(TEvaluation::Actual_Length(
        display_widget->Deflection_Model(), measurement_edit_widget->Position(),
        measurement_edit_widget->Axis(), measurement_edit_widget->Nominal_Length()));
}

void TCurvalo::Menu_New()
{
    message_box->setText(tr("Delete Measurements"));
    message_box->setInformativeText(
        tr("Do you want to delete all measurements and reset settings?"));
    message_box->setDetailedText(QString());
    message_box->setIcon(QMessageBox::Warning);
    message_box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    message_box->setDefaultButton(QMessageBox::Yes);
    if (message_box->exec() != QMessageBox::Yes) {
        return;
    }

    Clear_Measurements();
    // The "reset settings" of the question: the model parameters go back to their presets.
    Init_Parameters();
    Record_Step(tr("New"));
}

void TCurvalo::Menu_Init()
{
    Init_Parameters();
    Record_Step(tr("Init"));
}

void TCurvalo::Init_Parameters()
{
    double values[4] = {0.0, 0.0, 0.0, 0.0};
    // Without a model the fields stay as they are and the display gets zeros.
    if (const TModelCatalog::TModel *model =
            TModelCatalog::Find(model_combo->currentData().toInt())) {
        for (int i = 0; i < 4; ++i) {
            parameter_edits[i]->setText(QString::fromLatin1(model->parameters[i].preset));
            values[i] = TModelCatalog::Preset_Value(*model, i);
        }
    }
    display_widget->Set_Model_Parameters(values[0], values[1], values[2], values[3]);
    Mark_Model_Fields();
    Update_Actual_Length();
    Refresh_Results();
}

void TCurvalo::Menu_About()
{
    message_box->setText(tr("Help - About"));
    message_box->setInformativeText(tr("Curvalo - Version 2.0"));
    message_box->setDetailedText(QString());
    message_box->setIcon(QMessageBox::Information);
    message_box->setStandardButtons(QMessageBox::Ok);
    message_box->setDefaultButton(QMessageBox::Ok);
    message_box->exec();
}

std::array<QLineEdit *, 6> TCurvalo::Model_Field_Edits() const
{
    return {parameter_edits[0], parameter_edits[1], parameter_edits[2],
            parameter_edits[3], range_y_edit,       range_z_edit};
}

void TCurvalo::End_Typing_Step()
{
    ++merge_serial;
}

TEditCommand::TFields TCurvalo::Current_Fields() const
{
    TEditCommand::TFields fields;
    fields.model_index = model_combo->currentIndex();
    const std::array<QLineEdit *, 6> edits = Model_Field_Edits();
    for (int i = 0; i < 6; ++i) {
        fields.texts[i] = edits[i]->text();
    }
    fields.values[0] = display_widget->Model_Parameter1();
    fields.values[1] = display_widget->Model_Parameter2();
    fields.values[2] = display_widget->Model_Parameter3();
    fields.values[3] = display_widget->Model_Parameter4();
    if (const TDeflectionModel *model = display_widget->Deflection_Model()) {
        fields.values[4] = model->Range_Y();
        fields.values[5] = model->Range_Z();
    }
    fields.mpe = results_dock->Mpe();
    fields.mpe_texts = results_dock->Mpe_Texts();
    return fields;
}

void TCurvalo::Record_Step(const QString &text, int merge_key)
{
    if (!recording) {
        return;
    }
    const TEditCommand::TFields fields = Current_Fields();
    const TMeasurementChange change =
        TMeasurementChange::Between(recorded_measurements, measurement_data.Measurements());
    if (change.Is_Empty() && fields == recorded_fields) {
        return;
    }
    change.Redo(&recorded_measurements);
    TEditCommand *command =
        new TEditCommand(text, merge_key, merge_serial, recorded_fields, fields, change,
                         [this](const TEditCommand::TFields &state, const TMeasurementChange &step,
                                bool undo) { Restore_Step(state, step, undo); });
    recorded_fields = fields;
    undo_stack->push(command);
}

void TCurvalo::Restore_Step(const TEditCommand::TFields &fields, const TMeasurementChange &change,
                            bool undo)
{
    recording = false;
    if (!change.Is_Empty()) {
        if (undo) {
            change.Undo(&recorded_measurements);
        } else {
            change.Redo(&recorded_measurements);
        }
        if (change.Is_In_Place()) {
            // An edit: the list keeps its rows and its selection.
            for (const TMeasurementData::TMeasurement &measurement :
                 undo ? change.Removed() : change.Inserted()) {
                measurement_data.Update_Measurement(measurement);
                Show_Measurement(measurement);
            }
        } else {
            measurement_data.Set_Measurements(recorded_measurements);
            Reload_Measurement_List();
        }
    }
    Restore_Fields_State(fields);
    recorded_fields = Current_Fields();
    Update_Actual_Length();
    Refresh_Results();
    Schedule_Autosave();
    End_Typing_Step();
    recording = true;
}

void TCurvalo::Show_Measurement(const TMeasurementData::TMeasurement &measurement)
{
    TVector3 end1;
    TVector3 end2;
    TEvaluation::Gauge_Ends(measurement.position, measurement.axis, measurement.nominal_length,
                            &end1, &end2);
    display_widget->Update_Length_Measurement(measurement.id, end1, end2);
    if (measurement_edit_widget->isEnabled() &&
        measurement_edit_widget->measurement_id == measurement.id) {
        measurement_edit_widget->Set_Nominal_Length(measurement.nominal_length);
        measurement_edit_widget->Set_Position(measurement.position);
        measurement_edit_widget->Set_Axis(measurement.axis);
        measurement_edit_widget->Set_Measured_Length(measurement.has_measured_length,
                                                     measurement.measured_length);
    }
}

void TCurvalo::Restore_Fields_State(const TEditCommand::TFields &fields)
{
    if (model_combo->currentIndex() != fields.model_index) {
        const bool was_blocked = model_combo->blockSignals(true);
        model_combo->setCurrentIndex(fields.model_index);
        model_combo->blockSignals(was_blocked);
        const int model_type = model_combo->currentData().toInt();
        Set_Parameter_Rows(model_type);
        display_widget->Set_Deflection_Model(TDisplayWidget::TDeflectionModelType(model_type));
        results_model->Set_Deflection_Model(display_widget->Deflection_Model());
    }
    const std::array<QLineEdit *, 6> edits = Model_Field_Edits();
    for (int i = 0; i < 6; ++i) {
        if (edits[i]->text() != fields.texts[i]) {
            edits[i]->setText(fields.texts[i]);
        }
    }
    if (display_widget->Deflection_Model()) {
        display_widget->Set_Range(fields.values[4], fields.values[5]);
    }
    display_widget->Set_Model_Parameters(fields.values[0], fields.values[1], fields.values[2],
                                         fields.values[3]);
    Mark_Model_Fields();
    if (results_dock->Mpe_Texts() != fields.mpe_texts || results_dock->Mpe() != fields.mpe) {
        results_dock->Set_Mpe_Texts(fields.mpe, fields.mpe_texts);
        results_model->Set_Mpe(fields.mpe);
    }
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

void TCurvalo::Menu_Drawing_Legend()
{
    TMessageBox *box = new TMessageBox(this);
    box->setObjectName(QStringLiteral("legend_box"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("Curvalo"));
    box->setText(tr("What the drawing shows"));
    box->setInformativeText(
        Rich(tr("Grey: the nominal measuring volume, a grid over the Y and Z ranges. Y runs right, "
                "Z up.\n"
                "Red: the same grid moved by the model's corrections, multiplied by the "
                "exaggeration so that they can be seen. Lengths and numbers are never "
                "exaggerated.\n"
                "Arrow labels: the lengths of the drawn deflected lines in mm, each end moved by "
                "its correction.\n"
                "Bands: the gauges of the measurements with their ids; the selected ones are "
                "outlined dark and lie on top.\n"
                "Actual length (editor): what the deflected machine reports, the gauge ends each "
                "minus its correction, so its deviation from nominal has the opposite sign of the "
                "arrow labels'.\n"
                "The status bar shows the position under the mouse and the correction there.")));
    box->setIcon(QMessageBox::Information);
    box->setStandardButtons(QMessageBox::Ok);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
