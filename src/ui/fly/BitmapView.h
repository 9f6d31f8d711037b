#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

namespace pelmar {

// Shows a bitmap as it is, pixel for pixel, from the widget's top-left corner; or stretched over
// the widget. Pixels of the transparent colour, when one is set, let what lies below show.
class TBitmapView : public QWidget {
public:
    explicit TBitmapView(QWidget* parent);

    // The bitmap drawn on; call update() or setBitmap after drawing.
    [[nodiscard]] QImage& bitmap() { return m_bitmap; }
    void setBitmap(QImage bitmap);
    void setStretched(bool on) { m_stretched = on; }
    void setTransparentColour(QRgb colour) { m_transparent = colour; }
    // Rebuilds what is shown from the bitmap.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_bitmap;
    QImage m_shown;
    std::optional<QRgb> m_transparent;
    bool m_stretched = false;
};

} // namespace pelmar
