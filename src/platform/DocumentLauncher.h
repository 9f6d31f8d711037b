#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace pelmar {

// Opens the program's manual or an HTML page in a web browser. Everything that reaches outside
// (messages, starting a program, the desktop's own handler) comes in through these hooks, so the
// choice of browser and page is the same in tests as in the window.
struct TLauncherHooks {
    // A plain message to the user ("\r\n" line breaks).
    std::function<void(const QString& text)> message;
    // Starts a program with its arguments, detached; never through a shell.
    std::function<bool(const QString& program, const QStringList& arguments)> start;
    // The desktop's handler for a URL, used when no known browser is installed.
    std::function<bool(const QUrl& url)> openWithDesktop;
};

inline constexpr char MissingDocumentMessage[] = "ファイルがありません\r\n\r\n";
inline constexpr char NoApplicationMessage[] = "このファイルを開けるアプリケーションがありません";

// The browsers tried, best first, as program names looked up on PATH.
[[nodiscard]] const QStringList& KnownBrowserPrograms();

// The first known browser on PATH, as a full path, or empty: then the desktop's handler opens
// the document.
[[nodiscard]] QString FindBrowser(const QString& path);

// The page title of an HTML text given as lines, or empty. The tags are found in any letter case
// and a title over several lines is joined with single blanks.
[[nodiscard]] QString HtmlTitle(const QStringList& lines);

// The title of the page in the file (UTF-8 or CP932), or empty when it has none or is missing.
[[nodiscard]] QString DocumentTitle(const QString& path);

// What the browser is given: the page split off for the anchor ("<path without extension>_
// <anchor>.html") when that file exists, else the path followed by "#" and the anchor; the path
// alone without an anchor.
[[nodiscard]] QString DocumentParameter(const QString& path, const QString& anchor);

// The same as a file URL, with the anchor as its fragment when no split-off page exists.
[[nodiscard]] QUrl DocumentUrl(const QString& path, const QString& anchor);

// Asks a window that shows the same page to close, so repeated help requests do not pile up
// browser windows. Needs wmctrl; without it nothing is closed. Returns the title looked for.
QString CloseSameTitleWindow(const QString& path, const TLauncherHooks& hooks);

// The manual the help command opens: pelmar.pdf beside the program, as in a build folder, else
// where the package installs it below the program's prefix. When neither exists, the path
// beside the program, which the missing-file message then names.
[[nodiscard]] QString HelpDocumentPath(const QString& programFolder);

// Opens the document (anchor may be empty). False when it could not: the user was told why.
bool OpenDocument(const QString& path, const QString& anchor, const TLauncherHooks& hooks);

} // namespace pelmar
