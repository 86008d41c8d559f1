// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// How the program names a model to the user. Models may share a name; the
// key, which no other model has, tells them apart, so it follows the name
// wherever the model has one. A model not yet saved has no key and is named
// alone.
class ModelName
{
public:
    // After a label: "NAME (ключ N)", "без наименования (ключ N)".
    static QString labelled(const QString& name, std::optional<int> key);
    // Inside a sentence: "«NAME» (ключ N)", "без наименования (ключ N)".
    static QString quoted(const QString& name, std::optional<int> key);
};
