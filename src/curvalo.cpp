#include "curvalo.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QSpacerItem>
#include <QToolBar>

#include "displaywidget.h"
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

void Hide_Row(QLabel *label, QLineEdit *edit, QLabel *units)
{
    label->setVisible(false);
    edit->setVisible(false);
    units->setVisible(false);
}
} // namespace

TCurvalo::TCurvalo(const QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(const_cast<QWidget *>(parent), flags)
{
    QFont notice_font(QStringLiteral("Verdana"), 8);
    notice_font.setStyle(QFont::StyleItalic);

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
    notice_label->setText(
        QStringLiteral("Simulation only: corrections are drawn exaggerated, lengths are not."));
    action_new->setText(QStringLiteral("New"));
    action_init->setText(QStringLiteral("Init"));
    action_quit->setText(QStringLiteral("Quit"));
    action_about->setText(QStringLiteral("About"));
    file_menu->setTitle(QStringLiteral("File"));
    view_menu->setTitle(QStringLiteral("View"));
    help_menu->setTitle(QStringLiteral("Help"));
    Set_Model_Control_Texts();

    for (QLineEdit *edit : {parameter1_edit, parameter2_edit, parameter3_edit, parameter4_edit}) {
        edit->setText(QStringLiteral("%1").arg(0.0, 0, 'f', 4));
    }
    range_y_edit->setText(QStringLiteral("%1").arg(1000.0, 0, 'f', 3));
    range_z_edit->setText(QStringLiteral("%1").arg(1000.0, 0, 'f', 3));

    model_combo->setCurrentIndex(0);
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
}

TCurvalo::~TCurvalo() = default;

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
}

void TCurvalo::Parameter1_Changed(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok) {
        display_widget->Set_Model_Parameter1(value);
    }
}

void TCurvalo::Parameter2_Changed(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok) {
        display_widget->Set_Model_Parameter2(value);
    }
}

void TCurvalo::Parameter3_Changed(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok) {
        display_widget->Set_Model_Parameter3(value);
    }
}

void TCurvalo::Parameter4_Changed(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok) {
        display_widget->Set_Model_Parameter4(value);
    }
}

void TCurvalo::Range_Y_Changed(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok) {
        display_widget->Set_Range_Y(value);
    }
}

void TCurvalo::Range_Z_Changed(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok) {
        display_widget->Set_Range_Z(value);
    }
}

void TCurvalo::Exaggeration_Changed(int value)
{
    display_widget->Set_Exaggeration(value);
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
