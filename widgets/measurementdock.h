// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMEASUREMENTDOCK_H
#define TMEASUREMENTDOCK_H

#include <QDockWidget>
#include <QList>
#include <vector>

#include "measurementdata.h"

class QListView;
class QToolButton;
class TMeasurementListModel;
class TMeasurementEditWidget;
class TTestDocument;

// The "Measurement Editor" dock: the list of measurements with its "+" and "-" buttons over
// the editor of the one selected. It shows what the test document holds, row by row as
// measurements come and go, and reports what the user asks for; the window turns that into
// undoable steps.
class TMeasurementDock : public QDockWidget
{
    Q_OBJECT

public:
    TMeasurementDock(const TTestDocument *document, const QWidget *parent = nullptr);
    ~TMeasurementDock() override;

    QListView *List() const { return measurement_list; }
    TMeasurementEditWidget *Editor() const { return editor; }
    std::vector<int> Selected_Ids() const;
    // Selects these measurements, the first one current, as a selection elsewhere asks.
    void Select_Ids(const QList<int> &ids);
    // Makes this measurement the one selected and shown in the editor.
    void Select_Id(int id);
    // What "+" adds under the id: a copy of the measurement shown, or the defaults.
    TMeasurementData::TMeasurement New_Measurement(int id) const;

signals:
    void Add_Requested();
    void Remove_Requested();
    // The user changed the measurement in the editor to this.
    void Measurement_Edited(const TMeasurementData::TMeasurement &measurement);
    void Selection_Changed(const std::vector<int> &ids);

private slots:
    void Row_Removed(int id);
    void Reload();
    void Show_Record(int id);
    void Update_Actual_Length();
    void Editor_Changed();
    void List_Selection_Changed();

private:
    void Set_Texts();
    // Empties the editor and disables it, with the "-" button.
    void Clear_Editor();

    const TTestDocument *document;
    TMeasurementListModel *list_model;
    QListView *measurement_list;
    QToolButton *add_button;
    QToolButton *remove_button;
    TMeasurementEditWidget *editor;
    // True while the editor's own change comes back from the document: the editor already
    // shows it as typed.
    bool editing;
    // True while Select_Ids changes the list's selection, which it then reports once.
    bool selecting;
};

#endif
