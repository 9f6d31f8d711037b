#include "ui/history/HistoryWindow.h"

namespace pelmar {

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Pelmar - Graph"));
    resize(800, 568);
}

} // namespace pelmar
