// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/SaveDialog.h"

#include <QStringList>

// While alive, answers every save dialog with the given path (empty: the user
// cancels) instead of showing it, and notes the captions asked for.
class ChosenPath
{
public:
    explicit ChosenPath(QString path)
        : m_path(std::move(path)),
          m_previous(SaveDialog::setSink(
              [this](const QString& caption, const QString& filters, const QString&) {
                  m_asked << caption;
                  m_filters = filters;
                  return m_path;
              }))
    {
    }
    ~ChosenPath() { SaveDialog::setSink(std::move(m_previous)); }
    ChosenPath(const ChosenPath&) = delete;
    ChosenPath& operator=(const ChosenPath&) = delete;

    void set(const QString& path) { m_path = path; }
    const QStringList& asked() const { return m_asked; }
    const QString& filters() const { return m_filters; }

private:
    QString m_path;
    QStringList m_asked;
    QString m_filters;
    SaveDialog::Sink m_previous;
};
