#pragma once

#include <QWidget>

namespace pelmar {

// The history and line-graph window. For now an empty window with its caption and size, shown
// by the main window after a save and by its line-graph command.
class TForm2 : public QWidget {
public:
    explicit TForm2(QWidget* parent = nullptr);
};

} // namespace pelmar
