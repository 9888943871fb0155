// SPDX-License-Identifier: GPL-3.0-or-later
#include "modelcatalog.h"

#include "genericdeflectionmodel.h"
#include "lkdeflectionmodel.h"
#include "numbertext.h"
#include "renishawdeflectionmodel.h"

#include <QCoreApplication>

namespace
{
// The decimals are what the controllers we know take: a few digits beyond what the fits of a
// good length test determine (a tenth of a micrometre over a metre), so that rounding moves
// no length by more than a few nanometres. The fit dialog lets the user change them.
// The names and labels are marked for translation here and translated where they are shown;
// the table keeps the English text, which is also what the batch tool prints.
const TModelCatalog::TModel models[] = {
    {TModelCatalog::GENERIC,
     QT_TRANSLATE_NOOP("TModelCatalog", "Generic Deflection"),
     "generic",
     3,
     {{QT_TRANSLATE_NOOP("TModelCatalog", "Tower Rotation:"), "mm/m", "-0.0500", 5},
      {QT_TRANSLATE_NOOP("TModelCatalog", "Correction Y:"), "mm", "-0.0100", 4},
      {QT_TRANSLATE_NOOP("TModelCatalog", "Correction Z:"), "mm", "-0.0100", 4},
      {"", "", "0.0000", 4}}},
    {TModelCatalog::RENISHAW,
     QT_TRANSLATE_NOOP("TModelCatalog", "Renishaw Deflection"),
     "renishaw",
     3,
     {{QT_TRANSLATE_NOOP("TModelCatalog", "Tilt:"), "mRad/m", "-0.0500", 5},
      {QT_TRANSLATE_NOOP("TModelCatalog", "Bend2:"), "mm/m2/m", "-0.0100", 5},
      {QT_TRANSLATE_NOOP("TModelCatalog", "Bend3:"), "mm/m3/m", "-0.0100", 5},
      {"", "", "0.0000", 4}}},
    {TModelCatalog::LK,
     QT_TRANSLATE_NOOP("TModelCatalog", "LK Deflection"),
     "lk",
     4,
     {{"ZCRS.R1.C1:", "mm/mm", "0.00001", 8},
      {"ZCRS.R2.C1:", "mm/mm", "0.0010", 7},
      {"ZCRS.R3.C1:", "arcsec", "-0.0103", 4},
      {"ZCRS.R4.C1:", "mm/mm", "0.0010", 7}}},
};
} // namespace

int TModelCatalog::Model_Count()
{
    return int(sizeof(models) / sizeof(models[0]));
}

const TModelCatalog::TModel &TModelCatalog::Model_At(int index)
{
    Q_ASSERT(index >= 0 && index < Model_Count());
    return models[index];
}

const TModelCatalog::TModel *TModelCatalog::Find(int type)
{
    for (const TModel &model : models) {
        if (model.type == type) {
            return &model;
        }
    }
    return nullptr;
}

const TModelCatalog::TModel *TModelCatalog::Find_Key(const QString &key)
{
    for (const TModel &model : models) {
        if (key == QLatin1String(model.key)) {
            return &model;
        }
    }
    return nullptr;
}

TDeflectionModel *TModelCatalog::Create(int type)
{
    switch (type) {
    case GENERIC:
        return new TGenericDeflectionModel;
    case RENISHAW:
        return new TRenishawDeflectionModel;
    case LK:
        return new TLKDeflectionModel;
    default:
        return nullptr;
    }
}

double TModelCatalog::Preset_Value(const TModel &model, int parameter)
{
    Q_ASSERT(parameter >= 0 && parameter < 4);
    return TNumberText::Value(QString::fromLatin1(model.parameters[parameter].preset), 0.0);
}

QStringList TModelCatalog::Parameter_Lines(const TModel &model, const double parameters[4])
{
    QStringList lines;
    for (int i = 0; i < model.parameter_count; ++i) {
        lines << QStringLiteral("%1 %2 %3")
                     .arg(Label(model, i), TNumberText::Parameter(parameters[i]),
                          QString::fromLatin1(model.parameters[i].units));
    }
    return lines;
}

QString TModelCatalog::Name(const TModel &model)
{
    return tr(model.name);
}

QString TModelCatalog::Label(const TModel &model, int parameter)
{
    Q_ASSERT(parameter >= 0 && parameter < 4);
    const char *label = model.parameters[parameter].label;
    return *label == '\0' ? QString() : tr(label);
}

QString TModelCatalog::Parameter_Name(const TModel &model, int parameter)
{
    QString label = Label(model, parameter);
    if (label.endsWith(QLatin1Char(':'))) {
        label.chop(1);
    }
    return label;
}
