#pragma once

#include <QWidget>

namespace pelmar {

// The fly-graph window. For now an empty window with its caption, shown by the fly command.
class TForm4 : public QWidget {
public:
    explicit TForm4(QWidget* parent = nullptr);

    // The history window hands over a record: its values are already the main window's kept
    // values; the title is the record's. The window is shown afresh to fly them.
    void handOver(const QString& title);
    [[nodiscard]] const QString& flyTitle() const { return m_flyTitle; }

private:
    QString m_flyTitle;
    bool m_pending = false;
};

} // namespace pelmar
