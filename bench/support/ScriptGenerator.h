#pragma once
// A generated HSP script that looks like a real one: labels, keywords,
// tab indentation, numbers that change from line to line, and Japanese
// strings and comments on about a third of the lines. Shift_JIS, CR LF.

#include <QByteArray>
#include <QString>
#include <array>

#include "text/Cp932Codec.h"

namespace benchsupport {

// One block of script; "%1" becomes a number that changes with each block.
// Five of the fifteen lines hold Japanese.
inline constexpr std::array<const char16_t*, 15> kScriptLines = {
    u"*main_loop_%1",
    u"\tmes \"こんにちは、世界。今日のスコアは\" + score  ; 挨拶を表示する",
    u"\tcolor 255, 128, %1 : boxf 0, 0, 640, 480",
    u"\tif x > %1 {",
    u"\t\tx = x + 1 : y = rnd(100)",
    u"\t\tpos x, y : print \"得点: \" + score + \"点（ﾎﾞｰﾅｽ込み）\"",
    u"\t}",
    u"\tgosub *sub_draw",
    u"\tstick key, 15",
    u"\tif key & 16 : goto *game_over  ; スペースキーで終了",
    u"\tawait %1",
    u"\t; ここから描画処理を続ける。①②③の順に呼ぶ",
    u"\tdim buf, 64 : sdim text, 256",
    u"\ttext = \"ファイル名：\" + name + \"を読み込みました\"",
    u"\tredraw 1 : redraw 0",
};

// `lines` lines of script, each ended by CR LF.
inline QByteArray GenerateScript(int lines) {
    QString text;
    text.reserve(qsizetype(lines) * 32);
    for (int i = 0; i < lines; ++i) {
        const QString line = QString::fromUtf16(kScriptLines[i % kScriptLines.size()]);
        text += line.contains(u"%1") ? line.arg(i / int(kScriptLines.size()) % 1000) : line;
        text += u"\r\n";
    }
    return cp932::Encode(text).bytes;
}

}  // namespace benchsupport
