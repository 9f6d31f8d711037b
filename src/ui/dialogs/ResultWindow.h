#pragma once

#include "desktop/ResultCard.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace pelmar {

// The detailed result window: the last measurement on one small card (counts, averages, grade
// levels, reading ease, text styles), copied as twenty tab-separated lines. Shown modally; its
// fly button closes it with FlyResult so the caller can open the fly graph.
class TFormResult : public QDialog {
    Q_OBJECT
public:
    static constexpr int FlyResult = 100;

    explicit TFormResult(QWidget* parent = nullptr);

    // Sets every value of the card.
    void fill(const TResultCard& card);
    // The card's values as its labels show them.
    [[nodiscard]] TResultCard shownCard() const;
    // The copy button: the card's lines to the clipboard; the window stays open.
    void copyCard();

private:
    std::array<QLabel*, CardValueCount> m_values{};
    QPushButton* m_ok = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_fly = nullptr;
};

} // namespace pelmar
