// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/SweepInput.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A calculation's setup kept in a file, to open in the calculation window
// or run with kerova-sweep --setup: the model (its key and, as a check, its
// name) and the inputs as numbers, so that a file saved in one locale reads
// the same in any other. The file is a JSON object (UTF-8):
//
//   {"format": "kerova-calculation", "version": 1,
//    "model": {"key": 1, "name": "Пример"},
//    "x": {"indicator": 1, "from": 10, "to": 100, "step": 10, "level": 1},
//    "y": {"indicator": 0, "from": 10, "to": 30, "step": 5, "level": 1},
//    "quantity": {"type": 0, "level": 2}}
//
// "indicator" is the item of the parameter (0–6, -1 for none), "type" the
// item of the quantity (0–2, -1 for none); levels and the key are integers,
// from, to and step any numbers. Every member is required and no other is
// allowed.
struct CalcSetup
{
    static constexpr int Version = 1;

    int modelKey = 0;
    QString modelName;
    SweepInput::Values values{};
    int itemX = -1;    // ValX
    int itemY = -1;    // ValY
    int calcType = -1; // rgrCalcType

    // The setup of the inputs for the model; nothing, with the refusal of
    // the first field that does not convert, when one does not. A blank
    // field is kept as the value it is read as.
    static std::optional<CalcSetup> of(const SweepInput& input, int key, const QString& name,
                                       SweepRefusal* refusal);
    // The setup the file holds. A file that cannot be read, is not JSON, is
    // of another format or version, or lacks a member or has one of the
    // wrong kind raises Error naming the file and what is wrong.
    static CalcSetup read(const QString& path);

    // The file's content, indented.
    QByteArray toJson() const;
    // The inputs as the window's fields show them: numbers in the user's
    // locale, in the shortest text that reads back as the same number.
    SweepInput input() const;
};
