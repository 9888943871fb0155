// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMODELCONTROLS_H
#define TMODELCONTROLS_H

#include <QObject>
#include <array>

#include "testdocument.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// The model choice, the two range fields and the four parameter rows under the drawing. They
// show what the test document holds, mark a field whose text the model does not use, and
// report what the user chooses and types; the window turns that into undoable steps.
class TModelControls : public QObject
{
    Q_OBJECT

public:
    // Puts the controls into rows 2 to 5 of the window's central grid.
    TModelControls(const TTestDocument *document, QGridLayout *layout, QWidget *parent);
    ~TModelControls() override;

    QComboBox *Model_Combo() const { return model_combo; }
    // The field of TTestDocument::TField.
    QLineEdit *Field_Edit(int field) const { return edits.at(size_t(field)); }

signals:
    // The user chose the model at this place in the catalogue.
    void Model_Chosen(int index);
    // The user typed into a field; setting text by program never reports it.
    void Field_Edited(int field, const QString &text);

private slots:
    void Show_Model();
    void Show_Field(int field);

private:
    void Set_Texts();
    // Labels, units and visibility of the parameter rows for the model; a hidden row keeps
    // its texts, and its field keeps its number.
    void Set_Parameter_Rows(int model_type);

    const TTestDocument *document;
    QLabel *model_label;
    QComboBox *model_combo;
    // The four parameter rows, then the Y and Z range rows: label, field and units.
    std::array<QLabel *, TTestDocument::FIELD_COUNT> labels;
    std::array<QLineEdit *, TTestDocument::FIELD_COUNT> edits;
    std::array<QLabel *, TTestDocument::FIELD_COUNT> units;
};

#endif
