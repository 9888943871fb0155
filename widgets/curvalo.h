// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TCURVALO_H
#define TCURVALO_H

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "editcommand.h"
#include "measurementdata.h"
#include "persistence.h"

class QAction;
class QComboBox;
class QDockWidget;
class QGridLayout;
class QLabel;
class QLineEdit;
class QCloseEvent;
class QListWidget;
class QMenu;
class QMoveEvent;
class QResizeEvent;
class QSlider;
class QSpinBox;
class QTimer;
class QToolBar;
class QToolButton;
class QUndoStack;
class TDisplayWidget;
class TMeasurementEditWidget;
class TMessageBox;
class TReportWriter;
class TResultsDock;
class TResultsModel;
class TUserGuideDialog;

class TCurvalo : public QMainWindow
{
    Q_OBJECT

public:
    explicit TCurvalo(const QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TCurvalo() override;

    // What the program sets before its application object exists, for screens of higher
    // density.
    static void Enable_High_Dpi();

    // The measurements as the window holds them, for reading only.
    const TMeasurementData &Measurement_Data() const { return measurement_data; }

    // The output and the measurement sets of the File menu, once the user has chosen the file;
    // each is written all at once, and false comes with the reason.
    bool Export_Picture(const QString &file_name, const QSize &size, int png_scale,
                        QString *error) const;
    bool Export_Report(const QString &file_name, QString *error) const;
    bool Export_Measurements(const QString &file_name, QString *error) const;
    // Nothing is imported from a file with errors; *errors lists them.
    bool Import_Measurements(const QString &file_name, bool replace, QStringList *errors);

    // The steps the user can undo and redo.
    QUndoStack *Undo_Stack() const { return undo_stack; }

    // The files on disk as the window sees them, for reading only.
    const TPersistence &Persistence() const { return persistence; }

    // True when another running Curvalo works on the settings folder: this window then read
    // nothing and writes nothing, and the program should say so and end.
    bool Settings_Folder_In_Use() const;
    // Tells the user so, in a box of its own, and returns once it is dismissed.
    void Tell_Settings_Folder_In_Use();

public slots:
    // Closes with nobody to ask (the program is asked to terminate): saves what it can and
    // closes whether that worked or not.
    void Close_Unattended();

protected:
    // Saves the settings and the measurements. When that fails, the user chooses between
    // closing without saving and keeping the window open.
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void Deflection_Model_Changed(int index);
    void Parameter1_Changed(const QString &text);
    void Parameter2_Changed(const QString &text);
    void Parameter3_Changed(const QString &text);
    void Parameter4_Changed(const QString &text);
    void Range_Y_Changed(const QString &text);
    void Range_Z_Changed(const QString &text);
    void Exaggeration_Changed(int value);
    void Add_Measurement();
    void Remove_Measurements();
    void Measurement_Selection_Changed();
    void Measurement_Data_Changed();
    void Menu_New();
    void Menu_Init();
    void Menu_About();
    void Menu_User_Guide();
    void Menu_Drawing_Legend();
    void Show_Readout(const QString &text);
    void Menu_Test_Plan();
    void Menu_Fit();
    void Menu_Export_Picture();
    void Menu_Export_Report();
    void Menu_Print();
    void Menu_Print_Preview();
    void Menu_Import_Measurements();
    void Menu_Export_Measurements();
    void Mpe_Changed();
    void Results_Rows_Selected(const QList<int> &ids);
    void Measured_Length_Edited(int id);
    void Schedule_Autosave();
    void Autosave();
    void Tell_Start_Problems();
    void End_Typing_Step();

private:
    // The steps of construction, in this order.
    void Restore_Geometry(const TPersistence::TSettings &stored);
    void Create_Actions_And_Menus();
    void Create_Dock();
    void Create_Results_Dock();
    void Create_Model_Controls();
    void Set_Texts();
    void Set_Tool_Tips();
    void Restore_Fields(const TPersistence::TSettings &stored);
    void Load_Measurements();
    void Restore_Model(const TPersistence::TSettings &stored);
    void Connect_Signals();

    // Puts what the user just did on the undo stack as one step, when it changed anything;
    // steps with the same merge key in a row (typing into one field) become one.
    void Record_Step(const QString &text, int merge_key = -1);
    TEditCommand::TFields Current_Fields() const;
    // The four parameter fields, then the Y and Z range fields.
    std::array<QLineEdit *, 6> Model_Field_Edits() const;
    // Brings the window to the state of a step, for undo and redo.
    void Restore_Step(const TEditCommand::TFields &fields, const TMeasurementChange &change,
                      bool undo);
    void Restore_Fields_State(const TEditCommand::TFields &fields);
    // Marks each model field whose text the model does not use as shown.
    void Mark_Model_Fields();
    void Mark_Model_Field(QLineEdit *edit, const std::function<double()> &in_use, bool is_range);
    // Shows the store's record again in its gauge and, when it is the one shown, the editor.
    void Show_Measurement(const TMeasurementData::TMeasurement &measurement);
    void Init_Parameters();
    void Clear_Measurements();

    // Shows in the editor the length that the deflected machine would report for the
    // measurement being edited.
    void Update_Actual_Length();
    // Evaluates every measurement again for the table, the summary and the chart.
    void Refresh_Results();
    void Parameter_Changed(int index, const QString &text);
    void Range_Changed(bool z, const QString &text);
    // Hands a number the user typed to the display; text that is no usable number changes
    // nothing, and the field is marked with the value in use.
    void Apply_Typed_Value(QLineEdit *edit, const QString &text,
                           void (TDisplayWidget::*setter)(const double &),
                           const std::function<double()> &in_use, bool is_range);
    void Append_Measurement_Row(int id);
    void Add_Gauge(int id);
    void Set_Parameter_Rows(int model_type);
    TPersistence::TSettings Current_Settings() const;
    // The report of the test as it stands, with what the report dialog remembers.
    std::unique_ptr<TReportWriter> Report() const;
    // Asks for the report's title, machine, operator and notes; false when cancelled.
    bool Ask_Report_Details();
    // Fills the list and the gauges again from the store, after it changed as a whole.
    void Reload_Measurement_List();
    // Writes what changed (everything when forced). A failure shows in the status bar until a
    // save succeeds, and is told once in a box when tell is set.
    bool Save(bool force, bool tell);
    void Show_Unsaved_Notice(bool shown);
    // A box over the window that neither waits for an answer nor blocks the window.
    void Show_Notice(const QString &text, const QString &informative_text);

    QAction *action_new;
    QAction *action_init;
    QAction *action_quit;
    QAction *action_about;
    QAction *action_user_guide;
    QAction *action_legend;
    QMenu *file_menu;
    QMenu *edit_menu;
    QAction *action_undo;
    QAction *action_redo;
    QAction *action_delete;
    QUndoStack *undo_stack;
    QMenu *view_menu;
    QMenu *tools_menu;
    QAction *action_test_plan;
    QAction *action_fit;
    QAction *action_export_picture;
    QAction *action_export_report;
    QAction *action_print;
    QAction *action_print_preview;
    QAction *action_import;
    QAction *action_export;
    QMenu *help_menu;
    QToolBar *tool_bar;
    QDockWidget *dock;
    TResultsModel *results_model;
    TResultsDock *results_dock;
    QListWidget *measurement_list;
    TMeasurementEditWidget *measurement_edit_widget;
    QToolButton *add_button;
    QToolButton *remove_button;
    TDisplayWidget *display_widget;
    QGridLayout *central_layout;
    QLabel *model_label;
    QComboBox *model_combo;
    QLabel *range_y_label;
    QLineEdit *range_y_edit;
    QLabel *range_y_units;
    QLabel *range_z_label;
    QLineEdit *range_z_edit;
    QLabel *range_z_units;
    // The four parameter rows: label, field and units.
    QLabel *parameter_labels[4];
    QLineEdit *parameter_edits[4];
    QLabel *parameter_units[4];
    QLabel *exaggeration_label;
    QSlider *exaggeration_slider;
    // The slider's value as a number, to read and to type.
    QSpinBox *exaggeration_spin;
    QLabel *notice_label;
    TMessageBox *message_box;
    QLabel *unsaved_label;
    // What lies under the mouse in the drawing.
    QLabel *readout_label;
    // Made when first asked for, so that it never delays the start.
    TUserGuideDialog *user_guide;
    QTimer *autosave_timer;
    // A failed save has been told and not yet followed by a successful one.
    bool save_failure_told;
    bool closing_unattended;
    // The parameters read at start, saved again while no model can be asked for its own.
    double stored_parameters[4];
    QString report_details[4]; // title, machine, operator, notes
    TPersistence persistence;
    TMeasurementData measurement_data;
    // The state after the last step on the undo stack, which the next step starts from.
    std::vector<TMeasurementData::TMeasurement> recorded_measurements;
    TEditCommand::TFields recorded_fields;
    // Bumped when typing into a field ends, so that the next keystroke starts a new step.
    int merge_serial;
    // False while the window is built and while a step is undone or redone.
    bool recording;
};

#endif
