#pragma once
// A generated HSP script that looks like a real one: labels, keywords,
// comments, strings with Japanese text, tab indentation. Shift_JIS, CR LF.

#include <QByteArray>

namespace benchsupport {

inline QByteArray GenerateScript(int lines) {
    static const char* const kLines[] = {
        "*main_loop",
        "\tmes \"\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd\x81\x41\x90\xa2\x8a\x45\"  ; greeting",
        "\tcolor 255, 128, 0 : boxf 0, 0, 640, 480",
        "\tif x > 10 {",
        "\t\tx = x + 1 : y = rnd(100)",
        "\t\tpos x, y : print \"score: \" + score",
        "\t}",
        "\tgosub *sub_draw",
        "\tstick key, 15",
        "\tif key & 16 : goto *game_over",
        "\tawait 16",
        "\t; \x83\x52\x83\x81\x83\x93\x83\x67: \x8f\x88\x97\x9d\x82\xf0\x91\xb1\x82\xaf\x82\xe9",
        "\tdim buf, 64 : sdim text, 256",
        "\tredraw 1 : redraw 0",
        "\tgoto *main_loop",
        "",
    };
    constexpr int kCount = sizeof(kLines) / sizeof(kLines[0]);
    QByteArray out;
    out.reserve(qsizetype(lines) * 32);
    for (int i = 0; i < lines; ++i) {
        out += kLines[i % kCount];
        out += "\r\n";
    }
    return out;
}

}  // namespace benchsupport
