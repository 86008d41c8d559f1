// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetupOption.h"

#include "cli/ErrorLine.h"
#include "engine/AliasConfig.h"
#include "number/Error.h"

#include <QCommandLineParser>

void SetupOption::addOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("setup"),
                      QStringLiteral("файл расчета (JSON), сохраненный в окне расчетов; другие "
                                     "параметры заменяют его значения"),
                      QStringLiteral("ФАЙЛ")});
    parser.addOption({QStringLiteral("config"),
                      QStringLiteral("файл конфигурации хранилища вместо KEROVA_ENGINE_CONFIG"),
                      QStringLiteral("INI")});
}

bool SetupOption::read(const QCommandLineParser& parser)
{
    if (parser.isSet(QStringLiteral("config")))
        AliasConfig::chooseConfig(parser.value(QStringLiteral("config")));
    if (!parser.isSet(QStringLiteral("setup")))
        return true;
    m_path = parser.value(QStringLiteral("setup"));
    try {
        m_setup = CalcSetup::read(m_path);
    } catch (const Error& e) {
        ErrorLine::write(e.message());
        return false;
    }
    return true;
}

SweepInput SetupOption::input() const
{
    return m_setup ? m_setup->input() : SweepInput();
}
