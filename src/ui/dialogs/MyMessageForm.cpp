#include "ui/dialogs/MyMessageForm.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <array>

namespace pelmar {
namespace {

// The lines are broken beforehand (MessageLines), so the text is drawn as it stands.
constexpr int TextFlags = Qt::TextExpandTabs;

// Caption width + 8 of each button kind, measured the first time the kind is laid out.
std::array<int, MsgButtonCount> g_captionWidths{};
MessageHook g_hook;

// Draws its text with the same flags it was measured with, so the lines match the layout.
class TMessageLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), TextFlags, text());
    }
};

QString shown(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QStyle::StandardPixmap iconOf(TMsgKind kind) {
    switch (kind) {
    case TMsgKind::Warning: return QStyle::SP_MessageBoxWarning;
    case TMsgKind::Error: return QStyle::SP_MessageBoxCritical;
    case TMsgKind::Confirmation: return QStyle::SP_MessageBoxQuestion;
    default: return QStyle::SP_MessageBoxInformation;
    }
}

// The dialog's horizontal unit: the average width of the letters "A".."Z", "a".."z".
int unitWidthOf(const QFontMetrics& metrics) {
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return metrics.horizontalAdvance(letters) / 52;
}

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

} // namespace

TMyMessageForm::TMyMessageForm(QWidget* parent) : QDialog(parent) {}

void TMyMessageForm::reject() { done(MsgCancelResult); }

void TMyMessageForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        done(m_cancelResult);
        return;
    }
    QDialog::keyPressEvent(event);
}

std::unique_ptr<TMyMessageForm> CreateMyMessage(const QString& text, TMsgKind kind,
                                                TMsgButtons buttons) {
    auto form = std::make_unique<TMyMessageForm>();
    form->setObjectName(QStringLiteral("MyMessageForm"));
    form->setFont(QApplication::font("QMessageBox"));
    form->setLayoutDirection(QApplication::layoutDirection());
    const QFontMetrics metrics(form->font());

    TMsgLayoutInput in;
    in.unitWidth = unitWidthOf(metrics);
    in.unitHeight = metrics.height();
    in.kind = kind;
    in.buttons = buttons;
    in.screen = screenSize();
    in.rightToLeft = form->layoutDirection() == Qt::RightToLeft;
    for (int b = 0; b < MsgButtonCount; ++b) {
        if ((buttons & msgButton(static_cast<TMsgButton>(b))) && g_captionWidths[b] == 0) {
            const QString caption =
                QString::fromUtf8(MsgButtonInfo(static_cast<TMsgButton>(b)).caption);
            g_captionWidths[b] =
                metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, caption).width() + 8;
        }
    }
    in.captionWidths = g_captionWidths;
    const QString display =
        MessageLines(text, metrics, MessageTextWidths(in.unitWidth, kind, in.screen))
            .join(QLatin1Char('\n'));
    in.text = metrics.boundingRect(QRect(0, 0, QWIDGETSIZE_MAX, 0), TextFlags, display).size();
    const TMsgLayout layout = LayOutMessage(in);

    form->setFixedSize(layout.client);
    form->move(layout.position);
    const QString caption = QString::fromUtf8(MsgKindCaption(kind));
    form->setWindowTitle(kind == TMsgKind::Custom ? QApplication::applicationDisplayName() : caption);

    if (MsgKindHasIcon(kind)) {
        auto* image = new QLabel(form.get());
        image->setObjectName(QStringLiteral("Image"));
        image->setGeometry(layout.icon);
        image->setPixmap(form->style()->standardIcon(iconOf(kind)).pixmap(32, 32));
    }
    auto* message = new TMessageLabel(display, form.get());
    message->setObjectName(QStringLiteral("Message"));
    message->setGeometry(layout.message);

    TMyMessageForm* dialog = form.get();
    for (const auto& [kindOfButton, rect] : layout.buttons) {
        const TMsgButtonInfo& info = MsgButtonInfo(kindOfButton);
        auto* button = new QPushButton(QString::fromUtf8(info.caption), dialog);
        button->setObjectName(QString::fromLatin1(info.name));
        button->setGeometry(rect);
        button->setAutoDefault(false);
        if (kindOfButton == layout.defaultButton) {
            button->setDefault(true);
            button->setFocus();
        }
        if (kindOfButton == TMsgButton::Copy) {
            button->setToolTip(QStringLiteral("この窓のメッセージをコピーする"));
            QObject::connect(button, &QPushButton::clicked, dialog, [dialog] {
                QGuiApplication::clipboard()->setText(shown(dialog->MessageText));
            });
        } else if (info.result != 0) {
            const int result = info.result;
            QObject::connect(button, &QPushButton::clicked, dialog,
                             [dialog, result] { dialog->done(result); });
        }
    }
    dialog->setCancelResult(MsgButtonInfo(layout.cancelButton).result);
    form->MessageText = text;
    return form;
}

int ShowMyMessage(const QString& text, TMsgKind kind, TMsgButtons buttons, int x, int y) {
    const auto form = CreateMyMessage(text, kind, buttons);
    QPoint at = form->pos();
    if (x >= 0)
        at.setX(x);
    if (y >= 0)
        at.setY(y);
    form->move(at);
    form->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    form->setModal(true);
    if (g_hook)
        g_hook(*form);
    return form->exec();
}

int ShowInfoMessage(const QString& text, TMsgKind kind, TMsgButtons buttons) {
    return ShowMyMessage(text, kind, buttons, -1, -1);
}

QStringList MessageLines(const QString& text, const QFontMetrics& metrics, TMsgTextWidths widths) {
    return WrapMessageText(text, widths, [&metrics](const QString& piece) {
        return piece.contains(QLatin1Char('\t'))
                   ? metrics.size(Qt::TextSingleLine | Qt::TextExpandTabs, piece).width()
                   : metrics.horizontalAdvance(piece);
    });
}

void SetMessageBoxText(QMessageBox& box, const QString& text) {
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    const QFontMetrics metrics(box.font());
    TMsgTextWidths widths = MessageTextWidths(unitWidthOf(metrics), TMsgKind::Information, area);
    // The box makes itself at most half the screen and 500 pixels wide for wrapped text, and on
    // a screen wider than 1024 pixels never grows beyond the screen less 480 (nor 1000): its
    // lines stay inside that, beside its icon and its somewhat wider margins.
    const int boxLimit = area.width() <= 1024 ? area.width() : std::min(area.width() - 480, 1000);
    const int beside = area.width() - widths.widest + 24;
    widths.preferred = std::min(widths.preferred, 500);
    widths.widest = std::max(widths.preferred, std::min(widths.widest, boxLimit - beside));
    const QStringList lines = MessageLines(text, metrics, widths);
    // Unbreakable lines, so the box cannot break them again its own way.
    box.setTextFormat(Qt::RichText);
    box.setText(QStringLiteral("<p style=\"white-space:pre\">") +
                lines.join(QLatin1Char('\n')).toHtmlEscaped() + QStringLiteral("</p>"));
}

void SetMyMessageHook(MessageHook hook) { g_hook = std::move(hook); }

} // namespace pelmar
