#include "ui/main/MainToolBar.h"

#include "ui/main/ToolIcons.h"

#include <QAction>
#include <QCursor>
#include <QFontInfo>
#include <QLayout>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace pelmar {
namespace {

const QString& bandStyle() {
    static const QString style = QStringLiteral(
        "QToolBar { border: 0px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
        "stop:0 #f4f6f8, stop:1 #dde3ea); }");
    return style;
}

void fixBand(QToolBar* band, const char* name, int height) {
    band->setObjectName(QString::fromLatin1(name));
    band->setFixedHeight(height);
    band->setMovable(false);
    band->setFloatable(false);
    band->setStyleSheet(bandStyle());
    band->toggleViewAction()->setVisible(false);
}

} // namespace

QToolBar* MakeUpperBand(QWidget* parent) {
    auto* band = new QToolBar(parent);
    fixBand(band, "ToolBar2", 25);
    return band;
}

TMainToolBar::TMainToolBar(const TMainToolActions& actions, QWidget* parent) : QToolBar(parent) {
    fixBand(this, "ToolBar1", 59);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(16, 16));

    addAction(actions.close);
    addSeparator();
    addAction(actions.open);
    addAction(actions.paste);

    m_countButton = new QToolButton(this);
    m_countButton->setObjectName(QStringLiteral("btnCount"));
    m_countButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bindCountButton(actions.count);
    addWidget(m_countButton);

    m_progressPanel = new QFrame(this);
    m_progressPanel->setObjectName(QStringLiteral("Panel1"));
    m_progressPanel->setFixedSize(88, 35);
    m_progressPanel->setAutoFillBackground(true);
    QPalette panelPalette = m_progressPanel->palette();
    panelPalette.setColor(QPalette::Window, QColor(0xE4, 0xE4, 0xE4));
    m_progressPanel->setPalette(panelPalette);
    m_progressBar = new QProgressBar(m_progressPanel);
    m_progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar->setGeometry(1, 2, 86, 15);
    m_progressBar->setRange(0, 100);
    m_progressBar->setTextVisible(false);
    m_batchLabel = new QLabel(m_progressPanel);
    m_batchLabel->setObjectName(QStringLiteral("lbBatch"));
    m_batchLabel->setGeometry(3, 19, 36, 14);
    m_timeLabel = new QLabel(m_progressPanel);
    m_timeLabel->setObjectName(QStringLiteral("lbTime"));
    m_timeLabel->setGeometry(36, 19, 50, 14);
    m_timeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addWidget(m_progressPanel);

    addAction(actions.copy);
    addAction(actions.save);
    addSeparator();
    addAction(actions.lineGraph);
    addAction(actions.flyGraph);
    addAction(actions.result);
    addSeparator();

    m_helpButton = new QToolButton(this);
    m_helpButton->setObjectName(QStringLiteral("btnHelp"));
    m_helpButton->setText(QStringLiteral("ヘルプ(&H)"));
    m_helpButton->setToolTip(QStringLiteral("説明を見る"));
    m_helpButton->setIcon(ToolIcon("help"));
    m_helpButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    QMenu* helpMenu = actions.helpMenu;
    connect(m_helpButton, &QToolButton::clicked, this, [this, helpMenu] {
        // A click opens the menu where the pointer is. The access key leaves the pointer
        // wherever it was, maybe far from the window: then the menu opens under the button.
        const QPoint pointer = QCursor::pos();
        const bool pointed = m_helpButton->rect().contains(m_helpButton->mapFromGlobal(pointer));
        helpMenu->exec(pointed ? pointer
                               : m_helpButton->mapToGlobal(m_helpButton->rect().bottomLeft()));
    });
    addWidget(m_helpButton);

    setCompact(false);
}

void TMainToolBar::setCompact(bool compact) {
    // With every command on the bar, buttons as wide as their captions in a pixel smaller type
    // keep the whole bar within the window's design width, so it fits an 800-pixel screen.
    QFont captions; // nothing set: the bar's own type
    if (compact) {
        captions = font();
        captions.setPixelSize(std::max(1, QFontInfo(font()).pixelSize() - 1));
    }
    for (QAction* action : actions())
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) {
            button->setMinimumSize(compact ? 0 : 78, 35);
            button->setFont(captions);
        }
}

int TMainToolBar::widthForAllCommands() const {
    const QMargins margins = contentsMargins();
    int width = margins.left() + margins.right();
    const int spacing = layout() ? layout()->spacing() : 0;
    // The handle is hidden (the bar cannot move), so the items and the gaps between them are all.
    for (QAction* action : actions()) {
        if (!action->isVisible())
            continue;
        const QWidget* item = widgetForAction(action);
        const int itemWidth = item ? std::max(item->sizeHint().width(), item->minimumWidth())
                                   : style()->pixelMetric(QStyle::PM_ToolBarSeparatorExtent, nullptr, this);
        width += itemWidth + spacing;
    }
    return width + 2 * style()->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, this) +
           2 * style()->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, this);
}

void TMainToolBar::bindCountButton(QAction* action) {
    // The button holds one action at a time; a second one would give it a pop-up menu.
    for (QAction* held : m_countButton->actions())
        if (held != action)
            m_countButton->removeAction(held);
    m_countButton->setDefaultAction(action);
}

void TMainToolBar::setOtherButtonsEnabled(bool enabled, bool fromActions) {
    for (QAction* action : actions()) {
        QWidget* button = widgetForAction(action);
        if (!button || button == m_countButton)
            continue;
        button->setEnabled(fromActions ? action->isEnabled() : enabled);
    }
}

} // namespace pelmar
