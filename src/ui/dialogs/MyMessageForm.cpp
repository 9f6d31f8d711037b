#include "ui/dialogs/MyMessageForm.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <array>

namespace pelmar {
namespace {

constexpr int TextFlags = Qt::TextWordWrap | Qt::TextExpandTabs;

// Caption width + 8 of each button kind, measured the first time the kind is laid out.
std::array<int, MsgButtonCount> g_captionWidths{};
MessageHook g_hook;

// Draws its text with the same flags it was measured with, so the wrap matches the layout.
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
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    in.unitWidth = metrics.horizontalAdvance(letters) / 52;
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
    const QString display = shown(text);
    in.text = metrics.boundingRect(QRect(0, 0, in.screen.width() / 2, 0), TextFlags, display).size();
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

void SetMyMessageHook(MessageHook hook) { g_hook = std::move(hook); }

} // namespace pelmar
