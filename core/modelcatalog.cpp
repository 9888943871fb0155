// SPDX-License-Identifier: GPL-3.0-or-later
#include "modelcatalog.h"

#include "genericdeflectionmodel.h"
#include "lkdeflectionmodel.h"
#include "numbertext.h"
#include "renishawdeflectionmodel.h"

namespace
{
const TModelCatalog::TModel models[] = {
    {TModelCatalog::GENERIC,
     "Generic Deflection",
     "generic",
     3,
     {{"Tower Rotation:", "mm/m", "-0.0500"},
      {"Correction Y:", "mm", "-0.0100"},
      {"Correction Z:", "mm", "-0.0100"},
      {"", "", "0.0000"}}},
    {TModelCatalog::RENISHAW,
     "Renishaw Deflection",
     "renishaw",
     3,
     {{"Tilt:", "mRad/m", "-0.0500"},
      {"Bend2:", "mm/m2/m", "-0.0100"},
      {"Bend3:", "mm/m3/m", "-0.0100"},
      {"", "", "0.0000"}}},
    {TModelCatalog::LK,
     "LK Deflection",
     "lk",
     4,
     {{"ZCRS.R1.C1:", "mm/mm", "0.00001"},
      {"ZCRS.R2.C1:", "mm/mm", "0.0010"},
      {"ZCRS.R3.C1:", "arcsec", "-0.0103"},
      {"ZCRS.R4.C1:", "mm/mm", "0.0010"}}},
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
                     .arg(QString::fromLatin1(model.parameters[i].label),
                          TNumberText::Parameter(parameters[i]),
                          QString::fromLatin1(model.parameters[i].units));
    }
    return lines;
}
