// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TFITACTIONS_H
#define TFITACTIONS_H

#include <QObject>

class QUndoStack;
class QWidget;
class TStepCommand;
class TTestDocument;

// Tools ▸ Fit Parameters… and Compare Models…: the dialogs on the test's measured lengths,
// and what they apply, each as one undoable step.
class TFitActions : public QObject
{
    Q_OBJECT

public:
    TFitActions(TTestDocument *document, QUndoStack *undo_stack, QWidget *window);
    ~TFitActions() override;

public slots:
    void Fit();
    void Compare_Models();

private:
    void Push(TStepCommand *command);

    TTestDocument *document;
    QUndoStack *undo_stack;
    QWidget *window;
};

#endif
