#pragma once

#include <QDialog>

namespace pelmar {

// The detailed result window. For now an empty card with its caption and size, shown modally by
// the result command.
class TFormResult : public QDialog {
public:
    explicit TFormResult(QWidget* parent = nullptr);
};

} // namespace pelmar
