#include "platform/DocumentLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n");
}

// A build folder keeps the manual beside the program; an installed program finds it among the
// program's data; with neither, the message names the place beside the program.
TEST(HelpDocumentPath, BesideTheProgramThenTheInstalledDataThenBeside) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.filePath(u"bin"_s);
    QDir().mkpath(bin);
    const QString beside = bin + u"/pelmar.pdf"_s;
    const QString installed =
        QDir::cleanPath(bin + u"/"_s + QStringLiteral(PELMAR_MANUAL_FROM_PROGRAM) + u"/pelmar.pdf"_s);
    ASSERT_NE(beside, installed);

    EXPECT_EQ(HelpDocumentPath(bin), beside);
    touch(installed);
    EXPECT_EQ(HelpDocumentPath(bin), installed);
    touch(beside);
    EXPECT_EQ(HelpDocumentPath(bin), beside);
}

} // namespace
} // namespace pelmar
