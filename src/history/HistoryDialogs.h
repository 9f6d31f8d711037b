#pragma once

#include <QString>

#include <optional>

namespace pelmar {

// Everything the history operations ask or tell the user. The window answers with real
// dialogs; tests and the command line answer without one.
class THistoryDialogs {
public:
    virtual ~THistoryDialogs() = default;
    // A short message with OK.
    virtual void message(const QString& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // A question with Yes and Cancel; true for Yes.
    virtual bool askYesCancel(const QString& text) = 0;
    // An input box; nothing when cancelled.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt,
                                         const QString& initial) = 0;
    // A longer read-only text in the program's own dialog with OK and Copy.
    virtual void infoMessage(const QString& text) = 0;
};

} // namespace pelmar
