#include "storage/DeltaCode.h"

#include <gtest/gtest.h>

#include <QFile>

#include <random>
#include <vector>

using pelmar::TDeltaCode;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) {
        out.append(static_cast<char>(v));
    }
    return out;
}

QByteArray encode(const QByteArray& plain) {
    TDeltaCode coder;
    coder.Plain = plain;
    EXPECT_TRUE(coder.Encode());
    return coder.Compressed;
}

QByteArray withSize(QByteArray c, qsizetype size, int offset = 4) {
    for (int i = 0; i < 4; ++i) {
        c[offset + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    }
    return c;
}

// A container by hand: plain size, widths w0..w3, rank table (R < 256) and code words.
QByteArray container(qsizetype plainSize, QByteArray widths, QByteArray table, QByteArray words) {
    QByteArray c = "BDC1" + QByteArray(12, '\0') + bytes({int(table.size() - 1), 0, 2}) + widths +
                   QByteArray(9, '\0') + table + words;
    return withSize(withSize(c, plainSize, 8), c.size());
}

QByteArray readFixture(const char* name) {
    QFile f(QStringLiteral(PELMAR_TEST_DATA "/storage/") + QString::fromLatin1(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(DeltaCode, WritesTheDocumentedBytes) {
    const QByteArray header = bytes({2, 1, 3, 5, 6}) + QByteArray(9, '\0');
    EXPECT_EQ(encode({}),
              "BDC1" + bytes({33, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) + header + bytes({0}));
    // a is rank 0 (code 000), b rank 1 (001): 9 bits padded into the word 0x0080.
    EXPECT_EQ(encode("aab"), "BDC1" + bytes({36, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 1, 0}) + header +
                                 "ab" + bytes({0x80, 0}));
    // 45 ranks reach all four classes (w3 = 2); ties are ranked by byte value.
    const QByteArray plain = readFixture("sample.txt");
    EXPECT_EQ(encode(plain), readFixture("sample.dat"));
}

TEST(DeltaCode, LastClassWidthCoversTheRemainingRanks) {
    const std::pair<int, int> cases[] = {{1, 6}, {42, 6}, {43, 1}, {44, 2}, {46, 3}, {256, 8}};
    for (const auto& [distinct, w3] : cases) {
        QByteArray plain;
        for (int b = 0; b < distinct; ++b) {
            plain += QByteArray(300 - b, static_cast<char>(b));
        }
        EXPECT_EQ(encode(plain)[22], w3) << distinct << " distinct bytes";
    }
}

TEST(DeltaCode, RoundTripsAnyBytes) {
    std::mt19937 random(7);
    std::vector<QByteArray> inputs = {
        {}, QByteArray(1, '\0'), QByteArray(16, 'x') + "yy", readFixture("sample.txt")};
    for (int size : {3, 17, 256, 4097, 70000}) {
        const unsigned alphabet = size == 256 ? 256 : 1 + random() % 256;
        QByteArray r(size, '\0');
        for (int i = 0; i < size; ++i) {
            r[i] = static_cast<char>(size == 256 ? i : random() % alphabet);
        }
        inputs.push_back(r);
    }
    for (const QByteArray& plain : inputs) {
        TDeltaCode coder;
        coder.Plain = "left over";
        coder.Compressed = encode(plain);
        EXPECT_TRUE(coder.Decode()) << coder.ErrorText.toStdString();
        EXPECT_EQ(coder.Plain, plain) << plain.size() << " bytes";
    }
}

TEST(DeltaCode, TakesClassWidthsFromTheHeader) {
    // Widths 0, 0, 1, 8 give the codes 00 (A), 01 (B), 10x (C, D), 11xxxxxxxx (E...).
    // "EDCBAA" is 1100000000 101 100 | 01 00 00, in the words 0xC02C 0x4000.
    const QByteArray widths = bytes({0, 0, 1, 8});
    const QByteArray words = bytes({0x2C, 0xC0, 0x00, 0x40, 0x55, 0x55});
    TDeltaCode coder;
    coder.Compressed = container(6, widths, "ABCDE", words);
    coder.Compressed[12] = '\x7F'; // reserved
    EXPECT_TRUE(coder.Decode());
    EXPECT_EQ(coder.Plain, "EDCBAA");
    // Words after the last needed one, and a last odd byte, are ignored.
    coder.Compressed = container(3, widths, "ABCDE", words + "\x01");
    EXPECT_TRUE(coder.Decode());
    EXPECT_EQ(coder.Plain, "EDC");
}

TEST(DeltaCode, DamagedContainersFailWithTheirReason) {
    const QString format = QStringLiteral("データの形式が違います");
    const QString stored = QStringLiteral("記録データのサイズが違います");
    const QString decoded = QStringLiteral("読み出しデータのサイズが違います");
    const QByteArray good = encode("The quick brown fox.");
    const auto edit = [&good](int at, char value) {
        QByteArray c = good;
        c[at] = value;
        return c;
    };
    const std::tuple<const char*, QByteArray, QString> cases[] = {
        {"empty", {}, format},
        {"no size field", "BDC1\x06", format},
        {"wrong magic", edit(3, '2'), format},
        {"magic before size", withSize(edit(0, 'b'), 0), format},
        {"size one short", withSize(good, good.size() - 1), stored},
        {"size one long", withSize(good, good.size() + 1), stored},
        {"size before widths", withSize(edit(18, 3), 0), stored},
        {"short header", withSize(good.left(20), 20), format},
        {"prefix width 3", edit(18, 3), format},
        {"class width 17", edit(21, 17), format},
        {"table past the end", edit(17, 1), format},
        {"words run out", withSize(good.chopped(2), good.size() - 2), decoded},
        {"4 GiB announced", container(0xFFFFFFFF, bytes({1, 3, 5, 6}), "a", "ab"), decoded},
        {"rank beyond the table", container(1, bytes({1, 3, 5, 6}), "ab", bytes({0, 0x40})),
         decoded},
    };
    for (const auto& [what, data, error] : cases) {
        TDeltaCode coder;
        coder.Compressed = data;
        EXPECT_FALSE(coder.Decode()) << what;
        EXPECT_EQ(coder.ErrorText, error) << what;
        EXPECT_LT(coder.Plain.capacity(), 100) << what; // nothing reserved for a forged size
    }
}
