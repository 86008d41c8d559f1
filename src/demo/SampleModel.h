// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Database;

// The sample model "Тестовая" with three levels. Its parameters include those
// of the parameter listing window, with node counts and unit costs chosen so
// that the calculation window's initial inputs compute a number at every point.
class SampleModel
{
public:
    // Adds the model under a key never given before in the store (its levels
    // likewise), in one transaction; returns the key.
    static int load(Database& db);
};
