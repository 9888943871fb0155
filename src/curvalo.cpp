#include "curvalo.h"

#include <QAction>
#include <QDockWidget>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

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
    central_layout->addWidget(Create_Horizontal_Line(central_widget), 1, 0, 1, 10);
    central_layout->addWidget(Create_Horizontal_Line(central_widget), 6, 0, 1, 7);
    QLabel *notice_label = new QLabel(central_widget);
    notice_label->setFont(notice_font);
    central_layout->addWidget(notice_label, 7, 0, 1, 7);

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

    connect(action_quit, &QAction::triggered, this, &QWidget::close);
    connect(action_about, &QAction::triggered, this, &TCurvalo::Menu_About);
}

TCurvalo::~TCurvalo() = default;

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
