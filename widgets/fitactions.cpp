// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitactions.h"

#include <QUndoStack>
#include <QWidget>
#include <array>

#include "applyfitcommand.h"
#include "changemodelcommand.h"
#include "comparemodelsdialog.h"
#include "deflectionmodel.h"
#include "fitdialog.h"
#include "modelcatalog.h"
#include "testdocument.h"

TFitActions::TFitActions(TTestDocument *document_, QUndoStack *undo_stack_, QWidget *window_)
    : QObject(window_)
    , document(document_)
    , undo_stack(undo_stack_)
    , window(window_)
{
    Q_ASSERT(document && undo_stack && window);
}

TFitActions::~TFitActions() = default;

void TFitActions::Push(TStepCommand *command)
{
    TStepCommand::Push_Onto(undo_stack, command);
}

void TFitActions::Fit()
{
    const TDeflectionModel *model = document->Model();
    const double parameters[4] = {document->Field_Value(TTestDocument::FIELD_PARAMETER1),
                                  document->Field_Value(TTestDocument::FIELD_PARAMETER2),
                                  document->Field_Value(TTestDocument::FIELD_PARAMETER3),
                                  document->Field_Value(TTestDocument::FIELD_PARAMETER4)};
    const TMeasurementData data = document->Fit_Data();
    TFitDialog dialog(document->Model_Type(), parameters, model ? model->Range_Y() : 1000.0,
                      model ? model->Range_Z() : 1000.0, &data, window);
    dialog.Set_Mpe(document->Mpe());
    if (dialog.exec() == QDialog::Accepted && dialog.Result().fitted) {
        Push(new TApplyFitCommand(document, dialog.Applied(),
                                  dialog.Controller_Parameters().data()));
    }
}

void TFitActions::Compare_Models()
{
    TCompareModelsDialog dialog(document, window);
    if (dialog.exec() != QDialog::Accepted || !dialog.Chosen()) {
        return;
    }
    // The model and its fit are one step.
    const TModelComparison::TEntry entry = *dialog.Chosen();
    const std::array<double, 4> parameters = dialog.Controller_Parameters();
    undo_stack->beginMacro(
        tr("Apply %1 Fit").arg(TModelCatalog::Name(TModelCatalog::Model_At(entry.model_index))));
    Push(new TChangeModelCommand(document, entry.model_index));
    Push(new TApplyFitCommand(document, entry.fit.free, parameters.data()));
    undo_stack->endMacro();
}
