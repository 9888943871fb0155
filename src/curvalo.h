#ifndef TCURVALO_H
#define TCURVALO_H

#include <QMainWindow>
#include <QString>

class QAction;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;
class QToolBar;
class TDisplayWidget;
class TMessageBox;

class TCurvalo : public QMainWindow
{
    Q_OBJECT

public:
    explicit TCurvalo(const QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TCurvalo() override;

private slots:
    void Deflection_Model_Changed(int index);
    void Parameter1_Changed(const QString &text);
    void Parameter2_Changed(const QString &text);
    void Parameter3_Changed(const QString &text);
    void Parameter4_Changed(const QString &text);
    void Range_Y_Changed(const QString &text);
    void Range_Z_Changed(const QString &text);
    void Exaggeration_Changed(int value);
    void Menu_About();

private:
    void Create_Model_Controls(QWidget *central_widget, QGridLayout *layout, QToolBar *tool_bar);
    void Set_Model_Control_Texts();
    void Set_Parameter_Rows(int model_type);

    QAction *action_new;
    QAction *action_init;
    QAction *action_quit;
    QAction *action_about;
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
    TMessageBox *message_box;
};

#endif
