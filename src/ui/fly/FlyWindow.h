#pragma once

#include <QWidget>

namespace pelmar {

// The fly-graph window. For now an empty window with its caption, shown by the fly command.
class TForm4 : public QWidget {
public:
    explicit TForm4(QWidget* parent = nullptr);
};

} // namespace pelmar
