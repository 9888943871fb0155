// SPDX-License-Identifier: GPL-3.0-or-later
#include "modelcontrols.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpacerItem>

#include "fieldmark.h"
#include "fieldwidth.h"
#include "modelcatalog.h"

namespace
{
// A label keeps QLabel's own alignment unless one is given.
QLabel *Create_Label(QWidget *parent, const QString &name,
                     Qt::Alignment alignment = Qt::Alignment())
{
    QLabel *label = new QLabel(parent);
    label->setObjectName(name);
    if (alignment != Qt::Alignment()) {
        label->setAlignment(alignment);
    }
    return label;
}
} // namespace

TModelControls::TModelControls(const TTestDocument *document_, QGridLayout *layout, QWidget *parent)
    : QObject(parent)
    , document(document_)
{
    Q_ASSERT(document && layout);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    model_label = Create_Label(parent, QStringLiteral("model_label"));
    model_combo = new QComboBox(parent);
    model_combo->setObjectName(QStringLiteral("model_combo"));
    layout->addWidget(model_label, 2, 0);
    layout->addWidget(model_combo, 2, 1);

    // The ranges stand under the model choice, the parameters beside them.
    const int order[TTestDocument::FIELD_COUNT] = {
        TTestDocument::FIELD_RANGE_Y,    TTestDocument::FIELD_RANGE_Z,
        TTestDocument::FIELD_PARAMETER1, TTestDocument::FIELD_PARAMETER2,
        TTestDocument::FIELD_PARAMETER3, TTestDocument::FIELD_PARAMETER4};
    for (const int field : order) {
        const bool range = field >= TTestDocument::FIELD_RANGE_Y;
        const QString name =
            range ? QStringLiteral("range_%1_")
                        .arg(field == TTestDocument::FIELD_RANGE_Y ? QLatin1Char('y')
                                                                   : QLatin1Char('z'))
                  : QStringLiteral("parameter%1_").arg(field + 1);
        const size_t at = size_t(field);
        labels[at] =
            Create_Label(parent, name + QStringLiteral("label"), range ? Qt::Alignment() : right);
        edits[at] = new QLineEdit(parent);
        edits[at]->setObjectName(name + QStringLiteral("edit"));
        edits[at]->setAlignment(Qt::AlignCenter);
        units[at] = Create_Label(parent, name + QStringLiteral("units"), left);
        const int row = range ? 3 + field - TTestDocument::FIELD_RANGE_Y : 2 + field;
        const int column = range ? 0 : 3;
        layout->addWidget(labels[at], row, column);
        layout->addWidget(edits[at], row, column + 1);
        layout->addWidget(units[at], row, column + 2);
        // Wide enough for the decimals the field is written with, and a minus sign.
        TFieldWidth::Fit(edits[at],
                         range ? QStringLiteral("-1000.000") : QStringLiteral("-0.00000"));
        connect(edits[at], &QLineEdit::textEdited, this,
                [this, field](const QString &text) { emit Field_Edited(field, text); });
    }
    // Pushes the controls to the left.
    layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), 2, 6, 4,
                    1);

    Set_Texts();
    QWidget::setTabOrder(model_combo, edits[TTestDocument::FIELD_RANGE_Y]);
    QWidget::setTabOrder(edits[TTestDocument::FIELD_RANGE_Y], edits[TTestDocument::FIELD_RANGE_Z]);
    QWidget::setTabOrder(edits[TTestDocument::FIELD_RANGE_Z], edits[0]);
    for (int i = 0; i < 3; ++i) {
        QWidget::setTabOrder(edits[size_t(i)], edits[size_t(i) + 1]);
    }

    Show_Model();
    connect(model_combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TModelControls::Model_Chosen);
    connect(document, &TTestDocument::Model_Changed, this, &TModelControls::Show_Model);
    connect(document, &TTestDocument::Field_Changed, this, &TModelControls::Show_Field);
}

TModelControls::~TModelControls() = default;

void TModelControls::Set_Texts()
{
    model_label->setText(tr("Deflection Model:"));
    labels[TTestDocument::FIELD_RANGE_Y]->setText(tr("Y Range:"));
    labels[TTestDocument::FIELD_RANGE_Z]->setText(tr("Z Range:"));
    units[TTestDocument::FIELD_RANGE_Y]->setText(QStringLiteral("mm"));
    units[TTestDocument::FIELD_RANGE_Z]->setText(QStringLiteral("mm"));
    for (int i = 0; i < TModelCatalog::Model_Count(); ++i) {
        const TModelCatalog::TModel &model = TModelCatalog::Model_At(i);
        model_combo->addItem(TModelCatalog::Name(model), int(model.type));
    }
    model_combo->setToolTip(tr("The model of the machine's deflection in its Y-Z plane"));
    for (int i = 0; i < 4; ++i) {
        TFieldMark::Set_Plain_Tip(edits[size_t(i)], tr("A parameter of the deflection model"));
    }
    edits[TTestDocument::FIELD_RANGE_Y]->setToolTip(
        tr("The machine's measuring range along Y in mm; more than 1 mm"));
    edits[TTestDocument::FIELD_RANGE_Z]->setToolTip(
        tr("The machine's measuring range along Z in mm; more than 1 mm"));
}

void TModelControls::Show_Model()
{
    const bool was_blocked = model_combo->blockSignals(true);
    model_combo->setCurrentIndex(document->Model_Index());
    model_combo->blockSignals(was_blocked);
    Set_Parameter_Rows(document->Model_Type());
    for (int field = 0; field < TTestDocument::FIELD_COUNT; ++field) {
        Show_Field(field);
    }
}

void TModelControls::Show_Field(int field)
{
    QLineEdit *edit = edits.at(size_t(field));
    // While the user types, the field already shows the text; setting it would move the cursor.
    if (edit->text() != document->Field_Text(field)) {
        edit->setText(document->Field_Text(field));
        // A number longer than the field shows its beginning, where its digits count most.
        if (!edit->hasFocus()) {
            edit->setCursorPosition(0);
        }
    }
    TFieldMark::Show(edit, document->Field_Problem(field));
}

void TModelControls::Set_Parameter_Rows(int model_type)
{
    const TModelCatalog::TModel *model = TModelCatalog::Find(model_type);
    if (!model && model_type != TModelCatalog::NO_MODEL) {
        return;
    }
    const int shown = model ? model->parameter_count : 0;
    for (int i = 0; i < 4; ++i) {
        const size_t at = size_t(i);
        if (i < shown) {
            const QString units_text = QString::fromLatin1(model->parameters[i].units);
            labels[at]->setText(TModelCatalog::Label(*model, i));
            units[at]->setText(units_text);
            TFieldMark::Set_Plain_Tip(edits[at], tr("%1 of the %2 in %3")
                                                     .arg(TModelCatalog::Parameter_Name(*model, i),
                                                          TModelCatalog::Name(*model), units_text));
        }
        labels[at]->setVisible(i < shown);
        edits[at]->setVisible(i < shown);
        units[at]->setVisible(i < shown);
    }
}
