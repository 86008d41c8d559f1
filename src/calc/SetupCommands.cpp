// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/SetupCommands.h"

#include "calc/CurrentModel.h"
#include "calc/Frmexec.h"
#include "calc/KeptInputs.h"
#include "calccore/CalcSetup.h"
#include "calccore/Dmexec.h"
#include "calccore/SetupModelCheck.h"
#include "chart/SafeSave.h"
#include "engine/ModelName.h"
#include "number/Error.h"
#include "results/SaveDialog.h"
#include "toolkit/KeptSettings.h"
#include "toolkit/MessageService.h"
#include "toolkit/OpenDialog.h"

#include <QIODevice>

namespace {

const QString kFilters = QStringLiteral("Расчет Kerova (*.json)");

} // namespace

Database& SetupCommands::store()
{
    if (!dmExecute || !dmExecute->qryExecLevel.database())
        throw Error(QStringLiteral("Объект dmExecute не создан"));
    return *dmExecute->qryExecLevel.database();
}

void SetupCommands::tell(const QString& text)
{
    MessageService::show(text, QStringLiteral("Расчеты"));
}

// The model is saved under the name it is stored with: a rename held back
// in the model list would make the file name a model the store lacks.
void SetupCommands::save()
{
    const CurrentModel model = CurrentModel::read();
    if (!model.key) {
        tell(model.missing());
        return;
    }
    const QString name = SetupModelCheck::storedName(store(), *model.key).value_or(model.name);
    SweepRefusal refusal;
    const std::optional<CalcSetup> setup =
        CalcSetup::of(m_window.input(), *model.key, name, &refusal);
    if (!setup) {
        m_window.refuse(refusal);
        return;
    }
    const QString path = SaveDialog::choose(&m_window, QStringLiteral("Сохранить расчет"), kFilters,
                                            QStringLiteral("расчет.json"));
    if (path.isEmpty())
        return;
    const QByteArray json = setup->toJson();
    SafeSave::write(path, [&json](QIODevice& device) { return device.write(json) == json.size(); });
}

void SetupCommands::open()
{
    const QString path = OpenDialog::choose(&m_window, QStringLiteral("Открыть расчет"),
                                            kFilters + QStringLiteral(";;Все файлы (*)"));
    if (path.isEmpty())
        return;
    std::optional<CalcSetup> setup;
    try {
        setup = CalcSetup::read(path);
    } catch (const Error& e) {
        tell(e.message());
        return;
    }
    const QString problem = SetupModelCheck::problem(store(), *setup, path);
    if (!problem.isEmpty()) {
        tell(problem);
        return;
    }
    // The window computes for the model current in the model list.
    if (!CurrentModel::choose(setup->modelKey) || CurrentModel::read().key != setup->modelKey) {
        tell(QStringLiteral("Файл расчета %1 не открыт: модели %2 нет в списке окна «Модели»")
                 .arg(path, ModelName::quoted(setup->modelName, setup->modelKey)));
        return;
    }
    m_window.setInput(setup->input());
}

void SetupCommands::restore()
{
    const std::optional<KeptInputs::Kept> kept = KeptInputs::restore();
    if (!kept)
        return;
    m_window.setInput(kept->input);
    if (kept->model && !CurrentModel::choose(*kept->model))
        KeptInputs::forgetModel();
}

void SetupCommands::keep() const
{
    if (!KeptSettings::enabled())
        return;
    KeptInputs::keep(m_window.input(), CurrentModel::read().key);
}
