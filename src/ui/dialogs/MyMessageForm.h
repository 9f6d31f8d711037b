#pragma once

#include "desktop/MessageLayout.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

namespace pelmar {

// The program's own message dialog: a possibly long text with an icon and a row of buttons, one
// of which may copy the whole message without closing the dialog.
class TMyMessageForm : public QDialog {
    Q_OBJECT
public:
    explicit TMyMessageForm(QWidget* parent = nullptr);

    QString MessageText;

    // Escape answers with the cancel button; the close box gives the cancel result.
    void setCancelResult(int result) { m_cancelResult = result; }
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_cancelResult = MsgCancelResult;
};

// Builds the dialog for a message, not yet shown.
[[nodiscard]] std::unique_ptr<TMyMessageForm> CreateMyMessage(const QString& text, TMsgKind kind,
                                                              TMsgButtons buttons);

// Shows the message modally, above all windows, and returns the button's result. Without a
// position (x and y below 0) it is centred on the screen.
int ShowMyMessage(const QString& text, TMsgKind kind, TMsgButtons buttons, int x, int y);
int ShowInfoMessage(const QString& text, TMsgKind kind = TMsgKind::Information,
                    TMsgButtons buttons = OkAndCopy);

// Called with each dialog right before it runs, so tests can answer it.
using MessageHook = std::function<void(TMyMessageForm& dialog)>;
void SetMyMessageHook(MessageHook hook);

} // namespace pelmar
