// The command tables agree with each other: every id a menu, the tool bar or
// the context menu names is a command, keys and label texts match, and every
// button has a picture of its own.

#include <gtest/gtest.h>

#include <QImage>
#include <QKeySequence>
#include <QSet>

#include "res/AppIcon.h"
#include "res/CommandIcons.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"

namespace {

TEST(CommandTable, IdsAreUniqueAndEveryReferencedIdIsACommand) {
    QSet<int> ids;
    for (const res::CommandDef& def : res::Commands()) {
        EXPECT_FALSE(ids.contains(def.id)) << def.id;
        ids.insert(def.id);
        EXPECT_FALSE(res::StatusPrompt(def.id).isEmpty()) << def.id;
    }
    for (const res::MenuDef& menu : res::MainMenu()) {
        for (const res::MenuItemDef& item : menu.items) {
            EXPECT_TRUE(item.id == res::kSeparator || ids.contains(item.id)) << item.id;
        }
    }
    for (const int id : res::ToolBarButtons()) {
        EXPECT_TRUE(id == res::kSeparator || ids.contains(id)) << id;
    }
    for (const res::PopupItemDef& item : res::ContextMenu()) {
        EXPECT_TRUE(item.id == res::kSeparator || ids.contains(item.id)) << item.id;
    }
    EXPECT_TRUE(res::StatusPrompt(12345).isEmpty());
    EXPECT_TRUE(res::ToolTip(12345).isEmpty());
}

TEST(CommandTable, EveryKeySendsItsCommandAndTheLabelNamesTheFirst) {
    for (const res::CommandDef& def : res::Commands()) {
        for (const QKeyCombination& key : def.keys) {
            if (key != QKeyCombination()) {
                EXPECT_EQ(res::AcceleratorCommand(key), def.id)
                    << QKeySequence(key).toString().toStdString();
            }
        }
        const QString label = QString::fromUtf8(def.label);
        const qsizetype tab = label.indexOf('\t');
        if (tab >= 0) {
            EXPECT_EQ(label.mid(tab + 1),
                      QKeySequence(def.keys[0]).toString(QKeySequence::PortableText))
                << def.id;
        }
    }
    // The keypad's Insert is Insert.
    EXPECT_EQ(res::AcceleratorCommand(
                  QKeyCombination(Qt::ShiftModifier | Qt::KeypadModifier, Qt::Key_Insert)),
              cmd::ID_EDIT_PASTE);
    // Keys the text widget keeps for itself.
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
        const QPixmap pixmap = res::CommandIcon(id);
        ASSERT_EQ(pixmap.size(), QSize(res::kButtonWidth, res::kButtonHeight)) << id;
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        int painted = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                painted += qAlpha(image.pixel(x, y)) != 0;
            }
        }
        EXPECT_GT(painted, 20) << id;
        EXPECT_FALSE(seen.contains(image)) << id;
        seen << image;
    }
    EXPECT_TRUE(res::CommandIcon(cmd::ID_APP_EXIT).isNull());
    EXPECT_FALSE(AppIcon().isNull());
}

}  // namespace
