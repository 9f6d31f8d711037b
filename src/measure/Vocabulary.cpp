#include "measure/Vocabulary.h"

// Every string here is shown to the user or written to files exactly as it stands: spelling,
// spacing and full-width characters included. The column keys are also the keys of saved
// records, so history files written by earlier versions depend on them.
namespace pelmar::vocab {

// Column positions 0..8 counts, 9..19 indices, 20 and 21 date and title, 22..32 ratios.
const std::array<std::string_view, 33> ColumnKeys = {
    "sent", "clau", "phra", "word", "syll", "syl1", "syl3", "cons", "lett", "PMJP", "PMEN", "FKGL",
    "CLI", "FORC", "FryG", "GFog", "SMOG", "LWF", "ARI", "FRES", "DATE", "TITL", "WPS", "WPC",
    "WPP", "SyPW", "PSy3", "LPW", "CIV", "PPC", "CPS", "PPS", "Sy3PP",
};

const std::array<std::string_view, 9> CountNames = {
    "Sentence Count",
    "Clause Count",
    "Phrase Count",
    "Word Count",
    "Syllable Count",
    "Word Count with single syllable",
    "Word Count with three or more syllables",
    "Consonant Count",
    "Letter Count",
};

const std::array<std::string_view, 9> CountNamesJa = {
    "文数", "節数", "句数", "単語数", "音節数", "1 音節単語数", "長音節（３音節以上）単語数",
    "子音数", "文字数",
};

const std::array<std::string_view, 3> RecordLabels = {
    "No", "Title", "Date",
};

const std::array<std::string_view, 11> RatioNames = {
    "Words Per Sentence",
    "Words Per Clause",
    "Words Per Phrase",
    "Syllables Per Word",
    "Percentage Of Word With Three Or More Syllables",
    "Letters Per Word",
    "Predicted Duration Of CIV(Chunk of Inner Voice)",
    "Phrases Per Clause",
    "Clauses Per Sentence",
    "Phrases Per Sentence",
    "Words With Three Or More Syllables Per Phrase",
};

const std::array<std::string_view, 11> RatioNamesJa = {
    "１文に含まれる平均単語数",
    "１節に含まれる平均単語数",
    "１フレーズに含まれる平均単語数",
    "１単語に含まれる平均音節数",
    "全単語に占める 長音節（３音節以上）単語の割合（％）",
    "１単語に含まれる平均文字数",
    "内声チャンクの平均予測長",
    "１節に含まれる平均フレーズ数",
    "１文に含まれる平均節数",
    "１文に含まれる平均フレーズ数",
    "１フレーズに含まれる長音節（３音節以上）単語数",
};

// Variables that only appear inside the formula texts.
const std::array<std::string_view, 7> VariableKeys = {
    "SyPP", "CPP", "Sy1PW", "Sy3PW", "Sy3PS", "LOG", "Sqrt",
};

const std::array<std::string_view, 7> VariableNames = {
    "Syllables Per Phrase",
    "Consonants Per Phrase",
    "Words With One Syllable Per Word",
    "Words With Three Or More Syllable Per Word",
    "Words With Three Or More Syllable Per Sentence",
    "Common Logarithm",
    "Square Root",
};

const std::array<std::string_view, 7> VariableNamesJa = {
    "１フレーズに含まれる平均音節数",
    "１フレーズに含まれる平均子音数",
    "全単語に占める １音節単語の割合",
    "全単語に占める 長音節（３音節以上）単語の割合",
    "１文に含まれる長音節（３音節以上）単語数",
    "常用対数",
    "平方根 √",
};

// The counting units and how the engine delimits them.
const std::array<std::string_view, 5> UnitNames = {
    "Letter", "Word", "Phrase", "Clause", "Sentence",
};

const std::array<std::string_view, 5> UnitDefinitions = {
    "a character that is A to Z or 0 to 9 or an apostrophe",
    "a sequence of letters devided by non-characters",
    "a sequence of words devided by non-letters",
    "a sequence of words devided by \". ! ? ;\" and is almost equal to a sentence",
    "a sequence of words devided by \". ! ?\"",
};

const std::array<std::string_view, 4> StyleNames = {
    "Dialogue", "Complex", "Technical", "General",
};

const std::array<std::string_view, 4> StyleNamesJa = {
    "会話、あるいは会話のような文章",
    "複雑で長い文章",
    "専門的な内容の文章",
    "一般的な文章",
};

const std::array<std::string_view, 4> StyleKeys = {
    "dia", "com", "tec", "gen",
};

const std::array<std::string_view, 4> StyleDescriptions = {
    "a dialogue text style such as movie scripts, rhymes, songs, poems, words list and so on",
    "a complex text style such as high school textbooks, speech scripts, articles, theses and "
    "so on",
    "a technical text style such as manual, legal, historical documents and so on",
    "a general text style such as lower elementary school textbooks, official documents, essays, "
    "stories, novels and so on",
};

const std::array<std::string_view, 11> IndexNames = {
    "PMJP (GL for Japanese Readers)",
    "PMEN (GL for US Americans)",
    "Flesch-Kincaid Grade Level",
    "Coleman-Liau Index",
    "FORCAST",
    "Fry Graph Grade Level",
    "Gunning Fog",
    "Simple Measure of Gobbledygook",
    "Linsear Write Formula",
    "Automated Readability Index",
    "Flesch Reading Ease score",
};

// The first two are completed with their constants once (FormulaText); the rest are final.
const std::array<std::string_view, 11> FormulaTemplates = {
    "PMJP = %.5F * ( 3 * SyPP + 2 * CPP ) + %.3F * LOG( PPC ) + %.3F",
    "PMEN = %.5F * ( 3 * SyPP + 2 * CPP ) + %.3F * LOG( PPC ) - %.3F",
    "FKGL = 0.39 * WPS + 11.8 * SyPW - 15.59",
    "CLI = 5.89 * LPW - 29.6 / WPS - 15.8",
    "FORC = 20 - 15 * Sy1PW",
    "FryG = WPS と SyPW を元に２次元グラフより読み取るので簡単な数式では表せられない",
    "GFog = 0.4 * WPS + 40 * Sy3PW",
    "SMOG = 3.1291 + 1.043 * Sqrt ( 30 * Sy3PS ) ",
    "LWF = WPS / 2 + Sy3PS; if LWF <= 10 then LWF - 1",
    "ARI = 4.71 * LPW + 0.5 * WPS - 21.43",
    "FRES = 206.835 - 1.015 * WPS - 84.6 * SyPW",
};

// Each note is several lines: a line break plus TAB between lines, so every line lines up
// under the TAB the description block puts before the note; FKGL's last line starts at the margin.
const std::array<std::string_view, 11> FormulaNotes = {
    "日本人英語学習者の適応学年を計算する\r\n\t"
    "日本の中高教科書を基準にしている\r\n\t"
    "PMEN を日本人英語学習者向けにカスタマイズしたもの\r\n\t"
    "BG 理論に基づき、内声のチャンク長に着目した\r\n\t"
    "内声のチャンクと文が長くなるほど読みにくいと評価する",
    "BG 理論に基づき、内声のチャンク長に着目した\r\n\t"
    "内声のチャンク長と文が長くなるほど読みにくいと評価する\r\n\t"
    "アメリカの１年から９年生向けの教科書を基準にしている\r\n\t"
    "計算結果は FKGL とほぼ重なる（平均誤差は１学年程度）",
    "教材評価に高い定評がある。\r\n\t"
    "文と単語が長くなるほど読みにくいと評価する\r\n"
    "アメリカの一般的文書は FKGL=７あたりと言われる",
    "FKGL の変種\r\n\t"
    "音節数は数えにくいので 文字数を数えた",
    "１音節単語が多いほど低学年向けとなる",
    "FKGL の亜種\r\n\t"
    "線形式を避け、グラフから読み取るようにした",
    "FKGL の亜種\r\n\t"
    "長音節単語（音節数が３以上）に注目した",
    "従来のリーダビリティ計測より簡単であることを売りとして発案された\r\n\t"
    "長音節単語（音節数が３以上）だけに注目し、その数を数えるだけでよい\r\n\t"
    "長音節単語（音節数が３以上）が多いほど読みにくいと評価する",
    "FKGL の亜種\r\n\t"
    "長音節単語（音節数が３以上）に注目した",
    "FKGL の亜種\r\n\t"
    "音節数は数えにくいので 文字数を数えた\r\n\t"
    "米空軍の技術文書を対象としている",
    "FKGL が作られる前の読みやすさ指標\r\n\t"
    "読みやすさを０から１００までの数値で表す\r\n\t"
    "一般文書には６０－７０が推奨されている\r\n\t"
    "学年では FKGL=９程度にあたる",
};

const std::array<std::string_view, 11> FormulaAuthors = {
    OwnMaker, OwnMaker, "Flesch and Kincaid", "Coleman and Liau", "Caylor, Sticht, and Ford",
    "Edward Fry", "Gunning", "McLaughlin", "US Air Force", "US Air Force", "Flesch",
};

const std::array<std::string_view, 11> FormulaYears = {
    "2014", "2014", "1975", "1975", "1973", "1968", "1952", "1969", "1967 ?", "1967", "1949",
};

// English and Japanese pairs used by the formula description block.
const std::array<std::string_view, 12> ResultTerms = {
    "Reading Grade Level",
    "テキストの適応学年",
    "Grade Level Formula",
    "学年に適応した読みやすさ指標の計算式",
    "Grade",
    "１は小学１年、７は中学１年、１０は高校１年、１３は大学１年に相当する",
    "Reading Ease Score",
    "読みやすさ値（大きいほど読みやすい）",
    "BG",
    "Breath Group 呼気単位、一息の発声",
    "BG理論",
    "一息の発声は２秒程度に収斂される傾向があり、音声は２秒前後のまとまりを単位とする",
};

// Highest first. The first band has no space before "100"; the last starts with one.
const std::array<std::string_view, 7> FleschBands = {
    "90 -100 Very Easy", "80 - 90 Easy", "70 - 80 Fairly Easy", "60 - 70 Standard",
    "50 - 60 Fairly Difficult", "30 - 50 Difficult", " 0 - 30 Very Confusing",
};

// By the genre number of a sample record; 0 is no genre.
const std::array<std::string_view, 8> GenreNames = {
    "", "Speech", "Dialog", "Document", "L1 Text", "L2 Text", "Rhythm", "Story",
};

const std::array<std::string_view, 4> LevelMarks = {
    "小", "小", "中", "高",
};

const std::array<std::string_view, 3> SchoolLevels = {
    "Elementary", "Middle", "High",
};

const std::array<std::string_view, 3> SampleLevels = {
    "L0", "L1", "L2",
};

const std::array<std::string_view, 3> SampleLevelCaptions = {
    "Authentic Materials L0", "L1", "L2",
};

const std::array<std::string_view, 6> SampleListNames = {
    "SampleL0", "SampleL1", "SampleL2", "SampleLightL0", "SampleLightL1", "SampleLightL2",
};

const std::array<std::string_view, 2> PostActionNames = {
    "グラフを表示", "結果を記録",
};

const std::array<std::string_view, 12> ResultItemNames = {
    "合計", "リーダビリティ", "表記の説明", "通し番号", "文数", "句数", "単語数", "音節数",
    "1 音節単語数", "3+ 音節単語数", "文字数", "子音数",
};

const std::array<std::string_view, 5> ConditionNames = {
    "1 ハイフン連結は１語とする",
    "2 小文字始まりの文頭を認める",
    "3 改行を文区切りとする",
    "4 空行を文区切りとしない",
    "5 セミコロンを文区切りとしない",
};

const std::array<std::string_view, 6> PositionKeys = {
    "left", "top", "width", "height", "rightwidth", "titlewidth",
};

const std::array<std::string_view, 6> RuleNames = {
    "ＶｙＶのｙは子音扱い",
    "サイレントｅ",
    "ヘッダー剪定",
    "フッター剪定",
    "過去形、３単現、複数形の -Ced, -Ces",
    "単語登録",
};

} // namespace pelmar::vocab
