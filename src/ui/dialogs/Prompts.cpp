#include "ui/dialogs/Prompts.h"

#include "desktop/DesktopHandler.h"
#include "desktop/MessageLayout.h"
#include "ui/dialogs/MyMessageForm.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>

namespace pelmar {
namespace {

QString caption(TMsgButton button) { return QString::fromUtf8(MsgButtonInfo(button).caption); }

QString title(TMsgKind kind) { return QString::fromUtf8(MsgKindCaption(kind)); }

// The program the desktop names for a type, as xdg-open would find it; empty when none.
QString desktopDefault(const QString& type) {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(5000))
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

TDesktopLookup desktopLookup() {
    TDesktopLookup lookup;
    lookup.defaultProgram = desktopDefault;
    lookup.findExecutable = [](const QString& name) { return QStandardPaths::findExecutable(name); };
    return lookup;
}

// A plain message box with the program's Japanese button captions.
class TDesktopPrompts : public TPrompts {
public:
    void information(QWidget* parent, const QString& text) override {
        QMessageBox box(QMessageBox::Information, title(TMsgKind::Information), QString(),
                        QMessageBox::Ok, parent);
        SetMessageBoxText(box, text);
        box.button(QMessageBox::Ok)->setText(caption(TMsgButton::OK));
        box.exec();
    }

    bool warningYesAbort(QWidget* parent, const QString& text) override {
        QMessageBox box(QMessageBox::Warning, title(TMsgKind::Warning), QString(),
                        QMessageBox::Yes | QMessageBox::Abort, parent);
        SetMessageBoxText(box, text);
        box.button(QMessageBox::Yes)->setText(caption(TMsgButton::Yes));
        box.button(QMessageBox::Abort)->setText(caption(TMsgButton::Abort));
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }

    TAnswer confirmYesNoCancel(QWidget* parent, const QString& text) override {
        QMessageBox box(QMessageBox::Question, title(TMsgKind::Confirmation), QString(),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
        SetMessageBoxText(box, text);
        box.button(QMessageBox::Yes)->setText(caption(TMsgButton::Yes));
        box.button(QMessageBox::No)->setText(caption(TMsgButton::No));
        box.button(QMessageBox::Cancel)->setText(caption(TMsgButton::Cancel));
        box.setDefaultButton(QMessageBox::Yes);
        switch (box.exec()) {
        case QMessageBox::Yes: return TAnswer::Yes;
        case QMessageBox::No: return TAnswer::No;
        default: return TAnswer::Cancel;
        }
    }

    std::optional<QString> inputText(QWidget* parent, const QString& caption,
                                     const QString& initial) override {
        const std::unique_ptr<QInputDialog> dialog = MakeInputDialog(parent, caption, initial);
        if (dialog->exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog->textValue();
    }

    QString openTextFile(QWidget* parent, const QString& folder) override {
        return QFileDialog::getOpenFileName(parent, QString(), folder,
                                            QStringLiteral("Text files (*.txt)"));
    }

    void infoMessage(const QString& text) override { ShowInfoMessage(text); }

    bool openUrl(const QUrl& url) override {
        // The desktop hands a link to xdg-open and reports success whether or not any program
        // takes it; ask first whether one is there to take it.
        if (!DesktopCanOpen(url, desktopLookup()))
            return false;
        return QDesktopServices::openUrl(url);
    }

    bool startProgram(const QString& program, const QStringList& arguments) override {
        return QProcess::startDetached(program, arguments);
    }
};

} // namespace

bool HasMailProgram() {
    return !desktopDefault(QStringLiteral("x-scheme-handler/mailto")).isEmpty();
}

std::unique_ptr<QInputDialog> MakeInputDialog(QWidget* parent, const QString& caption,
                                             const QString& initial) {
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setObjectName(QStringLiteral("InputBox"));
    dialog->setWindowTitle(caption);
    dialog->setLabelText(caption);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextValue(initial);
    dialog->setOkButtonText(QString::fromUtf8(MsgButtonInfo(TMsgButton::OK).caption));
    dialog->setCancelButtonText(QString::fromUtf8(MsgButtonInfo(TMsgButton::Cancel).caption));
    dialog->resize(std::max(dialog->sizeHint().width(), 320), dialog->sizeHint().height());
    return dialog;
}

std::unique_ptr<TPrompts> MakeDesktopPrompts() { return std::make_unique<TDesktopPrompts>(); }

} // namespace pelmar
