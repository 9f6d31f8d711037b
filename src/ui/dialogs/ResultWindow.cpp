#include "ui/dialogs/ResultWindow.h"

namespace pelmar {

TFormResult::TFormResult(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormResult"));
    setWindowTitle(QStringLiteral("リーダビリティ 結果"));
    setFixedSize(287, 472);
}

} // namespace pelmar
