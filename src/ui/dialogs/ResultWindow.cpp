#include "ui/dialogs/ResultWindow.h"

#include "ui/common/WindowFont.h"
#include "ui/fly/FlyArtwork.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace pelmar {

namespace {

constexpr int RowHeight = 16;

void bevel(QWidget* parent, const QRect& place) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setGeometry(place);
    frame->lower();
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int x) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, 435, 75, 25);
    return b;
}

} // namespace

TFormResult::TFormResult(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormResult"));
    setWindowTitle(QStringLiteral("リーダビリティ 結果"));
    setFont(JapaneseWindowFont());
    setFixedSize(287, 472);

    for (const TCardRow& row : CardRows) {
        auto* caption = new QLabel(QString::fromUtf8(row.caption), this);
        caption->move(row.x, row.y);
        caption->adjustSize();
        if (row.value < 0)
            continue;
        auto* value = new QLabel(this);
        value->setObjectName(QStringLiteral("Value%1").arg(row.value));
        value->setAlignment(Qt::AlignRight | Qt::AlignTop);
        // Right edge on the value column, wide enough for any number.
        value->setGeometry(QRect(QPoint(CardValueRight - 100, row.y),
                                 QPoint(CardValueRight - 1, row.y + RowHeight - 1)));
        m_values[std::size_t(row.value)] = value;
    }
    // The grade levels and the text styles each sit in a raised frame.
    bevel(this, QRect(24, 176, 233, 105));
    bevel(this, QRect(24, 328, 233, 89));

    m_ok = button(this, "btnOK", QStringLiteral("OK"), 24);
    m_ok->setDefault(true);
    m_copy = button(this, "btnCopy", QStringLiteral("コピー"), 112);
    m_fly = button(this, "btnFly", QStringLiteral("フライ(&F)"), 200);
    m_fly->setIcon(FlyButtonIcon());
    m_fly->setIconSize(QSize(24, 7));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_copy, &QPushButton::clicked, this, &TFormResult::copyCard);
    connect(m_fly, &QPushButton::clicked, this, [this] { done(FlyResult); });
}

void TFormResult::fill(const TResultCard& card) {
    for (std::size_t i = 0; i < m_values.size(); ++i)
        m_values[i]->setText(card.values[i]);
}

TResultCard TFormResult::shownCard() const {
    TResultCard card;
    for (std::size_t i = 0; i < m_values.size(); ++i)
        card.values[i] = m_values[i]->text();
    return card;
}

void TFormResult::copyCard() {
    QGuiApplication::clipboard()->setText(ResultCardCopyText(shownCard()));
}

} // namespace pelmar
