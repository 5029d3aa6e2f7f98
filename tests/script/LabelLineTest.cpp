#include "support/QuillTest.h"

#include "script/LabelLine.h"

TEST(LabelLine, NameOfEachLine) {
    const struct {
        QByteArray line;
        QByteArray name;  // "<none>": no label line
    } cases[] = {
        {"\t\t*loop", "loop"},
        {"  \x01\x1f *sub_1", "sub_1"},
        {"", "<none>"},
        {" \t ", "<none>"},
        {"goto *main", "<none>"},
        {"; *comment", "<none>"},
        {"\x81\x40*x", "<none>"},  // a two-byte character is no blank
        {"*abc:mes", "abc"},
        {"*abc;note", "abc"},
        {"*abc\tdef", "abc"},
        {"*ab-c", "ab"},
        {"*abc\xb1", "abc"},  // half-width katakana ends the name
        {"*Mixed_Case09", "Mixed_Case09"},
        {"*\x83\x89\x83\x78\x83\x8b", "\x83\x89\x83\x78\x83\x8b"},
        {"*a\x95\x5c\x62:", "a\x95\x5c\x62"},  // trail byte 0x5C
        {"*ab\x83", "ab\x83"},                 // lead byte cut off at the end
        {"*", ""},
        {"  *:", ""},
        {"*\xb1\xb2", ""},
        {"**a", ""},
    };
    for (const auto& c : cases) {
        linescan::LabelNameRange r;
        const QByteArray name = linescan::FindLabelName(c.line, &r)
                                    ? c.line.mid(r.begin, r.end - r.begin)
                                    : QByteArray("<none>");
        EXPECT_EQ(name, c.name) << c.line.data();
    }
    // Only the bytes of the line are read, whatever follows them.
    linescan::LabelNameRange r;
    EXPECT_FALSE(linescan::FindLabelName(QByteArrayView("  *x").first(2), &r));
    ASSERT_TRUE(linescan::FindLabelName(QByteArrayView("*ab").first(2), &r));
    EXPECT_EQ(r.end, 2);
}
