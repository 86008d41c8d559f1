// SPDX-License-Identifier: GPL-3.0-or-later
// A second application instance without windows: drives the store modules
// the way the windows do, for the tests that need another process on the
// same store.
//   StoreInstance add <count> <tag>  adds <count> models, each with one level;
//                                    a refused save is reported, then retried
//                                    after a refresh
//   StoreInstance rename <model> <name>  changes the name of every level of
//                                    <model> in one batch of cached changes
#include "number/Error.h"
#include "store/Dmcom.h"
#include "store/Dmstruct.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void report(const char* what, const QString& text)
{
    std::printf("%s %s\n", what, qPrintable(text));
    std::fflush(stdout);
}

// "Добавить", a name, "Сохранить"; returns the key the model was saved under.
int addModel(TdmStructure& s, const QString& name)
{
    for (;;) {
        s.tblModel.close();
        s.tblModel.open(); // the refresh: the next key is read afresh
        s.tblModel.insert();
        s.tblModel.fieldByName(QStringLiteral("MODNAME")).setAsString(name);
        try {
            s.ApplyChanges(s.tblModel, {});
            return s.tblModel.fieldByName(QStringLiteral("MODID")).asInteger();
        } catch (const Error& e) {
            report("refused", e.message());
        }
    }
}

// The level editor's "ОК" for a new level of the model.
void addLevel(TdmStructure& s, int model, const QString& name)
{
    for (;;) {
        s.setLevelModelID(model);
        s.qryEditLevel.close();
        s.qryEditLevel.setParam(QStringLiteral("par_ModID"), model);
        s.qryEditLevel.setParam(QStringLiteral("par_LvlID"), 0);
        s.qryEditLevel.open();
        s.qryEditLevel.insert();
        s.qryEditLevel.fieldByName(QStringLiteral("LVLNUMBER")).setAsInteger(1);
        s.qryEditLevel.fieldByName(QStringLiteral("LVLNAME")).setAsString(name);
        try {
            s.ApplyChanges(s.qryEditLevel, {});
            return;
        } catch (const Error& e) {
            report("refused", e.message());
        }
    }
}

void add(TdmStructure& s, int count, const QString& tag)
{
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("%1-%2").arg(tag).arg(i);
        const int key = addModel(s, name);
        addLevel(s, key, name);
        report("saved", name);
    }
}

void rename(TdmStructure& s, int model, const QString& name)
{
    DataSet& levels = s.qryLevel;
    levels.setParam(QStringLiteral("par_ModID"), model);
    levels.open();
    for (levels.first(); !levels.eof(); levels.moveBy(1)) {
        levels.edit();
        levels.fieldByName(QStringLiteral("LVLNAME")).setAsString(name);
        levels.post();
    }
    report("applying", QString::number(levels.recordCount()));
    s.ApplyChanges(levels, {});
    report("applied", name);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        TdmCommon common;
        TdmStructure structure;
        if (args.value(1) == QLatin1String("add"))
            add(structure, args.value(2).toInt(), args.value(3));
        else if (args.value(1) == QLatin1String("rename"))
            rename(structure, args.value(2).toInt(), args.value(3));
        else
            return 2;
    } catch (const Error& e) {
        report("error", e.message());
        return 1;
    }
    return 0;
}
