#include "desktop/MainWindowTexts.h"

#include "measure/MeasureFiles.h"
#include "measure/Vocabulary.h"
#include "platform/Cp932.h"
#include "platform/TextFile.h"

namespace pelmar {
namespace {

const QString CrLf = QStringLiteral("\r\n");

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QStringList InstructionLines() {
    return {QString(),
            QStringLiteral("▼手順 １"),
            QStringLiteral("英文をコピーして 【貼り付け】ボタンをクリックする"),
            QString(),
            QStringLiteral("あるいは、【開く】からテキストファイル(*.txt)を読み込むか"),
            QStringLiteral("ファイルをここにＤ＆Ｄしてもよい"),
            QString(),
            QStringLiteral("▼手順 ２"),
            QStringLiteral("【計測開始】ボタンをクリックする"),
            QStringLiteral("計測結果は１行ごとに集計される"),
            QString(),
            QStringLiteral("▼手順 ３"),
            QStringLiteral("計測結果は 【コピー】 して取得し、エクセルなどに貼り付ける")};
}

QString MainCaption(const TProgramInfo& info) {
    return info.caption + QStringLiteral(": ") + info.fileVersion;
}

QString FileCaption(const QString& path, const TProgramInfo& info) {
    return QString::fromStdString(BatchFileName(path)) + QStringLiteral(" - ") + info.productName;
}

QString LoadedStatusText(int lineCount) {
    return QStringLiteral("テキスト%1 行").arg(lineCount);
}

QString BatchLabelText(int index, int count) {
    return QStringLiteral("%1/%2").arg(index + 1).arg(count);
}

QString ConditionsQuestion(const TMeasureOptions& options) {
    QString names;
    for (std::size_t i = 0; i < options.conditions.size(); ++i)
        if (options.conditions[i])
            names += utf8(vocab::ConditionNames[i]) + CrLf;
    if (names.isEmpty())
        return {};
    return QStringLiteral("特殊な測定条件が適用されています") + CrLf +
           QStringLiteral("このまま 測定しますか？") + CrLf + CrLf +
           QStringLiteral("------------------------------") + CrLf + names;
}

QString UnsavedResultsQuestion() {
    return QStringLiteral("計測結果が保存されていません。") + CrLf + CrLf +
           QStringLiteral("保存していない計測結果は折れ線グラフに表示できません。") + CrLf + CrLf +
           QStringLiteral("保存しますか？");
}

QString VersionMessage(const TProgramInfo& info) {
    const QString twice = CrLf + CrLf;
    return QStringLiteral("----- バージョン情報 -----") + CrLf + CrLf + CrLf +
           QStringLiteral("名前： ") + info.productName + twice +
           QStringLiteral("製作・著作： ") + info.legalNotice + twice +
           QStringLiteral("バージョン： ") + info.fileVersion + twice +
           QStringLiteral("作成日： ") + info.fileTime.toString(QStringLiteral("yyyy/MM/dd HH:mm")) +
           twice + QStringLiteral("実行ファイル： ") + info.executablePath + twice +
           info.systemName + QStringLiteral(" - ") + info.systemVersion;
}

namespace {

QString mailSubject(const TProgramInfo& info, TMailKind kind) {
    static const char* const kinds[] = {"質問", "要望", "誤作動", "連絡", "利用者より"};
    return info.productName + QString::fromUtf8(kinds[static_cast<int>(kind)]);
}

QString mailBody(const TProgramInfo& info, const QString& lineBreak) {
    return QStringLiteral("製品： ") + info.productName + lineBreak + QStringLiteral("version： ") +
           info.fileVersion + lineBreak + QStringLiteral("windows： ") + info.systemName +
           QStringLiteral(" - ") + info.systemVersion + lineBreak +
           QStringLiteral("用件をお書きください");
}

} // namespace

QString SupportMailLink(const TProgramInfo& info, TMailKind kind) {
    return QStringLiteral("mailto:%1?").arg(info.supportAddress) + QStringLiteral("cc= &") +
           QStringLiteral("subject=") + mailSubject(info, kind) + QStringLiteral("&") +
           QStringLiteral("body=") + mailBody(info, QStringLiteral("%0D%0A"));
}

QString SupportMailText(const TProgramInfo& info, TMailKind kind) {
    const QString br = QStringLiteral("\r\n");
    return QStringLiteral("メールソフトが設定されていないため、メールを作れませんでした。") + br +
           QStringLiteral("次の内容をコピーして、ほかの方法でお送りください。") + br + br +
           QStringLiteral("宛先： ") + info.supportAddress + br + QStringLiteral("件名： ") +
           mailSubject(info, kind) + br + br + mailBody(info, br);
}

TToolCaptions ToolCaptions(bool menuShown) {
    if (menuShown)
        return {QStringLiteral("貼り付け(&P)"), QStringLiteral("フライ(&Y)"),
                QStringLiteral("ヘルプ(&U)")};
    return {QStringLiteral("貼り付け(&V)"), QStringLiteral("フライ(&F)"), QStringLiteral("ヘルプ(&H)")};
}

QString PaneTextOf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

std::vector<std::string> PaneLines(QStringView text) {
    return textLinesToCp932(text);
}

int PaneLineCount(QStringView text) {
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n')) {
            ++count;
        } else if (c == QLatin1Char('\r')) {
            ++count;
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (i + 1 == text.size()) {
            ++count; // a last line without a line end
        }
    }
    return count;
}

QString ResultPaneText(const ResultLines& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 1;
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return QString::fromStdString(text);
}

QString ClipboardText(const QString& paneText) {
    return QString::fromStdString(TrimCells(PaneTextOf(paneText).toStdString()));
}

QString DefaultSaveTitle(const QString& filePath) {
    if (filePath.isEmpty())
        return QString::fromUtf8(UntitledText);
    return QString::fromStdString(BatchFileName(filePath));
}

} // namespace pelmar
