#pragma once

#include "history/HistoryDialogs.h"

#include <memory>

class QWidget;

namespace pelmar {

// The history operations' questions, input boxes and messages as the desktop's dialogs, in
// front of `parent`.
[[nodiscard]] std::unique_ptr<THistoryDialogs> MakeHistoryWindowDialogs(QWidget* parent);

} // namespace pelmar
