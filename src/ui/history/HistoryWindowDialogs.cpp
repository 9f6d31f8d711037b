#include "ui/history/HistoryWindowDialogs.h"

#include "desktop/MessageLayout.h"
#include "ui/dialogs/MyMessageForm.h"
#include "ui/dialogs/Prompts.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace pelmar {

namespace {

QString caption(TMsgButton button) { return QString::fromUtf8(MsgButtonInfo(button).caption); }

class TWindowDialogs : public THistoryDialogs {
public:
    explicit TWindowDialogs(QWidget* parent) : m_parent(parent) {}

    void message(const QString& text) override {
        QMessageBox box(QMessageBox::Information,
                        QString::fromUtf8(MsgKindCaption(TMsgKind::Information)), QString(),
                        QMessageBox::Ok, m_parent);
        SetMessageBoxText(box, text);
        box.button(QMessageBox::Ok)->setText(caption(TMsgButton::OK));
        box.exec();
    }

    bool askYesNo(const QString& text) override {
        return ask(text, QMessageBox::No, TMsgButton::No);
    }

    bool askYesCancel(const QString& text) override {
        return ask(text, QMessageBox::Cancel, TMsgButton::Cancel);
    }

    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& initial) override {
        const std::unique_ptr<QInputDialog> box =
            MakeHistoryInputDialog(m_parent, title, prompt, initial);
        if (box->exec() != QDialog::Accepted)
            return std::nullopt;
        return box->textValue();
    }

    void infoMessage(const QString& text) override { ShowInfoMessage(text); }

private:
    bool ask(const QString& text, QMessageBox::StandardButton second, TMsgButton secondCaption) {
        QMessageBox box(QMessageBox::Question,
                        QString::fromUtf8(MsgKindCaption(TMsgKind::Confirmation)), QString(),
                        QMessageBox::Yes | second, m_parent);
        SetMessageBoxText(box, text);
        box.button(QMessageBox::Yes)->setText(caption(TMsgButton::Yes));
        box.button(second)->setText(caption(secondCaption));
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }

    QPointer<QWidget> m_parent;
};

} // namespace

std::unique_ptr<QInputDialog> MakeHistoryInputDialog(QWidget* parent, const QString& caption,
                                                     const QString& prompt,
                                                     const QString& initial) {
    // The main window's box, which is wide enough for the captions, with the prompt under it.
    std::unique_ptr<QInputDialog> box = MakeInputDialog(parent, caption, initial);
    box->setLabelText(prompt);
    return box;
}

std::unique_ptr<THistoryDialogs> MakeHistoryWindowDialogs(QWidget* parent) {
    return std::make_unique<TWindowDialogs>(parent);
}

} // namespace pelmar
