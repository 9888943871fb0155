#ifndef TCURVALO_H
#define TCURVALO_H

#include <QMainWindow>
#include <QString>

class QAction;
class TMessageBox;

class TCurvalo : public QMainWindow
{
    Q_OBJECT

public:
    explicit TCurvalo(const QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TCurvalo() override;

private slots:
    void Menu_About();

private:
    QAction *action_new;
    QAction *action_init;
    QAction *action_quit;
    QAction *action_about;
    TMessageBox *message_box;
};

#endif
