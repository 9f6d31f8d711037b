#pragma once

#include "desktop/MessageLayout.h"
#include "desktop/MessageWrap.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class QFontMetrics;
class QMessageBox;

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

// A message's lines as a dialog in this font shows them within these widths: a path or a Latin
// word kept whole where the screen allows.
[[nodiscard]] QStringList MessageLines(const QString& text, const QFontMetrics& metrics,
                                       TMsgTextWidths widths);

// Gives a plain message box its text in those lines. Left to itself the box splits a path at
// its slashes, and on a wide screen splits every word anywhere once one is too long for it.
void SetMessageBoxText(QMessageBox& box, const QString& text);

// Called with each dialog right before it runs, so tests can answer it.
using MessageHook = std::function<void(TMyMessageForm& dialog)>;
void SetMyMessageHook(MessageHook hook);

} // namespace pelmar
