#pragma once
// The one place that knows the settings keys. Values live in the per-user
// store "Blue Moss!/QUILL" (an INI file under $XDG_CONFIG_HOME), section
// "Settings", plus the recent-file list in "Recent File List", the
// editor's text size, the output pane and the line numbers in "View", and
// the compile and run commands in "Commands".

#include <QString>
#include <QStringList>

namespace settings {

constexpr char kHspDir[] = "hspdir";
constexpr char kHspHelp[] = "hsphelp";
constexpr char kCmdLine[] = "cmdline";
constexpr char kExeStat[] = "exestat";
constexpr char kMode[] = "mode";
constexpr char kLeft[] = "left";
constexpr char kTop[] = "top";
constexpr char kRight[] = "right";
constexpr char kBottom[] = "bottom";
constexpr char kPreviewPages[] = "PreviewPages";

constexpr int kModeMaximized = 1;
constexpr int kModeNormal = 2;
constexpr int kRecentFileCount = 4;

// Section "Settings". An absent string reads as empty; an absent or
// malformed integer reads as the given default.
QString GetString(const char* key);
int GetInt(const char* key, int defaultValue);
void WriteString(const char* key, const QString& value);
void WriteInt(const char* key, int value);
bool Contains(const char* key);

// Section "Recent File List", keys File1..File4, most recent first.
QStringList RecentFiles();
void WriteRecentFiles(const QStringList& files);

// Section "View", key "FontSize": the editor's text size in points, as the
// user zoomed it; the default when absent or malformed.
int ViewFontSize(int defaultValue);
void WriteViewFontSize(int points);
// Section "View", key "LineNumbers": 1 while the line numbers are shown;
// off when absent or malformed.
bool ViewLineNumbers();
void WriteViewLineNumbers(bool shown);

// Section "View", key "OutputPane": whether the output pane is shown.
bool ViewOutputPane();
void WriteViewOutputPane(bool shown);

// Section "Commands": the compile and run commands. An absent key reads as
// `defaultValue`; an empty value is kept as empty (commands off).
constexpr char kCompileCommand[] = "compile";
constexpr char kRunCommand[] = "run";
QString Command(const char* key, const QString& defaultValue);
void WriteCommand(const char* key, const QString& value);

}  // namespace settings
