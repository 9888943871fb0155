// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TCURVALO_H
#define TCURVALO_H

#include <QList>
#include <QMainWindow>
#include <memory>
#include <vector>

#include "measurementdata.h"
#include "persistence.h"

class QAction;
class QCloseEvent;
class QGridLayout;
class QLabel;
class QMenu;
class QToolBar;
class QUndoStack;
class TAutosave;
class TDisplayWidget;
class TExaggerationControl;
class TMeasurementDock;
class TMeasurementSetActions;
class TMessageBox;
class TModelControls;
class TNotices;
class TReportActions;
class TResultsDock;
class TResultsModel;
class TStepCommand;
class TTestDocument;
class TTestFileActions;
class TWindowLayout;
class TFitActions;
class TUserGuideDialog;

// The main window. The test it shows lives in a test document; the window builds the menus,
// the tool bar, the docks, the drawing and the model controls, lets each of them observe the
// document, and turns what the user does into undoable steps on it.
class TCurvalo : public QMainWindow
{
    Q_OBJECT

public:
    explicit TCurvalo(const QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TCurvalo() override;

    // What the program sets before its application object exists, for screens of higher
    // density.
    static void Enable_High_Dpi();

    // The test the window shows, for reading only.
    const TTestDocument &Document() const { return *document; }
    // The measurements as the window holds them, for reading only.
    const TMeasurementData &Measurement_Data() const;

    // The output and the measurement sets of the File menu, once the user has chosen the file;
    // each is written all at once, and false comes with the reason.
    bool Export_Picture(const QString &file_name, const QSize &size, int png_scale,
                        QString *error) const;
    bool Export_Report(const QString &file_name, QString *error) const;
    bool Export_Measurements(const QString &file_name, QString *error) const;
    // Nothing is imported from a file with errors; *errors lists them.
    bool Import_Measurements(const QString &file_name, bool replace, QStringList *errors);

    // The test file the window works on: File ▸ Open Test and Save Test As once the user
    // has chosen the file. False comes with the reason.
    bool Open_Test(const QString &file_name, QString *error);
    bool Save_Test(const QString &file_name, QString *error);

    // The steps the user can undo and redo.
    QUndoStack *Undo_Stack() const { return undo_stack; }

    // The files on disk as the window sees them, for reading only.
    const TPersistence &Persistence() const { return persistence; }

    // True when another running Curvalo works on the settings folder: this window then read
    // nothing and writes nothing, and the program should say so and end.
    bool Settings_Folder_In_Use() const;
    // Tells the user so, in a box of its own, and returns once it is dismissed.
    void Tell_Settings_Folder_In_Use();
    // Tells that a test file could not be opened, and why, over the window.
    void Tell_Open_Failure(const QString &reason);

public slots:
    // Closes with nobody to ask (the program is asked to terminate): saves what it can and
    // closes whether that worked or not.
    void Close_Unattended();

protected:
    // Saves the settings and the measurements. When that fails, the user chooses between
    // closing without saving and keeping the window open.
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private slots:
    void Model_Chosen(int index);
    void Field_Edited(int field, const QString &text);
    void Mpe_Edited();
    void Show_Mpe();
    void Exaggeration_Changed(int value);
    void Add_Measurement();
    void Remove_Measurements();
    void Measurement_Edited(const TMeasurementData::TMeasurement &measurement);
    void Measured_Length_Entered(const TMeasurementData::TMeasurement &measurement);
    void Measurement_Selection_Changed(const std::vector<int> &ids);
    void Results_Rows_Selected(const QList<int> &ids);
    void Menu_New();
    void Menu_Quit();
    void Menu_Open_Test();
    void Menu_Save_Test();
    void Menu_Save_Test_As();
    void Menu_Test_Details();
    void Menu_Init();
    void Menu_About();
    void Menu_User_Guide();
    void Menu_Drawing_Legend();
    void Menu_Test_Plan();
    void Menu_Fit();
    void Menu_Compare_Models();
    void Menu_Generate_Retests();
    void Menu_Export_Picture();
    void Menu_Export_Report();
    void Menu_Print();
    void Menu_Print_Preview();
    void Menu_Import_Measurements();
    void Menu_Export_Measurements();
    void Show_Readout(const QString &text);
    void End_Typing_Step();

private:
    // The steps of construction, in this order.
    void Restore_Geometry(const TPersistence::TSettings &stored);
    void Create_Actions_And_Menus();
    void Create_Docks();
    void Create_Central_Widget(int exaggeration);
    void Connect_Signals();

    // Puts a step on the undo stack, which does it; a step that changes nothing is dropped.
    void Push(TStepCommand *command);
    TMessageBox *Message_Box();

    TPersistence persistence;
    TTestDocument *document;
    TAutosave *autosave;
    QUndoStack *undo_stack;
    // The menu actions, made from one table.
    QAction *action_new;
    QAction *action_init;
    QAction *action_delete;
    QAction *action_save_test;
    QMenu *view_menu;
    QToolBar *tool_bar;
    TMeasurementDock *measurement_dock;
    TResultsModel *results_model;
    TResultsDock *results_dock;
    TDisplayWidget *display_widget;
    TModelControls *model_controls;
    QGridLayout *central_layout;
    TExaggerationControl *exaggeration_control;
    // Made when New or About first asks for it.
    TMessageBox *message_box = nullptr;
    TNotices *notices;
    TReportActions *report_actions;
    TTestFileActions *test_file_actions;
    TWindowLayout *window_layout = nullptr;
    TFitActions *fit_actions = nullptr;
    TMeasurementSetActions *measurement_set_actions;
    // What lies under the mouse in the drawing.
    QLabel *readout_label;
    // Made when first asked for, so that it never delays the start.
    TUserGuideDialog *user_guide;
    bool closing_unattended;
    // Bumped when typing into a field ends, so that the next keystroke starts a new step.
    int merge_serial;
};

#endif
