#pragma once
// Helpers for the QuickFileOpen widget tests.

#include "support/QuillTest.h"

namespace qfotest {

using testutil::MessageBoxRecorder;

inline QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->item(i)->text();
    }
    return items;
}

// Clicks the item `name` (twice for a double click) with `modifiers`.
inline void ClickItem(QListWidget* list, const QString& name, bool twice = false,
                      Qt::KeyboardModifiers modifiers = {}) {
    const auto items = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    const QPoint at = list->visualItemRect(items.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, at);
    if (twice) {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, modifiers, at);
    }
}

// The whole editor with an empty store folder QFO/ beside it.
class QfoAppFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(QDir(ExeDir()).mkpath("QFO"));
        ASSERT_TRUE(Start());
    }
    void Entry(const QString& name, const QByteArray& content) {
        testutil::WriteFile(m_exeDir, "QFO/" + name, content);
    }
};

}  // namespace qfotest
