// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMODELCATALOG_H
#define TMODELCATALOG_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class TDeflectionModel;

// What the program knows about each deflection model besides its formulas: the number the
// settings store for it, its name, how its parameters are called and in which units, and the
// Init presets. The presets are texts, so that a field shows exactly the number the model gets.
class TModelCatalog
{
    Q_DECLARE_TR_FUNCTIONS(TModelCatalog)

public:
    // The stored numbers of the models; 0 and anything else mean "no model".
    enum TModelType : int { NO_MODEL = 0, GENERIC = 1, RENISHAW = 2, LK = 3 };

    struct TParameter {
        const char *label;
        const char *units;
        const char *preset;
        // The decimals a controller takes for it by default: what a fit's Apply rounds to.
        int decimals;
    };

    struct TModel {
        TModelType type;
        const char *name;    // as the model choice shows it
        const char *key;     // a short lower-case name for scripts
        int parameter_count; // the model reads parameters 1 to parameter_count
        TParameter parameters[4];
    };

    static int Model_Count();
    // The model at 0 .. Model_Count() - 1, in the order the window lists them.
    static const TModel &Model_At(int index);
    // nullptr for a type that names no model.
    static const TModel *Find(int type);
    static const TModel *Find_Key(const QString &key);
    // The model's name and a parameter's label in the language of the user interface.
    static QString Name(const TModel &model);
    static QString Label(const TModel &model, int parameter);
    // The label without its colon, as a sentence or a list names the parameter.
    static QString Parameter_Name(const TModel &model, int parameter);
    // A new model of the type with its defaults, owned by the caller; nullptr for no model.
    static TDeflectionModel *Create(int type);
    // "Tower Rotation: -0.0500 mm/m" for each parameter the model reads.
    static QStringList Parameter_Lines(const TModel &model, const double parameters[4]);
    // The Init preset of parameter 0 .. 3 as the number the field's text reads as.
    static double Preset_Value(const TModel &model, int parameter);
};

#endif
