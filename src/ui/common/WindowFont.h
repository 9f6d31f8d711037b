#pragma once

#include <QFont>

namespace pelmar {

// The windows' proportional Japanese face, with the fonts a Debian desktop has standing in for
// the classic one; `pixels` high (9 points on a 96-dpi screen is 12).
[[nodiscard]] inline QFont JapaneseWindowFont(int pixels = 12) {
    QFont font;
    font.setFamilies({QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixels);
    return font;
}

} // namespace pelmar
