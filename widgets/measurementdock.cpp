// SPDX-License-Identifier: GPL-3.0-or-later
#include "measurementdock.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QListView>
#include <QSpacerItem>
#include <QToolButton>
#include <QVBoxLayout>

#include "evaluation.h"
#include "measurementeditwidget.h"
#include "measurementlistmodel.h"
#include "separatorline.h"
#include "testdocument.h"

namespace
{
bool Same(const TVector3 &a, const TVector3 &b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
} // namespace

TMeasurementDock::TMeasurementDock(const TTestDocument *document_, const QWidget *parent)
    : QDockWidget(const_cast<QWidget *>(parent))
    , document(document_)
    , editing(false)
    , selecting(false)
{
    Q_ASSERT(document);
    setObjectName(QStringLiteral("measurement_dock"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    QWidget *contents = new QWidget;
    QVBoxLayout *layout = new QVBoxLayout(contents);
    list_model = new TMeasurementListModel(document, this);
    measurement_list = new QListView(contents);
    measurement_list->setObjectName(QStringLiteral("measurement_list"));
    measurement_list->setModel(list_model);
    measurement_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    measurement_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Every row is one line of the same font: the list never measures rows one by one.
    measurement_list->setUniformItemSizes(true);
    layout->addWidget(measurement_list);

    QHBoxLayout *buttons = new QHBoxLayout;
    add_button = new QToolButton(contents);
    add_button->setObjectName(QStringLiteral("add_button"));
    remove_button = new QToolButton(contents);
    remove_button->setObjectName(QStringLiteral("remove_button"));
    for (QToolButton *button : {add_button, remove_button}) {
        button->setMinimumSize(20, 20);
        button->setMaximumSize(20, 20);
        buttons->addWidget(button);
    }
    buttons->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout->addLayout(buttons);

    layout->addWidget(new TSeparatorLine(contents));
    editor = new TMeasurementEditWidget(contents);
    layout->addWidget(editor);
    setWidget(contents);
    Set_Texts();

    Reload();
    connect(add_button, &QToolButton::clicked, this, &TMeasurementDock::Add_Requested);
    connect(remove_button, &QToolButton::clicked, this, &TMeasurementDock::Remove_Requested);
    connect(measurement_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TMeasurementDock::List_Selection_Changed);
    connect(editor, &TMeasurementEditWidget::Data_Changed, this, &TMeasurementDock::Editor_Changed);
    // The list's model was connected first: it has changed its rows when these run.
    connect(document, &TTestDocument::Measurement_Removed, this, &TMeasurementDock::Row_Removed);
    connect(document, &TTestDocument::Measurements_Reset, this, &TMeasurementDock::Reload);
    connect(document, &TTestDocument::Measurement_Changed, this, &TMeasurementDock::Show_Record);
    connect(document, &TTestDocument::Model_Changed, this, &TMeasurementDock::Update_Actual_Length);
    connect(document, &TTestDocument::Field_Changed, this, &TMeasurementDock::Update_Actual_Length);
}

TMeasurementDock::~TMeasurementDock() = default;

void TMeasurementDock::Set_Texts()
{
    setWindowTitle(tr("Measurement Editor"));
    add_button->setText(QStringLiteral("+"));
    remove_button->setText(QStringLiteral("-"));
    add_button->setToolTip(tr("Add a measurement; it starts as a copy of the one shown"));
    remove_button->setToolTip(tr("Delete the selected measurements (Delete)"));
    measurement_list->setToolTip(tr("The measurements; select one to edit it"));
}

std::vector<int> TMeasurementDock::Selected_Ids() const
{
    std::vector<int> ids;
    for (const QModelIndex &index : measurement_list->selectionModel()->selectedIndexes()) {
        ids.push_back(list_model->Id_At_Row(index.row()));
    }
    return ids;
}

void TMeasurementDock::Select_Ids(const QList<int> &ids)
{
    // One selection in the order of the ids, rows that follow each other as one range: a
    // selection of thousands made in the Results is then one change of the list, not
    // thousands.
    QItemSelection selection;
    QModelIndex current;
    for (const int id : ids) {
        const int row = list_model->Row_Of_Id(id);
        if (row < 0) {
            continue;
        }
        const QModelIndex index = list_model->index(row);
        if (!selection.isEmpty() && selection.last().bottom() + 1 == row) {
            selection.last() = QItemSelectionRange(selection.last().topLeft(), index);
        } else {
            selection.append(QItemSelectionRange(index));
        }
        current = current.isValid() ? current : index;
    }
    QItemSelectionModel *model = measurement_list->selectionModel();
    selecting = true;
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    if (current.isValid()) {
        model->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        measurement_list->scrollTo(current);
    }
    selecting = false;
    List_Selection_Changed();
}

void TMeasurementDock::Select_Id(int id)
{
    // Selecting the row loads it into the editor through List_Selection_Changed.
    const int row = list_model->Row_Of_Id(id);
    if (row >= 0) {
        measurement_list->selectionModel()->setCurrentIndex(list_model->index(row),
                                                            QItemSelectionModel::ClearAndSelect);
    }
}

TMeasurementData::TMeasurement TMeasurementDock::New_Measurement(int id) const
{
    // While a measurement is shown, the new one starts as its duplicate, not yet measured.
    TMeasurementData::TMeasurement shown;
    if (editor->isEnabled() &&
        document->Measurement_Data().Get_Measurement(editor->measurement_id, &shown)) {
        TMeasurementData::TMeasurement duplicate = editor->Edited(shown);
        duplicate.id = id;
        duplicate.has_measured_length = false;
        duplicate.measured_length = 0.0;
        return duplicate;
    }
    return TMeasurementData::TMeasurement{id, TVector3(0, 0, 0), TVector3(0, 0, 1), 1000.0};
}

void TMeasurementDock::Row_Removed(int id)
{
    // A selected row that went has changed the selection, which the list reported as the
    // user's.
    if (editor->isEnabled() && editor->measurement_id == id) {
        Clear_Editor();
    }
}

void TMeasurementDock::Reload()
{
    // The list's model has read the new list and dropped the selection without a word.
    Clear_Editor();
    emit Selection_Changed({});
}

void TMeasurementDock::Clear_Editor()
{
    // Disabled first: an empty field of an editor in use would be marked as no number.
    editor->setEnabled(false);
    editor->Clear_Display();
    remove_button->setEnabled(measurement_list->selectionModel()->hasSelection());
}

void TMeasurementDock::Show_Record(int id)
{
    TMeasurementData::TMeasurement measurement;
    if (!editor->isEnabled() || editor->measurement_id != id ||
        !document->Measurement_Data().Get_Measurement(id, &measurement)) {
        return;
    }
    if (!editing) {
        // Only what differs from the editor's fields is written into them, so that a field
        // keeps the text it was typed with.
        if (editor->Nominal_Length() != measurement.nominal_length) {
            editor->Set_Nominal_Length(measurement.nominal_length);
        }
        if (!Same(editor->Position(), measurement.position)) {
            editor->Set_Position(measurement.position);
        }
        if (!Same(editor->Axis(), measurement.axis)) {
            editor->Set_Axis(measurement.axis);
        }
        editor->Set_Measured_Length(measurement.has_measured_length, measurement.measured_length);
        editor->Set_Gauge_Temperature(measurement.has_temperature, measurement.temperature);
    }
    Update_Actual_Length();
}

void TMeasurementDock::Update_Actual_Length()
{
    if (!editor->isEnabled()) {
        return;
    }
    editor->Set_Actual_Length(TEvaluation::Actual_Length(document->Model(), editor->Position(),
                                                         editor->Axis(), editor->Nominal_Length()));
}

void TMeasurementDock::Editor_Changed()
{
    TMeasurementData::TMeasurement stored;
    if (!document->Measurement_Data().Get_Measurement(editor->measurement_id, &stored)) {
        return;
    }
    editing = true;
    emit Measurement_Edited(editor->Edited(stored));
    editing = false;
    Update_Actual_Length();
}

void TMeasurementDock::List_Selection_Changed()
{
    if (selecting) {
        return;
    }
    const std::vector<int> ids = Selected_Ids();
    remove_button->setEnabled(!ids.empty());
    editor->setEnabled(false);
    TMeasurementData::TMeasurement measurement;
    if (ids.size() == 1 &&
        document->Measurement_Data().Get_Measurement(ids.front(), &measurement)) {
        editor->measurement_id = measurement.id;
        editor->Set_Nominal_Length(measurement.nominal_length);
        editor->Set_Position(measurement.position);
        editor->Set_Axis(measurement.axis);
        editor->Set_Measured_Length(measurement.has_measured_length, measurement.measured_length);
        editor->Set_Gauge_Temperature(measurement.has_temperature, measurement.temperature);
        editor->setEnabled(true);
        Update_Actual_Length();
    } else {
        editor->Clear_Display();
    }
    emit Selection_Changed(ids);
}
