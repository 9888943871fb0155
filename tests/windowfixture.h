// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TWINDOWFIXTURE_H
#define TWINDOWFIXTURE_H

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "curvalo.h"
#include "displaywidget.h"
#include "measurementeditwidget.h"

// What every test of the whole window needs: a home folder of its own (HOME points at it, so
// ~/.curvalo is never the real one), the window, and the widgets a user reaches.
class TWindowFixture
{
protected:
    // A fresh, empty home folder; HOME points at it from now on.
    void New_Home()
    {
        home = std::make_unique<QTemporaryDir>();
        QVERIFY(home->isValid());
        qputenv("HOME", home->path().toLocal8Bit());
    }

    // Creates the window on the current home folder and waits until it is on screen.
    void Start()
    {
        window = std::make_unique<TCurvalo>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // Closes the window as the user does, which saves, and destroys it.
    void Close()
    {
        QVERIFY(window->close());
        window.reset();
    }

    QString Home() const { return home->path(); }
    QString Home_File(const QString &name) const { return home->filePath(name); }
    QString Directory() const { return home->path() + "/.curvalo"; }

    QMenu *Menu(const QString &title) const
    {
        for (QAction *action : window->menuBar()->actions()) {
            if (action->menu() && action->text() == title) {
                return action->menu();
            }
        }
        return nullptr;
    }

    // The action of the menu with this text; nullptr when there is none.
    QAction *Action(const QString &text, const QString &menu = QStringLiteral("File")) const
    {
        if (QMenu *found = Menu(menu)) {
            for (QAction *action : found->actions()) {
                if (action->text() == text) {
                    return action;
                }
            }
        }
        return nullptr;
    }

    QLineEdit *Edit(const QString &name) const { return window->findChild<QLineEdit *>(name); }
    QComboBox *Combo() const { return window->findChild<QComboBox *>("model_combo"); }
    TDisplayWidget *Display() const { return window->findChild<TDisplayWidget *>(); }
    QListView *List() const { return window->findChild<QListView *>("measurement_list"); }
    // The measurement list's rows as a user sees them.
    int Rows() const { return List()->model()->rowCount(); }
    QString Row_Text(int row) const { return List()->model()->index(row, 0).data().toString(); }
    bool Row_Selected(int row) const
    {
        return List()->selectionModel()->isSelected(List()->model()->index(row, 0));
    }
    QStringList Selected_Texts() const
    {
        QStringList texts;
        for (const QModelIndex &index : List()->selectionModel()->selectedIndexes()) {
            texts << index.data().toString();
        }
        return texts;
    }
    // Adds the row to the selection, as a click with Ctrl does.
    void Select_Row(int row) const
    {
        List()->selectionModel()->select(List()->model()->index(row, 0),
                                         QItemSelectionModel::Select);
    }
    // Makes the row current and the one selected, as arrow keys do.
    void Set_Current_Row(int row) const
    {
        List()->selectionModel()->setCurrentIndex(List()->model()->index(row, 0),
                                                  QItemSelectionModel::SelectCurrent);
    }
    TMeasurementEditWidget *Editor() const { return window->findChild<TMeasurementEditWidget *>(); }

    // Replaces the field's text by typing, as a user does after selecting all.
    static void Type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    // Clicks the button with this text in the next modal box once it is open; *seen tells
    // that it was there.
    static void Answer_Next_Box(const QString &button, QString *text = nullptr)
    {
        QTimer::singleShot(0, [button, text]() {
            QMessageBox *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            if (text) {
                *text = box->text() + QLatin1Char('\n') + box->informativeText();
            }
            for (QAbstractButton *candidate : box->buttons()) {
                if (candidate->text() == button) {
                    QTest::mouseClick(candidate, Qt::LeftButton);
                    return;
                }
            }
            QFAIL(qPrintable("no button " + button));
        });
    }

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<TCurvalo> window;
};

#endif
