#include "cli/HistoryCommand.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pelmar-history"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELMAR_VERSION));
    std::ios::sync_with_stdio(false);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return pelmar::RunHistoryCommand(arguments, std::cout, std::cerr);
}
