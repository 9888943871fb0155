#ifndef TCURVALO_H
#define TCURVALO_H

#include <QMainWindow>

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
class QSlider;
class QToolBar;
class QToolButton;
class TDisplayWidget;
class TMeasurementEditWidget;
class TMessageBox;

class TCurvalo : public QMainWindow
{
    Q_OBJECT

public:
    explicit TCurvalo(const QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TCurvalo() override;

    // The measurements as the window holds them, for reading only.
    const TMeasurementData &Measurement_Data() const { return measurement_data; }

protected:
    // Saves the settings and the measurements; the window always closes.
    void closeEvent(QCloseEvent *event) override;

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

private:
    // The steps of construction, in this order.
    void Restore_Geometry(const TPersistence::TSettings &stored);
    void Create_Actions_And_Menus();
    void Create_Dock();
    void Create_Model_Controls();
    void Set_Texts();
    void Restore_Fields(const TPersistence::TSettings &stored);
    void Load_Measurements();
    void Restore_Model(const TPersistence::TSettings &stored);
    void Connect_Signals();

    // Shows in the editor the length that the deflected machine would report for the
    // measurement being edited.
    void Update_Actual_Length();
    void Apply_Typed_Value(const QString &text, void (TDisplayWidget::*setter)(const double &));
    void Append_Measurement_Row(int id);
    void Add_Gauge(int id);
    void Set_Parameter_Rows(int model_type);
    TPersistence::TSettings Current_Settings() const;

    QAction *action_new;
    QAction *action_init;
    QAction *action_quit;
    QAction *action_about;
    QMenu *file_menu;
    QMenu *view_menu;
    QMenu *help_menu;
    QToolBar *tool_bar;
    QDockWidget *dock;
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
    QLabel *notice_label;
    TMessageBox *message_box;
    TPersistence persistence;
    TMeasurementData measurement_data;
};

#endif
