#ifndef TCURVALO_H
#define TCURVALO_H

#include <QMainWindow>
#include <QString>

#include "measurementdata.h"

class QAction;
class QComboBox;
class QDockWidget;
class QGridLayout;
class QLabel;
class QLineEdit;
class QCloseEvent;
class QListWidget;
class QSettings;
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
    // Shows in the editor the length that the deflected machine would report for the
    // measurement being edited.
    void Update_Actual_Length();
    void Apply_Typed_Value(const QString &text, void (TDisplayWidget::*setter)(const double &));
    void Create_Dock_Contents(QDockWidget *dock);
    void Append_Measurement_Row(int id);
    void Add_Gauge(int id);
    void Open_Settings();
    void Restore_Geometry();
    void Restore_Fields();
    void Load_Measurements();
    QString Measurement_File() const;
    void Keep_Unreadable_Measurement_File();
    void Create_Model_Controls(QWidget *central_widget, QGridLayout *layout, QToolBar *tool_bar);
    void Set_Model_Control_Texts();
    void Set_Parameter_Rows(int model_type);

    QAction *action_new;
    QAction *action_init;
    QAction *action_quit;
    QAction *action_about;
    QListWidget *measurement_list;
    TMeasurementEditWidget *measurement_edit_widget;
    QToolButton *add_button;
    QToolButton *remove_button;
    TDisplayWidget *display_widget;
    QComboBox *model_combo;
    QLineEdit *range_y_edit;
    QLineEdit *range_z_edit;
    QLabel *parameter1_label;
    QLineEdit *parameter1_edit;
    QLabel *parameter1_units;
    QLabel *parameter2_label;
    QLineEdit *parameter2_edit;
    QLabel *parameter2_units;
    QLabel *parameter3_label;
    QLineEdit *parameter3_edit;
    QLabel *parameter3_units;
    QLabel *parameter4_label;
    QLineEdit *parameter4_edit;
    QLabel *parameter4_units;
    QSlider *exaggeration_slider;
    QSettings *settings;
    TMessageBox *message_box;
    QString settings_path;
    TMeasurementData measurement_data;
    // False when the settings directory could not be made or entered: then nothing is written.
    bool settings_writable;
    // True when the measurement file on disk held more than the store could load: it is kept
    // under another name before the store overwrites it.
    bool keep_measurement_file;
};

#endif
