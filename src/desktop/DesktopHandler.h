#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace pelmar {

// What the desktop is asked for when it should open a link or a document: the program it names
// for a type ("application/pdf", "x-scheme-handler/mailto"), empty when none; and a program on
// PATH by name, empty when there is none.
struct TDesktopLookup {
    std::function<QString(const QString& type)> defaultProgram;
    std::function<QString(const QString& name)> findExecutable;
};

// The type whose default program opens the URL: the file's type for a local file, else the
// scheme's handler.
[[nodiscard]] QString DesktopHandlerType(const QUrl& url);

// Whether handing the URL to the desktop would open it. The desktop's opener starts without
// waiting and never says that nothing took the link, so a program must be there to take it: the
// default program of its type, or, for a document or a web page, the system's default browser,
// which the opener falls back on.
[[nodiscard]] bool DesktopCanOpen(const QUrl& url, const TDesktopLookup& lookup);

} // namespace pelmar
