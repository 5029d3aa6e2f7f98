// The command tables: every id a menu, the tool bar or the context menu names
// is a command, keys the text widget keeps stay its own, and every button has
// a picture of its own.
#include "support/QuillTest.h"

#include "res/AppIcon.h"
#include "res/CommandIcons.h"
#include "res/CommandTable.h"

namespace {

TEST(CommandTable, EveryReferencedIdIsACommandAndKeysTheWidgetKeepsAreNone) {
    QSet<int> ids{res::kSeparator};
    for (const res::CommandDef& def : res::Commands()) {
        ids.insert(def.id);
    }
    std::vector<std::span<const res::MenuItemDef>> menus;
    for (const res::MenuDef& menu : res::MainMenu()) {
        menus.push_back(menu.items);
    }
    for (size_t i = 0; i < menus.size(); ++i) {
        for (const res::MenuItemDef& item : menus[i]) {
            if (const res::SubMenuDef* sub = res::FindSubMenu(item.id)) {
                EXPECT_FALSE(ids.contains(item.id)) << item.id;
                menus.push_back(sub->items);
            } else {
                EXPECT_TRUE(item.id == res::kSeparator || ids.contains(item.id)) << item.id;
            }
        }
    }
    for (const int id : res::ToolBarButtons()) {
        EXPECT_TRUE(ids.contains(id)) << id;
    }
    for (const res::PopupItemDef& item : res::ContextMenu()) {
        EXPECT_TRUE(ids.contains(item.id)) << item.id;
    }
    // The keypad's Insert is Insert.
    EXPECT_EQ(res::AcceleratorCommand(
                  QKeyCombination(Qt::ShiftModifier | Qt::KeypadModifier, Qt::Key_Insert)),
              cmd::ID_EDIT_PASTE);
    for (const QKeyCombination key :
         {QKeyCombination(Qt::Key_A), QKeyCombination(Qt::Key_Delete),
          QKeyCombination(Qt::Key_Backspace), QKeyCombination(Qt::Key_Insert),
          QKeyCombination(Qt::Key_Return), Qt::SHIFT | Qt::Key_A, Qt::SHIFT | Qt::Key_F3,
          Qt::CTRL | Qt::Key_Delete, Qt::CTRL | Qt::Key_Backspace, Qt::ALT | Qt::Key_F4,
          Qt::CTRL | Qt::Key_Left}) {
        EXPECT_EQ(res::AcceleratorCommand(key), 0) << QKeySequence(key).toString().toStdString();
    }
}

TEST(CommandIcons, EveryButtonHasAPictureOfItsOwn) {
    QList<QImage> seen;
    for (const int id : res::ToolBarButtons()) {
        if (id == res::kSeparator) {
            continue;
        }
        const QImage image = res::CommandIcon(id).toImage();
        EXPECT_GT(testutil::CountPixels(image, [](QRgb p) { return qAlpha(p) != 0; }), 20) << id;
        EXPECT_FALSE(seen.contains(image)) << id;
        seen << image;
    }
    EXPECT_TRUE(res::CommandIcon(cmd::ID_APP_EXIT).isNull());
    EXPECT_FALSE(AppIcon().isNull());
}

}  // namespace
