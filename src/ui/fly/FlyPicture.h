#pragma once

#include <QImage>
#include <QWidget>

namespace pelmar {

// A fly: its picture stretched over the widget, transparent around the badge. A press with the
// left button reports the picture's tag (the formula's column position).
class TFlyPicture : public QWidget {
    Q_OBJECT
public:
    TFlyPicture(QImage picture, int tag, QWidget* parent);
    [[nodiscard]] int tag() const { return m_tag; }

Q_SIGNALS:
    void pressed(int tag);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    int m_tag;
};

} // namespace pelmar
