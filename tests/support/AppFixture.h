#pragma once
// A test fixture that starts the whole editor (application, document, frame
// and view) as start-up does, with the executable's folder pointed at a
// temporary folder that holds QUILL.DAT (and QFO/ when asked for).

#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "support/TestUtil.h"

class CQuillApp;
class CMainFrame;
class CQuillDoc;
class CQuillView;

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes QUILL.DAT beside the (pretended) executable; by default the
    // shipped word list is used.
    void SetQuillDat(const QByteArray& bytes);
    // Starts the editor with `args`; the frame is shown (offscreen) when
    // `show` is set. Returns InitInstance's result.
    bool Start(const QStringList& args = {}, bool show = true);

    CQuillApp* App() const { return m_app.get(); }
    CMainFrame* Frame() const;
    CQuillDoc* Doc() const;
    CQuillView* View() const;
    // Runs command `id` as the menu does.
    void Dispatch(int id);
    // Replaces the view's text, unmodified (New and Open ask nothing).
    void SetText(const QString& text);
    // The view's selection as "start,end"; Select sets it.
    QString Sel() const;
    void Select(int start, int end);
    // Runs command `id`; `drive` gets the dialog T it opens and must close it.
    template <class T>
    void RunDialog(int id, std::function<void(T*)> drive) {
        bool ran = false;
        testutil::WhenModalOf<T>([&](T* dlg) {
            ran = true;
            drive(dlg);
        });
        Dispatch(id);
        EXPECT_TRUE(ran);
    }
    // The folder that plays the executable's folder.
    QString ExeDir() const { return m_exeDir.path(); }

    QTemporaryDir m_exeDir;
    std::unique_ptr<CQuillApp> m_app;
};
