// Start-up of the application. Until the main window is in place, it opens
// the store behind the alias MODEL and prints what it holds.

#include "engine/Database.h"
#include "engine/Error.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    try {
        Database db;
        db.open();
        QTextStream(stdout) << "Kerova: " << db.definition().describe() << ", моделей "
                            << db.rowCount(QStringLiteral("MATHMODEL")) << ", уровней "
                            << db.rowCount(QStringLiteral("MATHLEVEL")) << "\n";
    } catch (const Error& e) {
        QTextStream(stderr) << "Kerova: " << e.message() << "\n";
    }
    return 0;
}
