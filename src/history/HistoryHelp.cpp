#include "history/HistoryHelp.h"

#include "measure/FormulaDescription.h"
#include "measure/Formulas.h"
#include "measure/Vocabulary.h"

#include <algorithm>
#include <array>

namespace pelmar {

namespace {

QString u(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString pair(const QString& a, const QString& b) {
    return a + QStringLiteral("  /  ") + b;
}

QString triple(std::string_view a, std::string_view b, std::string_view c) {
    return pair(pair(u(a), u(b)), u(c));
}

QString resultTerm(int i) {
    return pair(u(vocab::ResultTerms[static_cast<std::size_t>(2 * i)]),
                u(vocab::ResultTerms[static_cast<std::size_t>(2 * i + 1)]));
}

void sortIgnoringCase(QStringList& lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

QString lines(const QStringList& list) {
    QString text;
    for (const QString& line : list)
        text += line + QStringLiteral("\r\n");
    return text;
}

const QString Efl = pair(QStringLiteral("EFL"), QStringLiteral("English as Foreign Language"));
const QString Enl = pair(QStringLiteral("ENL"), QStringLiteral("English as Native Language"));

} // namespace

QString GlossaryText() {
    QStringList list;
    for (std::size_t i = 0; i < 9; ++i)
        list << triple(vocab::ColumnKeys[i], vocab::CountNames[i], vocab::CountNamesJa[i]);
    list << resultTerm(4) << resultTerm(5);
    const std::pair<const char*, const char*> pairs[] = {
        {"Authentic Materials ", "特に語学教材として作られたわけではない作品"},
        {"L0", "Authentic Materials  特に語学教材として作られたわけではない作品"},
        {"L1", "Text for Learners of English as Native Language 母語話者、英米人にとっての英語教材"},
        {"L2", "Text for Learners of English as Foreign Language 第二言語、日本人にとっての英語教材"},
        {"Reading Garde", "テキストの適応学年"},
        {"Garde", "小学１年は１、中学１年は７、高校１年は１０、大学１年は１３"},
        {"EFL", "English as Foreign Language"},
        {"ENL", "English as Native Language"},
        {"GL Formula", "学年に適応した読みやすさ指標の計算式"},
    };
    for (const auto& [term, explanation] : pairs)
        list << pair(QString::fromUtf8(term), QString::fromUtf8(explanation));
    sortIgnoringCase(list);
    return lines(list);
}

QString IntroductionText() {
    QStringList list{
        QStringLiteral("リーダビリティとは 文の読みやすさ・読みにくさを数値にしたもの。"),
        QString(),
        QStringLiteral("刊行物や記事、解説書や教材が、読者のレベルに適しているかを確かめるのに使われる。"),
        QString(),
        QStringLiteral("目的に応じて、さまざまな公式が考案されている。"),
        QString(),
        QStringLiteral("ほとんどは英語読者が対象であるが、PMJP のように 日本人英語学習者向けの公式も いくつかある。"),
        QString(),
        QStringLiteral("教育用には 適応学年（Grade Level）を表すものが多い。"),
        QStringLiteral("ただしあくまでも目安であって、２学年前後の幅を持たせて見るのがよい。"),
        QString(),
        QString(),
        pair(QStringLiteral("PMJP"), QStringLiteral("PMJP (GL for Japanese Readers)")),
        Efl,
    };
    for (int i = 0; i < 6; ++i)
        list << resultTerm(i);
    return lines(list);
}

QString FormulaListText() {
    QStringList list;
    for (std::size_t i = 0; i < IndexCount; ++i)
        list << pair(u(vocab::ColumnKeys[i + 9]), u(vocab::IndexNames[i]));
    list << QString();
    for (int i = 0; i < 6; ++i)
        list << QStringLiteral("\t") + resultTerm(i);
    list << QString() << QStringLiteral("\t") + Efl << QStringLiteral("\t") + Enl;
    return lines(list);
}

QString FormulaCollectionText() {
    QStringList list;
    for (int i = 0; i < IndexCount; ++i)
        list << FormulaText(i);
    list << QString();
    QStringList names;
    for (std::size_t i = 0; i < vocab::RatioNames.size(); ++i)
        names << triple(vocab::ColumnKeys[i + 22], vocab::RatioNames[i], vocab::RatioNamesJa[i]);
    for (std::size_t i = 0; i < vocab::VariableKeys.size(); ++i)
        names << triple(vocab::VariableKeys[i], vocab::VariableNames[i], vocab::VariableNamesJa[i]);
    sortIgnoringCase(names);
    return lines(list + names);
}

QString RecordKindCaption(int kind) {
    switch (kind) {
    case 1: return QStringLiteral("サンプル");
    case 2: return QStringLiteral("グループ");
    default: return QStringLiteral("無所属");
    }
}

QString RecordKindText(int kind) {
    QStringList list;
    switch (kind) {
    case 1:
        list << QStringLiteral("サンプルのデータ")
             << QStringLiteral("一覧表の通し番号のアイコンが みどり色")
             << QStringLiteral("グラフの横軸項目名に 分野ごとの背景色がつく")
             << QStringLiteral("表示はツールパネルの「サンプル表示」のチェックで切り替える");
        break;
    case 2:
        list << QStringLiteral("グループ所属のデータ")
             << QStringLiteral("一覧表の通し番号のアイコンが あお色")
             << QStringLiteral("無所属のデータは グループに登録することができる")
             << QStringLiteral("登録はトップメニューバーの「データグループ／無所属のデータをグループに移動(&S)」で行う");
        break;
    default:
        list << QStringLiteral("無所属のデータ")
             << QStringLiteral("一覧表の通し番号のアイコンが あか色")
             << QStringLiteral("測定後に保存されたデータは 最初はすべて 無所属")
             << QStringLiteral("グループへの登録はトップメニューバーの「データグループ／無所属のデータをグループに移動(&S)」で行う");
        break;
    }
    QString text;
    for (const QString& line : list)
        text += line + QStringLiteral("\r\n\r\n");
    return text;
}

QStringList FormulaDetailCaptions() {
    QStringList captions;
    for (std::size_t i = 0; i < IndexCount; ++i)
        captions << u(vocab::ColumnKeys[i + 9]);
    return captions;
}

QString FormulaDescriptionText(int k) {
    QStringList list;
    DescribeFormula(k, &list);
    return list.join(QStringLiteral("\r\n"));
}

} // namespace pelmar
