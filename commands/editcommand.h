// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TEDITCOMMAND_H
#define TEDITCOMMAND_H

#include <QString>
#include <QStringList>
#include <QUndoCommand>
#include <array>
#include <functional>

#include "measurementchange.h"
#include "mpe.h"

// One step on the undo stack: what the model controls and the MPE held before and after it,
// and what it did to the list of measurements. The window applies a state; the command only
// remembers which one.
class TEditCommand : public QUndoCommand
{
public:
    // What the controls above the drawing and the MPE hold.
    struct TFields {
        int model_index = -1;
        // Parameters 1 to 4, range Y, range Z: the text shown and the number in use. Both are
        // kept, because a field may show text that is no number while the model keeps the last
        // valid one.
        std::array<QString, 6> texts;
        std::array<double, 6> values{};
        TMpe mpe;
        QStringList mpe_texts;

        bool operator==(const TFields &other) const;
        bool operator!=(const TFields &other) const { return !(*this == other); }
    };

    // Puts the fields in place and turns the list forward (undo false) or back.
    using TApply =
        std::function<void(const TFields &fields, const TMeasurementChange &change, bool undo)>;

    // Steps with the same merge key and serial become one (typing into one field); a key of
    // -1 never merges. The step has already been done when it is pushed: the first redo is
    // skipped.
    TEditCommand(const QString &text, int merge_key, int merge_serial, const TFields &before,
                 const TFields &after, const TMeasurementChange &change, const TApply &apply);

    void undo() override;
    void redo() override;
    int id() const override { return merge_key; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    int merge_key;
    int merge_serial;
    TFields before;
    TFields after;
    TMeasurementChange change;
    TApply apply;
    bool done;
};

#endif
