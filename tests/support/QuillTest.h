#pragma once
// What the tests share: GoogleTest, the Qt classes they drive, the editor's
// main classes and the test support, in one include.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QUrl>
#include <climits>
#include <functional>
#include <memory>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CQuillApp.h"
#include "app/SettingsStore.h"
#include "doc/CQuillDoc.h"
#include "res/CommandIds.h"
#include "res/DialogResources.h"
#include "res/ExePath.h"
#include "support/AppFixture.h"
#include "support/MessageBoxRecorder.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"

using namespace Qt::StringLiterals;
