// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/CalcSetup.h"

#include <optional>

class QCommandLineParser;

// The options that say where the calculation comes from: --setup FILE, a
// setup saved in the calculation window, and --config INI, the engine
// configuration that maps the alias MODEL to the store (instead of
// KEROVA_ENGINE_CONFIG). The setup gives the inputs and the model; the other
// options given beside it override its values, --model and --model-id its model.
class SetupOption
{
public:
    static void addOptions(QCommandLineParser& parser);

    // Chooses the configuration and reads the setup; false, after the
    // message on standard error, when the setup file is refused.
    bool read(const QCommandLineParser& parser);

    // The inputs the options start from: the setup's, or the window's initial ones.
    SweepInput input() const;
    const std::optional<CalcSetup>& setup() const { return m_setup; }
    const QString& path() const { return m_path; }

private:
    std::optional<CalcSetup> m_setup;
    QString m_path;
};
