#pragma once

#include <QString>
#include <QStringList>

namespace pelmar {

// The explanations the history window offers; every line ends with CR LF.
[[nodiscard]] QString GlossaryText();        // "言葉の説明(&W)"
[[nodiscard]] QString IntroductionText();    // "リーダビリティとは(&Q)"
[[nodiscard]] QString FormulaListText();     // "リーダビリティ公式一覧(&R)"
[[nodiscard]] QString FormulaCollectionText(); // "リーダビリティ公式集(&F)"

// "グループの見分け方(&H)": the menu captions and the explanation of each record kind
// (0 unassigned, 1 sample, 2 group member).
[[nodiscard]] QString RecordKindCaption(int kind);
[[nodiscard]] QString RecordKindText(int kind);

// "リーダビリティ詳細(&D)": the eleven index keys; item i describes column position 9 + i.
[[nodiscard]] QStringList FormulaDetailCaptions();
// The description block of the index at column position k (9..19), lines joined with CR LF.
[[nodiscard]] QString FormulaDescriptionText(int k);

} // namespace pelmar
