#pragma once

#include "history/HistoryDialogs.h"

#include <memory>

class QInputDialog;
class QWidget;

namespace pelmar {

// The history operations' questions, input boxes and messages as the desktop's dialogs, in
// front of `parent`.
[[nodiscard]] std::unique_ptr<THistoryDialogs> MakeHistoryWindowDialogs(QWidget* parent);

// The input box of the folder and group operations: the caption as its title, the prompt over
// the line, wide enough that the window manager shows the whole caption.
[[nodiscard]] std::unique_ptr<QInputDialog> MakeHistoryInputDialog(QWidget* parent,
                                                                   const QString& caption,
                                                                   const QString& prompt,
                                                                   const QString& initial);

} // namespace pelmar
