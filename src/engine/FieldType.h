// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a column is read and written by type.
enum class FieldType { Integer, Real, Text };
