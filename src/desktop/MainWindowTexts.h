#pragma once

#include "measure/MeasureOptions.h"
#include "measure/ResultText.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <string>
#include <vector>

namespace pelmar {

// What the version message and the support mail say about the program and the system.
struct TProgramInfo {
    QString productName = QStringLiteral("Pelmar");
    QString caption = QStringLiteral("Pelmar");
    QString legalNotice = QStringLiteral("Pelmar developers");
    QString supportAddress = QStringLiteral("support@pelmar.invalid");
    QString fileVersion = QStringLiteral("不明");
    QDateTime fileTime;     // when the program file was written
    QString executablePath;
    QString systemName;     // the operating system's name
    QString systemVersion;  // and its kernel's version
};

inline constexpr char NoWordDataMessage[] = "データファイル pelmar.dat が ありません";
inline constexpr char OneDroppedFileMessage[] = "Ｄ＆Ｄで取り込むファイルは１つだけです";
inline constexpr char NoClipboardTextMessage[] = "クリップボードにテキストがありません";
inline constexpr char MeasuringText[] = "計算中・・・";
inline constexpr char CopiedStatusText[] = "クリップボードにコピーしました";
inline constexpr char UntitledText[] = "テキスト名 無題";
inline constexpr char SaveTitlePrompt[] = "結果保存、テキスト名を入力";
inline constexpr char UnknownVersionText[] = "不明";

// The captions of the tool-bar commands whose access keys the main menu would take: with the
// menu shown, ファイル(F), 表示(V) and ヘルプ(H) own F, V and H, so paste, fly and the help
// button move to letters of their own.
struct TToolCaptions {
    QString paste, flyGraph, helpButton;
};
[[nodiscard]] TToolCaptions ToolCaptions(bool menuShown);

// The steps shown in the input pane at start.
[[nodiscard]] QStringList InstructionLines();

// "Pelmar: 0.1.0", the window caption at start.
[[nodiscard]] QString MainCaption(const TProgramInfo& info);
// The caption while a batch file is shown: its name without folder and extension.
[[nodiscard]] QString FileCaption(const QString& path, const TProgramInfo& info);

[[nodiscard]] QString LoadedStatusText(int lineCount);
[[nodiscard]] QString BatchLabelText(int index, int count);

// The question asked before measuring under special conditions; empty when none is checked.
[[nodiscard]] QString ConditionsQuestion(const TMeasureOptions& options);
// Asked before the line graph when the shown results are not saved.
[[nodiscard]] QString UnsavedResultsQuestion();

[[nodiscard]] QString VersionMessage(const TProgramInfo& info);

enum class TMailKind { Question, Wish, Error, Information, Other };
// A mailto: link with subject and body; its line breaks are already URL-encoded.
[[nodiscard]] QString SupportMailLink(const TProgramInfo& info, TMailKind kind);
// The same mail as text to copy, for a desktop where no mail program takes the link.
[[nodiscard]] QString SupportMailText(const TProgramInfo& info, TMailKind kind);

// Text as the panes hold it: every line end a single "\n".
[[nodiscard]] QString PaneTextOf(QString text);
// The input pane's text as the CP932 lines a measurement reads; a final line end adds no line.
[[nodiscard]] std::vector<std::string> PaneLines(QStringView text);
// The number of lines PaneLines gives.
[[nodiscard]] int PaneLineCount(QStringView text);
// The result lines as the output pane's text.
[[nodiscard]] QString ResultPaneText(const ResultLines& lines);
// What the copy command puts on the clipboard: the output pane's text, trimmed.
[[nodiscard]] QString ClipboardText(const QString& paneText);

// The title a save proposes: the file's name without folder and extension, or "untitled".
[[nodiscard]] QString DefaultSaveTitle(const QString& filePath);

} // namespace pelmar
