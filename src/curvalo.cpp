#include "curvalo.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QSpacerItem>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "displaywidget.h"
#include "measurementeditwidget.h"
#include "messagebox.h"

namespace
{
QFrame *Create_Horizontal_Line(QWidget *parent)
{
    QFrame *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// Numbers in the fields are read locale-independently; text that does not parse gives the
// fallback.
double Field_Value(const QLineEdit *edit, const double &fallback)
{
    bool ok = false;
    const double value = edit->text().toDouble(&ok);
    return ok ? value : fallback;
}

QLineEdit *Create_Centred_Edit(QWidget *parent, const QString &name)
{
    QLineEdit *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

QLabel *Create_Parameter_Label(QWidget *parent, const QString &name)
{
    QLabel *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel *Create_Units_Label(QWidget *parent, const QString &name)
{
    QLabel *label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

void Set_Row(QLabel *label, QLineEdit *edit, QLabel *units, const char *label_text,
             const char *units_text)
{
    label->setText(QString::fromLatin1(label_text));
    units->setText(QString::fromLatin1(units_text));
    label->setVisible(true);
    edit->setVisible(true);
    units->setVisible(true);
}

// A restored parameter in fixed-point notation: four decimals where they give back the stored
// value, otherwise just as many as it needs, so that a small parameter such as 0.00001 does
// not come back as 0.0000 and silently reach the model as zero.
QString Parameter_Text(const double &value)
{
    const QString text = QString::number(value, 'f', 4);
    if (!std::isfinite(value) || text.toDouble() == value) {
        return text;
    }
    // A double never needs more decimals than this to read back exactly.
    for (int decimals = 5; decimals <= 1100; ++decimals) {
        const QString longer = QString::number(value, 'f', decimals);
        if (longer.toDouble() == value) {
            return longer;
        }
    }
    return text;
}

// The two nominal end points of a gauge of the given length centred on the position.
void Gauge_Ends(const TVector3 &position, const TVector3 &axis, const double &length,
                TVector3 *end1, TVector3 *end2)
{
    const double h = length * 0.5;
    const TVector3 half = axis * h;
    *end1 = position + half;
    *end2 = position - half;
}

void Hide_Row(QLabel *label, QLineEdit *edit, QLabel *units)
{
    label->setVisible(false);
    edit->setVisible(false);
    units->setVisible(false);
}
} // namespace

TCurvalo::TCurvalo(const QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(const_cast<QWidget *>(parent), flags)
    , settings(nullptr)
    , settings_writable(false)
    , keep_measurement_file(false)
{
    QFont notice_font(QStringLiteral("Verdana"), 8);
    notice_font.setStyle(QFont::StyleItalic);

    Open_Settings();
    Restore_Geometry();
    message_box = new TMessageBox(this);

    action_new = new QAction(this);
    action_new->setShortcut(QKeySequence::New);
    action_new->setIcon(QIcon(QStringLiteral(":/menu/file_new.png")));
    action_init = new QAction(this);
    action_init->setIcon(QIcon(QStringLiteral(":/menu/file_init.png")));
    action_quit = new QAction(this);
    action_quit->setShortcut(QKeySequence::Quit);
    action_about = new QAction(this);

    QMenuBar *menu_bar = new QMenuBar(this);
    setMenuBar(menu_bar);
    QMenu *file_menu = menu_bar->addMenu(QString());
    QMenu *view_menu = menu_bar->addMenu(QString());
    QMenu *help_menu = menu_bar->addMenu(QString());
    file_menu->addAction(action_new);
    file_menu->addAction(action_init);
    file_menu->addSeparator();
    file_menu->addAction(action_quit);
    help_menu->addAction(action_about);
    menu_bar->resize(800, 22);

    QToolBar *tool_bar = new QToolBar(this);
    addToolBar(Qt::TopToolBarArea, tool_bar);
    tool_bar->addAction(action_new);
    tool_bar->addAction(action_init);
    tool_bar->addSeparator();

    QDockWidget *dock = new QDockWidget(this);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    view_menu->addAction(dock->toggleViewAction());
    Create_Dock_Contents(dock);

    QWidget *central_widget = new QWidget(this);
    setCentralWidget(central_widget);
    QGridLayout *central_layout = new QGridLayout(central_widget);
    Create_Model_Controls(central_widget, central_layout, tool_bar);
    central_layout->addWidget(Create_Horizontal_Line(central_widget), 1, 0, 1, 10);
    central_layout->addWidget(Create_Horizontal_Line(central_widget), 6, 0, 1, 7);
    QLabel *notice_label = new QLabel(central_widget);
    notice_label->setFont(notice_font);
    central_layout->addWidget(notice_label, 7, 0, 1, 7);

    setTabOrder(model_combo, range_y_edit);
    setTabOrder(range_y_edit, range_z_edit);
    setTabOrder(range_z_edit, parameter1_edit);
    setTabOrder(parameter1_edit, parameter2_edit);
    setTabOrder(parameter2_edit, parameter3_edit);
    setTabOrder(parameter3_edit, parameter4_edit);
    setTabOrder(parameter4_edit, exaggeration_slider);

    setWindowTitle(QStringLiteral("Curvalo"));
    dock->setWindowTitle(QStringLiteral("Measurement Editor"));
    notice_label->setText(QStringLiteral("Corrections drawn exaggerated; lengths are not."));
    action_new->setText(QStringLiteral("New"));
    action_init->setText(QStringLiteral("Init"));
    action_quit->setText(QStringLiteral("Quit"));
    action_about->setText(QStringLiteral("About"));
    file_menu->setTitle(QStringLiteral("File"));
    view_menu->setTitle(QStringLiteral("View"));
    help_menu->setTitle(QStringLiteral("Help"));
    Set_Model_Control_Texts();
    add_button->setText(QStringLiteral("+"));
    remove_button->setText(QStringLiteral("-"));

    Restore_Fields();
    Load_Measurements();
    remove_button->setEnabled(false);
    measurement_edit_widget->setEnabled(false);

    for (QLineEdit *range_edit : {range_y_edit, range_z_edit}) {
        if (Field_Value(range_edit, 0.0) < 1.0) {
            range_edit->setText(QStringLiteral("1000.000"));
        }
    }

    model_combo->setCurrentIndex(settings->value(QStringLiteral("Deflection_Model"), 0).toInt());
    Deflection_Model_Changed(model_combo->currentIndex());

    // Last, so that nothing above runs a slot through a signal.
    connect(action_quit, &QAction::triggered, this, &QWidget::close);
    connect(action_about, &QAction::triggered, this, &TCurvalo::Menu_About);
    connect(model_combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TCurvalo::Deflection_Model_Changed);
    connect(parameter1_edit, &QLineEdit::textEdited, this, &TCurvalo::Parameter1_Changed);
    connect(parameter2_edit, &QLineEdit::textEdited, this, &TCurvalo::Parameter2_Changed);
    connect(parameter3_edit, &QLineEdit::textEdited, this, &TCurvalo::Parameter3_Changed);
    connect(parameter4_edit, &QLineEdit::textEdited, this, &TCurvalo::Parameter4_Changed);
    connect(range_y_edit, &QLineEdit::textEdited, this, &TCurvalo::Range_Y_Changed);
    connect(range_z_edit, &QLineEdit::textEdited, this, &TCurvalo::Range_Z_Changed);
    connect(exaggeration_slider, &QSlider::valueChanged, this, &TCurvalo::Exaggeration_Changed);
    connect(add_button, &QToolButton::clicked, this, &TCurvalo::Add_Measurement);
    connect(remove_button, &QToolButton::clicked, this, &TCurvalo::Remove_Measurements);
    connect(measurement_list, &QListWidget::itemSelectionChanged, this,
            &TCurvalo::Measurement_Selection_Changed);
    connect(measurement_edit_widget, &TMeasurementEditWidget::Data_Changed, this,
            &TCurvalo::Measurement_Data_Changed);
    connect(action_new, &QAction::triggered, this, &TCurvalo::Menu_New);
    connect(action_init, &QAction::triggered, this, &TCurvalo::Menu_Init);
}

TCurvalo::~TCurvalo() = default;

// Finds or makes ~/.curvalo. When it can be neither made nor entered the program still works,
// reading the defaults and writing nothing.
void TCurvalo::Open_Settings()
{
    QDir home(QDir::homePath());
    if (!home.exists(QStringLiteral(".curvalo"))) {
        home.mkdir(QStringLiteral(".curvalo"));
    }
    const QFileInfo directory(home.filePath(QStringLiteral(".curvalo")));
    settings_writable = directory.isDir() && directory.isExecutable() && directory.isWritable();
    if (settings_writable) {
        settings_path = directory.absoluteFilePath();
    } else {
        qWarning().noquote() << QStringLiteral(
                                    "Curvalo: cannot use the settings directory '%1'; settings "
                                    "and measurements will not be saved.")
                                    .arg(directory.absoluteFilePath());
    }
    settings = new QSettings(directory.absoluteFilePath() + QStringLiteral("/settings.ini"),
                             QSettings::IniFormat, this);
}

// The stored geometry, clipped to the primary screen's available area; a window that would
// keep less than 101 x 101 pixels there comes back at 901 x 901 at (30, 30).
void TCurvalo::Restore_Geometry()
{
    const QPoint position =
        settings->value(QStringLiteral("Mainwindow_Position"), QPoint(30, 30)).toPoint();
    const QSize size = settings->value(QStringLiteral("Mainwindow_Size"), QSize(801, 601)).toSize();
    QRect visible(position, size);
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

void TCurvalo::Restore_Fields()
{
    QLineEdit *const parameter_edits[] = {parameter1_edit, parameter2_edit, parameter3_edit,
                                          parameter4_edit};
    for (int i = 0; i < 4; ++i) {
        const double value =
            settings->value(QStringLiteral("Model_Parameter%1").arg(i + 1), 0.0).toDouble();
        parameter_edits[i]->setText(Parameter_Text(value));
    }
    range_y_edit->setText(
        QString::number(settings->value(QStringLiteral("Range_Y"), 1000.0).toDouble(), 'f', 3));
    range_z_edit->setText(
        QString::number(settings->value(QStringLiteral("Range_Z"), 1000.0).toDouble(), 'f', 3));
}

QString TCurvalo::Measurement_File() const
{
    return settings_path + QStringLiteral("/measurements.xml");
}

// Loads the measurement file and fills the list and the gauges from whatever the store holds.
// A file that exists but did not load completely is marked, so that the close does not
// overwrite what the user had on disk.
void TCurvalo::Load_Measurements()
{
    if (settings_writable) {
        const bool loaded = measurement_data.Load_Data(Measurement_File());
        keep_measurement_file = QFileInfo::exists(Measurement_File()) &&
                                (!loaded || measurement_data.Dropped_Records() > 0);
    }
    for (const int id : measurement_data.Get_Measurement_Ids()) {
        Append_Measurement_Row(id);
        Add_Gauge(id);
    }
}

// Moves the measurement file that did not load completely to the first free name
// "measurements.xml.bak", "measurements.xml.bak.1", ...; false when that failed.
void TCurvalo::Keep_Unreadable_Measurement_File()
{
    const QString file = Measurement_File();
    QString kept = file + QStringLiteral(".bak");
    for (int number = 1; QFileInfo::exists(kept); ++number) {
        kept = file + QStringLiteral(".bak.%1").arg(number);
    }
    if (QFile::rename(file, kept)) {
        keep_measurement_file = false;
        qWarning().noquote() << QStringLiteral("Curvalo: '%1' could not be read completely; it "
                                               "was kept as '%2' before saving the measurements.")
                                    .arg(file, kept);
    }
}

void TCurvalo::closeEvent(QCloseEvent *event)
{
    if (settings_writable) {
        settings->setValue(QStringLiteral("Mainwindow_Position"), pos());
        settings->setValue(QStringLiteral("Mainwindow_Size"), size());
        settings->setValue(QStringLiteral("Model_Parameter1"), display_widget->Model_Parameter1());
        settings->setValue(QStringLiteral("Model_Parameter2"), display_widget->Model_Parameter2());
        settings->setValue(QStringLiteral("Model_Parameter3"), display_widget->Model_Parameter3());
        settings->setValue(QStringLiteral("Model_Parameter4"), display_widget->Model_Parameter4());
        settings->setValue(QStringLiteral("Range_Y"), Field_Value(range_y_edit, 0.0));
        settings->setValue(QStringLiteral("Range_Z"), Field_Value(range_z_edit, 0.0));
        settings->setValue(QStringLiteral("Deflection_Model"), model_combo->currentIndex());
        settings->sync();
        if (settings->status() != QSettings::NoError) {
            qWarning().noquote() << QStringLiteral(
                                        "Curvalo: the settings could not be written to '%1'.")
                                        .arg(settings->fileName());
        }

        if (keep_measurement_file) {
            Keep_Unreadable_Measurement_File();
        }
        if (keep_measurement_file) {
            qWarning().noquote() << QStringLiteral("Curvalo: '%1' could not be read completely "
                                                   "nor kept under another name; the "
                                                   "measurements were not saved over it.")
                                        .arg(Measurement_File());
        } else if (!measurement_data.Save_Data(Measurement_File())) {
            qWarning().noquote() << QStringLiteral("Curvalo: the measurements were not saved: %1")
                                        .arg(measurement_data.Last_Error());
        }
    }
    event->accept();
}

// The measurement list with its "+" and "-" buttons over the measurement editor.
void TCurvalo::Create_Dock_Contents(QDockWidget *dock)
{
    QWidget *contents = new QWidget;
    QVBoxLayout *layout = new QVBoxLayout(contents);

    measurement_list = new QListWidget(contents);
    measurement_list->setObjectName(QStringLiteral("measurement_list"));
    measurement_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    measurement_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
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

    layout->addWidget(Create_Horizontal_Line(contents));
    measurement_edit_widget = new TMeasurementEditWidget(contents);
    layout->addWidget(measurement_edit_widget);

    dock->setWidget(contents);
}

void TCurvalo::Append_Measurement_Row(int id)
{
    QListWidgetItem *item = new QListWidgetItem(QStringLiteral("Measurement %1").arg(id));
    item->setData(Qt::UserRole, id);
    measurement_list->addItem(item);
}

void TCurvalo::Add_Gauge(int id)
{
    TMeasurementData::TMeasurement measurement;
    if (measurement_data.Get_Measurement(id, &measurement)) {
        TVector3 end1;
        TVector3 end2;
        Gauge_Ends(measurement.position, measurement.axis, measurement.nominal_length, &end1,
                   &end2);
        display_widget->Add_Length_Measurement(id, end1, end2);
    }
}

// The drawing over the model controls in the central grid, and the exaggeration slider in the
// tool bar behind its separator.
void TCurvalo::Create_Model_Controls(QWidget *central_widget, QGridLayout *layout,
                                     QToolBar *tool_bar)
{
    display_widget = new TDisplayWidget(central_widget);
    display_widget->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    layout->addWidget(display_widget, 0, 0, 1, 7);

    QLabel *model_label = new QLabel(central_widget);
    model_label->setObjectName(QStringLiteral("model_label"));
    model_combo = new QComboBox(central_widget);
    model_combo->setObjectName(QStringLiteral("model_combo"));
    layout->addWidget(model_label, 2, 0);
    layout->addWidget(model_combo, 2, 1);

    QLabel *range_y_label = new QLabel(central_widget);
    range_y_label->setObjectName(QStringLiteral("range_y_label"));
    range_y_edit = Create_Centred_Edit(central_widget, QStringLiteral("range_y_edit"));
    QLabel *range_y_units = Create_Units_Label(central_widget, QStringLiteral("range_y_units"));
    layout->addWidget(range_y_label, 3, 0);
    layout->addWidget(range_y_edit, 3, 1);
    layout->addWidget(range_y_units, 3, 2);

    QLabel *range_z_label = new QLabel(central_widget);
    range_z_label->setObjectName(QStringLiteral("range_z_label"));
    range_z_edit = Create_Centred_Edit(central_widget, QStringLiteral("range_z_edit"));
    QLabel *range_z_units = Create_Units_Label(central_widget, QStringLiteral("range_z_units"));
    layout->addWidget(range_z_label, 4, 0);
    layout->addWidget(range_z_edit, 4, 1);
    layout->addWidget(range_z_units, 4, 2);

    parameter1_label = Create_Parameter_Label(central_widget, QStringLiteral("parameter1_label"));
    parameter1_edit = Create_Centred_Edit(central_widget, QStringLiteral("parameter1_edit"));
    parameter1_units = Create_Units_Label(central_widget, QStringLiteral("parameter1_units"));
    parameter2_label = Create_Parameter_Label(central_widget, QStringLiteral("parameter2_label"));
    parameter2_edit = Create_Centred_Edit(central_widget, QStringLiteral("parameter2_edit"));
    parameter2_units = Create_Units_Label(central_widget, QStringLiteral("parameter2_units"));
    parameter3_label = Create_Parameter_Label(central_widget, QStringLiteral("parameter3_label"));
    parameter3_edit = Create_Centred_Edit(central_widget, QStringLiteral("parameter3_edit"));
    parameter3_units = Create_Units_Label(central_widget, QStringLiteral("parameter3_units"));
    parameter4_label = Create_Parameter_Label(central_widget, QStringLiteral("parameter4_label"));
    parameter4_edit = Create_Centred_Edit(central_widget, QStringLiteral("parameter4_edit"));
    parameter4_units = Create_Units_Label(central_widget, QStringLiteral("parameter4_units"));
    layout->addWidget(parameter1_label, 2, 3);
    layout->addWidget(parameter1_edit, 2, 4);
    layout->addWidget(parameter1_units, 2, 5);
    layout->addWidget(parameter2_label, 3, 3);
    layout->addWidget(parameter2_edit, 3, 4);
    layout->addWidget(parameter2_units, 3, 5);
    layout->addWidget(parameter3_label, 4, 3);
    layout->addWidget(parameter3_edit, 4, 4);
    layout->addWidget(parameter3_units, 4, 5);
    layout->addWidget(parameter4_label, 5, 3);
    layout->addWidget(parameter4_edit, 5, 4);
    layout->addWidget(parameter4_units, 5, 5);

    // Pushes the controls to the left.
    layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), 2, 6, 4,
                    1);

    QLabel *exaggeration_label = new QLabel;
    exaggeration_label->setObjectName(QStringLiteral("exaggeration_label"));
    exaggeration_label->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Preferred);
    exaggeration_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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
    tool_bar->addWidget(exaggeration_label);
    tool_bar->addWidget(exaggeration_slider);
}

void TCurvalo::Set_Model_Control_Texts()
{
    findChild<QLabel *>(QStringLiteral("model_label"))
        ->setText(QStringLiteral("Deflection Model:"));
    findChild<QLabel *>(QStringLiteral("range_y_label"))->setText(QStringLiteral("Y Range:"));
    findChild<QLabel *>(QStringLiteral("range_z_label"))->setText(QStringLiteral("Z Range:"));
    findChild<QLabel *>(QStringLiteral("range_y_units"))->setText(QStringLiteral("mm"));
    findChild<QLabel *>(QStringLiteral("range_z_units"))->setText(QStringLiteral("mm"));
    findChild<QLabel *>(QStringLiteral("exaggeration_label"))
        ->setText(QStringLiteral("Exaggeration:"));

    model_combo->addItem(QStringLiteral("Generic Deflection"),
                         int(TDisplayWidget::DEFLECTION_MODEL_GENERIC));
    model_combo->addItem(QStringLiteral("Renishaw Deflection"),
                         int(TDisplayWidget::DEFLECTION_MODEL_RENISHAW));
    model_combo->addItem(QStringLiteral("LK Deflection"), int(TDisplayWidget::DEFLECTION_MODEL_LK));
}

// Labels, units and visibility of the four parameter rows for a model type; a hidden row keeps
// its texts, and its field keeps its number.
void TCurvalo::Set_Parameter_Rows(int model_type)
{
    switch (model_type) {
    case TDisplayWidget::DEFLECTION_MODEL_GENERIC:
        Set_Row(parameter1_label, parameter1_edit, parameter1_units, "Tower Rotation:", "mm/m");
        Set_Row(parameter2_label, parameter2_edit, parameter2_units, "Correction Y:", "mm");
        Set_Row(parameter3_label, parameter3_edit, parameter3_units, "Correction Z:", "mm");
        Hide_Row(parameter4_label, parameter4_edit, parameter4_units);
        break;
    case TDisplayWidget::DEFLECTION_MODEL_RENISHAW:
        Set_Row(parameter1_label, parameter1_edit, parameter1_units, "Tilt:", "mRad/m");
        Set_Row(parameter2_label, parameter2_edit, parameter2_units, "Bend2:", "mm/m2/m");
        Set_Row(parameter3_label, parameter3_edit, parameter3_units, "Bend3:", "mm/m3/m");
        Hide_Row(parameter4_label, parameter4_edit, parameter4_units);
        break;
    case TDisplayWidget::DEFLECTION_MODEL_LK:
        Set_Row(parameter1_label, parameter1_edit, parameter1_units, "ZCRS.R1.C1:", "mm/mm");
        Set_Row(parameter2_label, parameter2_edit, parameter2_units, "ZCRS.R2.C1:", "mm/mm");
        Set_Row(parameter3_label, parameter3_edit, parameter3_units, "ZCRS.R3.C1:", "arcsec");
        Set_Row(parameter4_label, parameter4_edit, parameter4_units, "ZCRS.R4.C1:", "mm/mm");
        break;
    case 0:
        Hide_Row(parameter1_label, parameter1_edit, parameter1_units);
        Hide_Row(parameter2_label, parameter2_edit, parameter2_units);
        Hide_Row(parameter3_label, parameter3_edit, parameter3_units);
        Hide_Row(parameter4_label, parameter4_edit, parameter4_units);
        break;
    default:
        break;
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
        Field_Value(parameter1_edit, 0.0), Field_Value(parameter2_edit, 0.0),
        Field_Value(parameter3_edit, 0.0), Field_Value(parameter4_edit, 0.0));
    Update_Actual_Length();
}

// Hands a number the user typed to the display; text that does not parse changes nothing and
// stays in the field as typed.
void TCurvalo::Apply_Typed_Value(const QString &text,
                                 void (TDisplayWidget::*setter)(const double &))
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok) {
        (display_widget->*setter)(value);
        Update_Actual_Length();
    }
}

void TCurvalo::Parameter1_Changed(const QString &text)
{
    Apply_Typed_Value(text, &TDisplayWidget::Set_Model_Parameter1);
}

void TCurvalo::Parameter2_Changed(const QString &text)
{
    Apply_Typed_Value(text, &TDisplayWidget::Set_Model_Parameter2);
}

void TCurvalo::Parameter3_Changed(const QString &text)
{
    Apply_Typed_Value(text, &TDisplayWidget::Set_Model_Parameter3);
}

void TCurvalo::Parameter4_Changed(const QString &text)
{
    Apply_Typed_Value(text, &TDisplayWidget::Set_Model_Parameter4);
}

void TCurvalo::Range_Y_Changed(const QString &text)
{
    Apply_Typed_Value(text, &TDisplayWidget::Set_Range_Y);
}

void TCurvalo::Range_Z_Changed(const QString &text)
{
    Apply_Typed_Value(text, &TDisplayWidget::Set_Range_Z);
}

void TCurvalo::Exaggeration_Changed(int value)
{
    display_widget->Set_Exaggeration(value);
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

    // Selecting the row loads it into the editor through Measurement_Selection_Changed.
    QListWidgetItem *item = measurement_list->item(measurement_list->count() - 1);
    measurement_list->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
}

void TCurvalo::Remove_Measurements()
{
    const QList<QListWidgetItem *> selected = measurement_list->selectedItems();
    for (QListWidgetItem *item : selected) {
        QListWidgetItem *taken = measurement_list->takeItem(measurement_list->row(item));
        const int id = taken->data(Qt::UserRole).toInt();
        delete taken;
        measurement_data.Remove_Measurement(id);
        display_widget->Remove_Length_Measurement(id);
    }
    measurement_edit_widget->setEnabled(false);
    measurement_edit_widget->Clear_Display();
}

void TCurvalo::Measurement_Selection_Changed()
{
    const QList<QListWidgetItem *> selected = measurement_list->selectedItems();
    remove_button->setEnabled(!selected.isEmpty());
    measurement_edit_widget->setEnabled(false);

    TMeasurementData::TMeasurement measurement;
    if (selected.size() == 1 && measurement_data.Get_Measurement(
                                    selected.first()->data(Qt::UserRole).toInt(), &measurement)) {
        measurement_edit_widget->measurement_id = measurement.id;
        measurement_edit_widget->Set_Nominal_Length(measurement.nominal_length);
        measurement_edit_widget->Set_Position(measurement.position);
        measurement_edit_widget->Set_Axis(measurement.axis);
        measurement_edit_widget->setEnabled(true);
        Update_Actual_Length();
    } else {
        measurement_edit_widget->Clear_Display();
    }
}

void TCurvalo::Measurement_Data_Changed()
{
    const TMeasurementData::TMeasurement measurement{
        measurement_edit_widget->measurement_id, measurement_edit_widget->Position(),
        measurement_edit_widget->Axis(), measurement_edit_widget->Nominal_Length()};
    measurement_data.Update_Measurement(measurement);

    TVector3 end1;
    TVector3 end2;
    Gauge_Ends(measurement.position, measurement.axis, measurement.nominal_length, &end1, &end2);
    display_widget->Update_Length_Measurement(measurement.id, end1, end2);
    Update_Actual_Length();
}

void TCurvalo::Update_Actual_Length()
{
    if (!measurement_edit_widget->isEnabled()) {
        return;
    }
    TVector3 end1;
    TVector3 end2;
    Gauge_Ends(measurement_edit_widget->Position(), measurement_edit_widget->Axis(),
               measurement_edit_widget->Nominal_Length(), &end1, &end2);

    // The corrections at the nominal ends, not exaggerated.
    const TVector3 difference =
        display_widget->Get_Gauge_Point(end1) - display_widget->Get_Gauge_Point(end2);
    measurement_edit_widget->Set_Actual_Length(std::sqrt(
        difference.x * difference.x + difference.y * difference.y + difference.z * difference.z));
}

void TCurvalo::Menu_New()
{
    message_box->setText(QStringLiteral("Delete Measurements"));
    message_box->setInformativeText(
        QStringLiteral("Do you want to delete all measurements and reset settings?"));
    message_box->setDetailedText(QString());
    message_box->setIcon(QMessageBox::Warning);
    message_box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    message_box->setDefaultButton(QMessageBox::Yes);
    if (message_box->exec() != QMessageBox::Yes) {
        return;
    }

    const bool was_blocked = measurement_list->blockSignals(true);
    measurement_list->clear();
    measurement_list->blockSignals(was_blocked);
    measurement_data.Clear_Measurements();
    display_widget->Clear_Length_Measurements();
    measurement_edit_widget->Clear_Display();
    measurement_edit_widget->setEnabled(false);

    // The "reset settings" of the question: the model parameters go back to their presets.
    Menu_Init();
}

void TCurvalo::Menu_Init()
{
    double values[4] = {0.0, 0.0, 0.0, 0.0};
    switch (model_combo->currentData().toInt()) {
    case TDisplayWidget::DEFLECTION_MODEL_GENERIC:
    case TDisplayWidget::DEFLECTION_MODEL_RENISHAW:
        parameter1_edit->setText(QStringLiteral("-0.0500"));
        parameter2_edit->setText(QStringLiteral("-0.0100"));
        parameter3_edit->setText(QStringLiteral("-0.0100"));
        parameter4_edit->setText(QStringLiteral("0.0000"));
        values[0] = -0.05;
        values[1] = -0.01;
        values[2] = -0.01;
        break;
    case TDisplayWidget::DEFLECTION_MODEL_LK:
        parameter1_edit->setText(QStringLiteral("0.00001"));
        parameter2_edit->setText(QStringLiteral("0.0010"));
        parameter3_edit->setText(QStringLiteral("-0.0103"));
        parameter4_edit->setText(QStringLiteral("0.0010"));
        values[0] = 0.00001;
        values[1] = 0.001;
        values[2] = -0.0103;
        values[3] = 0.001;
        break;
    default: // no model chosen: the fields stay, the display gets zeros
        break;
    }
    display_widget->Set_Model_Parameters(values[0], values[1], values[2], values[3]);
    Update_Actual_Length();
}

void TCurvalo::Menu_About()
{
    message_box->setText(QStringLiteral("Help - About"));
    message_box->setInformativeText(QStringLiteral("Curvalo - Version 2.0"));
    message_box->setDetailedText(QString());
    message_box->setIcon(QMessageBox::Information);
    message_box->setStandardButtons(QMessageBox::Ok);
    message_box->setDefaultButton(QMessageBox::Ok);
    message_box->exec();
}
