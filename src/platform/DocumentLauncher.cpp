#include "platform/DocumentLauncher.h"

#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace pelmar {
namespace {

const QString OpenTag = QStringLiteral("<title>");
const QString CloseTag = QStringLiteral("</title>");

void tell(const TLauncherHooks& hooks, const QString& text) {
    if (hooks.message)
        hooks.message(text);
}

bool start(const TLauncherHooks& hooks, const QString& program, const QStringList& arguments) {
    if (hooks.start)
        return hooks.start(program, arguments);
    return QProcess::startDetached(program, arguments);
}

QString candidatePage(const QString& path, const QString& anchor) {
    const QFileInfo info(path);
    const QString stem = info.suffix().isEmpty()
                             ? path
                             : path.left(path.size() - info.suffix().size() - 1);
    return stem + QLatin1Char('_') + anchor + QStringLiteral(".html");
}

} // namespace

const QStringList& KnownBrowserPrograms() {
    // Chrome comes first, as either of its builds; Debian names its Firefox firefox-esr.
    static const QStringList programs = {
        QStringLiteral("google-chrome"), QStringLiteral("chromium"), QStringLiteral("firefox"),
        QStringLiteral("firefox-esr"), QStringLiteral("opera")};
    return programs;
}

QString FindBrowser(const QString& path) {
    Q_UNUSED(path)
    for (const QString& program : KnownBrowserPrograms()) {
        const QString found = QStandardPaths::findExecutable(program);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString HtmlTitle(const QStringList& lines) {
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < lines.size() && first < 0; ++i)
        if (lines[i].contains(OpenTag, Qt::CaseInsensitive))
            first = i;
    if (first < 0)
        return {};
    for (qsizetype i = first; i < lines.size() && last < 0; ++i)
        if (lines[i].contains(CloseTag, Qt::CaseInsensitive))
            last = i;
    if (last < 0)
        return {};

    const QString& head = lines[first];
    const qsizetype start = head.indexOf(OpenTag, 0, Qt::CaseInsensitive) + OpenTag.size();
    if (first == last) {
        const qsizetype end = head.indexOf(CloseTag, 0, Qt::CaseInsensitive);
        return end > start ? head.mid(start, end - start) : QString();
    }
    QString title = head.mid(start);
    for (qsizetype i = first + 1; i < last; ++i) {
        const QString part = lines[i].trimmed();
        if (!part.isEmpty())
            title += QLatin1Char(' ') + part;
    }
    const QString& tail = lines[last];
    title += QLatin1Char(' ') + tail.left(tail.indexOf(CloseTag, 0, Qt::CaseInsensitive)).trimmed();
    return title;
}

QString DocumentTitle(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const QString text = decodeTextFile(std::string_view(bytes.constData(),
                                                         static_cast<std::size_t>(bytes.size())));
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return HtmlTitle(text.split(lineEnd));
}

QString DocumentParameter(const QString& path, const QString& anchor) {
    if (anchor.trimmed().isEmpty())
        return path;
    const QString candidate = candidatePage(path, anchor);
    if (QFileInfo::exists(candidate))
        return candidate;
    return path + QLatin1Char('#') + anchor;
}

QUrl DocumentUrl(const QString& path, const QString& anchor) {
    if (anchor.trimmed().isEmpty())
        return QUrl::fromLocalFile(path);
    const QString candidate = candidatePage(path, anchor);
    if (QFileInfo::exists(candidate))
        return QUrl::fromLocalFile(candidate);
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(anchor);
    return url;
}

QString CloseSameTitleWindow(const QString& path, const TLauncherHooks& hooks) {
    if (!QFileInfo::exists(path))
        return {};
    const QString title = DocumentTitle(path);
    if (title.isEmpty())
        return title;
    // wmctrl closes the window whose caption contains the title, gracefully, without waiting.
    const QString wmctrl = QStandardPaths::findExecutable(QStringLiteral("wmctrl"));
    if (!wmctrl.isEmpty())
        start(hooks, wmctrl, {QStringLiteral("-c"), title});
    return title;
}

QString HelpDocumentPath(const QString& programFolder) {
    const QString name = QStringLiteral("pelmar.pdf");
    const QDir folder(programFolder);
    const QString beside = folder.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed =
        QDir::cleanPath(folder.filePath(QStringLiteral(PELMAR_MANUAL_FROM_PROGRAM "/") + name));
    return QFileInfo::exists(installed) ? installed : beside;
}

bool OpenDocument(const QString& path, const QString& anchor, const TLauncherHooks& hooks) {
    if (!QFileInfo::exists(path)) {
        tell(hooks, QString::fromUtf8(MissingDocumentMessage) + path);
        return false;
    }
    const QString program = FindBrowser(path);
    CloseSameTitleWindow(path, hooks);
    const QUrl url = DocumentUrl(path, anchor);
    if (!program.isEmpty() && start(hooks, program, {url.toString(QUrl::FullyEncoded)}))
        return true;
    if (hooks.openWithDesktop && hooks.openWithDesktop(url))
        return true;
    tell(hooks, QFileInfo(path).fileName() + QStringLiteral("\r\n\r\n") +
                    QString::fromUtf8(NoApplicationMessage));
    return false;
}

} // namespace pelmar
