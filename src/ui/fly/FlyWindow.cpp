#include "ui/fly/FlyWindow.h"

namespace pelmar {

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Pelmar Major 8 + 2"));
    resize(720, 540);
}

void TForm4::handOver(const QString& title) {
    m_flyTitle = title;
    hide();
    m_pending = true;
    show();
    raise();
}

} // namespace pelmar
