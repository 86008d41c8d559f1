// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <functional>

// Where the rows of a content go one at a time, as they are read: each with
// the index of its table in Schema::tables().
using RowSink = std::function<void(std::size_t table, const QJsonObject& row)>;
// What gives every row of a content to a sink, as often as it is called.
using RowSource = std::function<void(const RowSink& sink)>;
