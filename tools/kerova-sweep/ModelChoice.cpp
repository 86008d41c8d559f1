// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModelChoice.h"

#include "SetupOption.h"

#include "calccore/SetupModelCheck.h"
#include "cli/ErrorLine.h"
#include "engine/Database.h"

#include <QCommandLineParser>
#include <QList>
#include <QSqlQuery>
#include <QTextStream>

namespace {

struct Model
{
    int id;
    QString name;
};

QList<Model> storedModels(Database& db)
{
    QList<Model> models;
    QSqlQuery query =
        db.exec(QStringLiteral("SELECT MODID, MODNAME FROM MATHMODEL ORDER BY MODID"));
    while (query.next())
        models << Model{query.value(0).toInt(), query.value(1).toString()};
    return models;
}

void list(QTextStream& err, const QList<Model>& models)
{
    for (const Model& m : models)
        err << "  ключ " << m.id << ": «" << m.name << "»\n";
}

} // namespace

void ModelChoice::addOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("model"),
                      QStringLiteral("модель, уровни которой рассчитываются (по наименованию)"),
                      QStringLiteral("ИМЯ")});
    parser.addOption({QStringLiteral("model-id"),
                      QStringLiteral("модель, уровни которой рассчитываются (по ключу MODID)"),
                      QStringLiteral("КЛЮЧ")});
}

ModelChoice::ModelChoice(const QCommandLineParser& parser, const SetupOption& setup)
    : m_setup(setup)
{
    if (parser.isSet(QStringLiteral("model")))
        m_name = parser.value(QStringLiteral("model"));
    if (parser.isSet(QStringLiteral("model-id"))) {
        bool ok = false;
        m_id = parser.value(QStringLiteral("model-id")).trimmed().toInt(&ok);
        if (!ok)
            m_problem = QStringLiteral("--model-id: ключ модели — целое число, а не «%1»")
                            .arg(parser.value(QStringLiteral("model-id")));
    }
    if (m_name && m_id)
        m_problem = QStringLiteral("--model и --model-id вместе: укажите что-то одно");
}

std::optional<int> ModelChoice::setupModel(Database& db, QTextStream& err, int* status) const
{
    const QString problem = SetupModelCheck::problem(db, *m_setup.setup(), m_setup.path());
    if (problem.isEmpty())
        return m_setup.setup()->modelKey;
    *status = 2;
    err << ErrorLine::prefixed(problem) << Qt::endl;
    return std::nullopt;
}

std::optional<int> ModelChoice::resolve(Database& db, QTextStream& err, int* status) const
{
    if (m_setup.setup() && !m_name && !m_id)
        return setupModel(db, err, status);
    const QList<Model> models = storedModels(db);
    QList<Model> matching;
    for (const Model& m : models)
        if ((m_id && m.id == *m_id) || (m_name && m.name == *m_name) || (!m_id && !m_name))
            matching << m;
    if (matching.size() == 1)
        return matching.first().id;
    *status = 2;
    if (models.isEmpty()) {
        *status = 1;
        err << ErrorLine::prefixed(QStringLiteral(
            "В хранилище нет моделей; пример модели загружает kerova-engine demo\n"));
    } else if (matching.isEmpty()) {
        err << ErrorLine::prefixed(m_id ? QStringLiteral("Нет модели с ключом %1").arg(*m_id)
                                        : QStringLiteral("Нет модели «%1»").arg(*m_name))
            << "; модели хранилища:\n";
        list(err, models);
    } else if (m_name) {
        err << ErrorLine::prefixed(
            QStringLiteral("Модель «%1» в хранилище не одна; выберите ее ключом --model-id:\n")
                .arg(*m_name));
        list(err, matching);
    } else {
        err << ErrorLine::prefixed(QStringLiteral(
            "В хранилище несколько моделей; выберите одну: --model ИМЯ или --model-id КЛЮЧ\n"));
        list(err, models);
    }
    return std::nullopt;
}
