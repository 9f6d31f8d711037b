#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace pelmar::manual {

// What a directive line may ask for beyond the generated tables. Directives are lines of their
// own: "{{table NAME}}" (a table made from the program's vocabulary), "{{run PROGRAM ARGS}}"
// (the command and what it prints, in a fixed-width block; "{{output ...}}" prints only what it
// prints; PROGRAM is pelmar-count or pelmar-history, and a trailing "| cut -f LIST" keeps those
// tab-separated fields, as the shell would) and "{{contents}}" (left for the renderer, which
// knows the pages). "{{version}}" may stand anywhere in a line.
struct TDirectiveContext {
    QString version;
    // Runs one of the example programs with these arguments; its output, or nothing with
    // `error` set.
    std::function<std::optional<QString>(const QString& program, const QStringList& arguments,
                                         QString* error)>
        run;
};

// The programs a "run" or "output" directive may name.
[[nodiscard]] QStringList ExamplePrograms();

// Keeps the fields `list` names ("1-3,7", "5-", as cut -f takes them) of every tab-separated
// line; nothing for a list cut would refuse.
[[nodiscard]] std::optional<QString> CutFields(const QString& text, const QString& list);

struct TExpanded {
    QString markdown;
    QString error; // "name:line: what is wrong"; empty on success
};

[[nodiscard]] TExpanded ExpandDirectives(const QString& markdown, const QString& sourceName,
                                         const TDirectiveContext& context);

// The chapters of the manual: the files named like "NN-name.md" in `folder`, in name order.
[[nodiscard]] QStringList ChapterFiles(const QString& folder);

// The pictures a Markdown text shows ("![caption](path)"), as written.
[[nodiscard]] QStringList ImageReferences(const QString& markdown);

// Reads the chapters in order, expands their directives and checks that every picture exists.
// The result's markdown is the whole manual; on failure `error` names the file and line.
[[nodiscard]] TExpanded AssembleManual(const QString& folder, const TDirectiveContext& context);

// Placeholder the renderer replaces by the table of contents.
inline constexpr char ContentsDirective[] = "{{contents}}";

} // namespace pelmar::manual
