#pragma once

#include <QImage>
#include <QWidget>

namespace pelmar {

// A widget showing a picture the graph paints into: the plot, the strips, the axis, the legend
// and the overlay. A transparent one clears to nothing, so what lies under it shows.
class TGraphImage : public QWidget {
    Q_OBJECT
public:
    explicit TGraphImage(QWidget* parent, bool transparent = false);

    [[nodiscard]] QImage& Picture() { return m_picture; }
    [[nodiscard]] const QImage& Picture() const { return m_picture; }
    // Gives the picture the widget's size, cleared.
    void Fit();
    // White, or nothing for a transparent image.
    void Clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    bool m_transparent;
};

// The image under the plot that carries the records' titles. The graph highlights the marks
// of the column under the pointer while it is over the titles, and a click selects a record.
class TGLImage : public TGraphImage {
    Q_OBJECT
public:
    explicit TGLImage(QWidget* parent);

Q_SIGNALS:
    void pointerEntered(QPoint position);
    void pointerMoved(QPoint position);
    void pointerLeft();
    void clicked(QPoint position);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace pelmar
