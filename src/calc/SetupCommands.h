// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;
class TfrmExecute;

// What the calculation window does with its inputs beyond a calculation:
// «Сохранить расчет…» and «Открыть расчет…» (a setup file, CalcSetup), and
// keeping them between runs (KeptInputs).
class SetupCommands
{
public:
    explicit SetupCommands(TfrmExecute& window) : m_window(window) {}

    // Writes the inputs and the model into a file the user names, all or
    // nothing (a failure raises Error). Inputs that do not convert are
    // refused as "Расчет" refuses them, a model not stored with the box
    // that says what to do.
    void save();
    // Reads a file the user names; when the store holds its model, makes
    // that model current and puts its inputs into the fields. A damaged file
    // or a model the store lacks is refused with one box naming the file,
    // and nothing changes.
    void open();
    // The inputs and the model the last run kept; a kept model the store no
    // longer holds is dropped without a word.
    void restore();
    void keep() const;

private:
    // The store the calculation reads.
    static Database& store();
    // One box of the window, captioned as its own refusals are.
    static void tell(const QString& text);

    TfrmExecute& m_window;
};
