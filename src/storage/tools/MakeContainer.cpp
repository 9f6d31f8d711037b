// Build-time tool: encodes a plain word-data text into a "BDC1" container and writes it as a
// C++ array. Lines starting with "#" are comments; every other line is stored as it is, each
// followed by CR LF, which is the layout the data-file reader expects.

#include "storage/DeltaCode.h"

#include <QFile>

#include <cstdio>

namespace {

int fail(const char* path, int line, const char* message) {
    std::fprintf(stderr, "%s:%d: %s\n", path, line, message);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PLAIN.txt OUTPUT.inc\n", argv[0]);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly))
        return fail(argv[1], 0, "cannot be read");
    const QByteArray source = in.readAll();

    pelmar::TDeltaCode coder;
    int lineNumber = 0;
    bool inSection = false;
    for (QByteArray line : source.split('\n')) {
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith('#'))
            continue;
        if (line.isEmpty()) {
            if (lineNumber == source.count('\n') + 1)
                break; // the final line end
            return fail(argv[1], lineNumber, "empty line (the readers would skip it)");
        }
        if (line.startsWith('[')) {
            if (!line.endsWith(']') || line.size() < 3)
                return fail(argv[1], lineNumber, "a section header must be \"[name]\"");
            inSection = true;
        } else if (!inSection) {
            return fail(argv[1], lineNumber, "item before the first section");
        } else if (line != line.toLower()) {
            return fail(argv[1], lineNumber, "items are compared with lowered words: use lower case");
        }
        coder.Plain += line;
        coder.Plain += "\r\n";
    }
    coder.Encode();

    QByteArray out = "// Generated from the plain word data at build time. Do not edit.\n";
    out += "static const unsigned char kWordDataContainer[] = {";
    for (int i = 0; i < coder.Compressed.size(); ++i) {
        if (i % 16 == 0)
            out += "\n   ";
        out += ' ';
        out += QByteArray::number(static_cast<unsigned char>(coder.Compressed[i]));
        out += ',';
    }
    out += "\n};\n";
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(out) != out.size())
        return fail(argv[2], 0, "cannot be written");
    return 0;
}
