#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <optional>

class QInputDialog;
class QWidget;

namespace pelmar {

enum class TAnswer { Yes, No, Cancel };

// Everything a window asks the user or hands to the desktop, behind one interface so a test can
// answer and record it. Texts may hold "\r\n" line breaks.
class TPrompts {
public:
    virtual ~TPrompts() = default;

    // A plain message with OK.
    virtual void information(QWidget* parent, const QString& text) = 0;
    // A warning with Yes and Abort; true for Yes.
    virtual bool warningYesAbort(QWidget* parent, const QString& text) = 0;
    // A confirmation with Yes, No and Cancel.
    virtual TAnswer confirmYesNoCancel(QWidget* parent, const QString& text) = 0;
    // A line of text; nothing when cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& caption,
                                             const QString& initial) = 0;
    // A ".txt" file to open, starting in a folder; empty when cancelled.
    virtual QString openTextFile(QWidget* parent, const QString& folder) = 0;
    // A long read-only text in the program's own dialog, with OK and Copy.
    virtual void infoMessage(const QString& text) = 0;
    // The desktop's handler for a link or a document.
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts a program detached, with its arguments (never a shell line).
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
};

// The input box the real prompts show: the question as its title and as a label over the line.
[[nodiscard]] std::unique_ptr<QInputDialog> MakeInputDialog(QWidget* parent, const QString& caption,
                                                            const QString& initial);

// Whether the desktop names a program for mail links.
[[nodiscard]] bool HasMailProgram();

// The real dialogs and the desktop.
[[nodiscard]] std::unique_ptr<TPrompts> MakeDesktopPrompts();

} // namespace pelmar
