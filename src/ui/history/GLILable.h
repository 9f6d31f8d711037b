#pragma once

#include <QLabel>

namespace pelmar {

// A formula's entry in the legend. Its tag is the formula's column position (number + 9);
// pointing at it highlights the formula's line, clicking it explains the formula.
class TGLILable : public QLabel {
    Q_OBJECT
public:
    TGLILable(int tag, QWidget* parent);
    [[nodiscard]] int Tag() const { return m_tag; }

Q_SIGNALS:
    void pointerEntered(int tag);
    void pointerLeft(int tag);
    void clicked(int tag);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_tag;
};

} // namespace pelmar
