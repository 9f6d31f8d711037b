#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace pelmar {

// The static coder of "BDC1" containers: bytes are ranked by frequency and each byte is
// written as a 2-bit class number followed by its index within the class.
class TDeltaCode {
public:
    TDeltaCode();

    // Plain (read from its start) -> Compressed (replaced). Always succeeds, except when the text
    // or its container would not fit the 32-bit size fields (some GiB).
    bool Encode();
    // Compressed (read from its start) -> Plain (replaced). True only when exactly the announced
    // number of plain bytes was decoded; otherwise ErrorText says why. Never reads outside
    // Compressed and never allocates more than the container can describe.
    bool Decode();

    QByteArray Plain;
    QByteArray Compressed;
    QString ErrorText;

    // The three reasons Decode gives.
    static QString FormatErrorText();      // "データの形式が違います"
    static QString StoredSizeErrorText();  // "記録データのサイズが違います"
    static QString DecodedSizeErrorText(); // "読み出しデータのサイズが違います"

private:
    struct Symbol {
        std::uint8_t value = 0;
        std::uint32_t frequency = 0;
        std::uint8_t rank = 0;
    };
    void clearSymbols();

    std::array<Symbol, 256> m_symbols{};
    std::array<std::uint8_t, 256> m_rankOf{};
    std::uint16_t m_lastRank = 0;
    std::uint8_t m_prefixWidth = 2;
    std::array<std::uint8_t, 4> m_widths{};
};

} // namespace pelmar
