#include "res/CMenuBuilder.h"

#include <QAction>
#include <QActionGroup>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "res/CommandIcons.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"

namespace {

// Space around an indicator's text inside its sunken pane.
constexpr int kPanePadding = 8;

}  // namespace

QHash<int, QAction*> CMenuBuilder::CreateActions(QObject* owner) {
    QHash<int, QAction*> actions;
    for (const res::CommandDef& def : res::Commands()) {
        auto* action = new QAction(owner);
        action->setData(def.id);
        const QString label = QString::fromUtf8(def.label);
        action->setText(label);
        action->setStatusTip(res::StatusPrompt(def.id));
        action->setToolTip(res::ToolTip(def.id));
        QList<QKeySequence> keys;
        for (const QKeyCombination& key : def.keys) {
            if (key != QKeyCombination()) {
                keys << QKeySequence(key);
            }
        }
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setCheckable((def.flags & (res::kCheckable | res::kRadio)) != 0);
        const QPixmap icon = res::CommandIcon(def.id);
        if (!icon.isNull()) {
            action->setIcon(QIcon(icon));
            // Menus show the texts only, as the menu resource does.
            action->setIconVisibleInMenu(false);
        }
        actions.insert(def.id, action);
    }
    return actions;
}

namespace {

// Adds `items` to `menu`: separators, submenus and the commands' actions.
void AddItems(QMenu* menu, std::span<const res::MenuItemDef> items,
              const QHash<int, QAction*>& actions) {
    QActionGroup* radios = nullptr;
    for (const res::MenuItemDef& item : items) {
        if (item.id == res::kSeparator) {
            menu->addSeparator();
            continue;
        }
        if (const res::SubMenuDef* sub = res::FindSubMenu(item.id)) {
            AddItems(menu->addMenu(QString::fromUtf8(sub->title)), sub->items, actions);
            continue;
        }
        QAction* action = actions.value(item.id);
        Q_ASSERT(action);
        if (item.flags & res::kGrayed) {
            action->setEnabled(false);
        }
        const res::CommandDef* def = res::FindCommand(item.id);
        if (def && (def->flags & res::kRadio)) {
            if (!radios) {
                radios = new QActionGroup(menu);
            }
            radios->addAction(action);
        }
        menu->addAction(action);
        if (item.id == cmd::ID_FILE_MRU_FILE1) {
            // Entries 2..4 of the recent-file list follow the first one,
            // hidden until used.
            for (int id = cmd::ID_FILE_MRU_FILE2; id <= cmd::ID_FILE_MRU_FILE4; ++id) {
                actions.value(id)->setVisible(false);
                menu->addAction(actions.value(id));
            }
        }
    }
}

}  // namespace

void CMenuBuilder::BuildMenuBar(QMenuBar* bar, const QHash<int, QAction*>& actions) {
    for (const res::MenuDef& menuDef : res::MainMenu()) {
        AddItems(bar->addMenu(QString::fromUtf8(menuDef.title)), menuDef.items, actions);
    }
}

void CMenuBuilder::SetRecentFileItems(const QHash<int, QAction*>& actions,
                                      const QStringList& texts) {
    for (int id = cmd::ID_FILE_MRU_FILE1; id <= cmd::ID_FILE_MRU_FILE4; ++id) {
        QAction* action = actions.value(id);
        if (!action) {
            continue;
        }
        const int index = id - cmd::ID_FILE_MRU_FILE1;
        if (index < texts.size()) {
            action->setText(texts.at(index));
            action->setEnabled(true);
            action->setVisible(true);
        } else if (id == cmd::ID_FILE_MRU_FILE1) {
            // No recent files: the grayed placeholder.
            action->setText(res::MenuLabel(cmd::ID_FILE_MRU_FILE1));
            action->setEnabled(false);
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}

void CMenuBuilder::BuildToolBar(QToolBar* bar, const QHash<int, QAction*>& actions) {
    bar->setIconSize(QSize(res::kButtonWidth, res::kButtonHeight));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const int id : res::ToolBarButtons()) {
        if (id == res::kSeparator) {
            bar->addSeparator();
        } else {
            bar->addAction(actions.value(id));
        }
    }
}

QList<QLabel*> CMenuBuilder::BuildStatusBar(QStatusBar* bar) {
    QList<QLabel*> indicators;
    for (const res::PaneDef& pane : res::StatusPanes()) {
        if (!pane.text) {
            // The message pane: the idle text, hidden by QStatusBar while a
            // prompt is shown over it.
            auto* message = new QLabel(QString::fromUtf8(res::kIdleMessage), bar);
            message->setObjectName(QStringLiteral("messagePane"));
            bar->addWidget(message, 1);
            continue;
        }
        auto* label = new QLabel(bar);
        const QString text = QString::fromUtf8(pane.text);
        label->setObjectName(QStringLiteral("pane%1").arg(pane.id));
        label->setProperty("paneText", text);
        label->setProperty("paneId", pane.id);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + kPanePadding);
        SetIndicator(label, false);
        bar->addPermanentWidget(label);
        indicators << label;
    }
    return indicators;
}

void CMenuBuilder::SetIndicator(QLabel* pane, bool on) {
    pane->setText(on ? pane->property("paneText").toString() : QString());
}

QMenu* CMenuBuilder::BuildContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    for (const res::PopupItemDef& item : res::ContextMenu()) {
        if (!item.label) {
            menu->addSeparator();
        } else {
            QAction* action = menu->addAction(QString::fromUtf8(item.label));
            action->setData(item.id);
        }
    }
    return menu;
}

int CMenuBuilder::CommandOf(const QAction* action) {
    return action ? action->data().toInt() : 0;
}
