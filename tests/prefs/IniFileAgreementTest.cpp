#include "SettingsFolder.h"

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace stacklume {
namespace {

using IniFileAgreementTest = SettingsFolder;

// The lines a hand-edited or damaged file may hold, chosen for what the parser makes of them.
const std::array<QByteArray, 28> Pieces{"[config]",
                                        "[CONFIG ]",
                                        "[ bricks]",
                                        "[bricks",
                                        "[",
                                        "[  ",
                                        "]",
                                        "speed=slow",
                                        " Speed = fast ",
                                        "speed",
                                        "=x",
                                        "sound=1",
                                        "sound=",
                                        "; c",
                                        "#[config]",
                                        "",
                                        " \t",
                                        QByteArray(2, '\0'),
                                        "\xff\xfe=\xe9",
                                        "active=yes",
                                        "[Background]",
                                        "file=A.jpg",
                                        "x=[config]",
                                        "\xEF\xBB\xBF[config]",
                                        Raw("sound\0=\0no\0"),
                                        Raw("[\0config]x"),
                                        "[con]fig]",
                                        "\tfile\t=\t"};
const std::array<QByteArray, 3> LineBreaks{"\n", "\r\n", "\r"};
const std::array<std::pair<const char*, const char*>, 5> Keys{{{"config", "speed"},
                                                               {"config", "sound"},
                                                               {"bricks", "active"},
                                                               {"Background", "file"},
                                                               {"bricks", "speed"}}};

QByteArray RandomFile(std::mt19937& random) {
    QByteArray text;
    const int lines = static_cast<int>(random() % 8);
    for (int line = 0; line < lines; ++line) {
        text += Pieces[random() % Pieces.size()];
        if (line + 1 < lines || random() % 2 == 0)
            text += LineBreaks[random() % LineBreaks.size()];
    }
    return text;
}

// Whatever the file holds, a write changes what the reader sees of that one key and of no
// other, by one contiguous change of the bytes that removes at most the old value.
TEST_F(IniFileAgreementTest, TheWriterChangesTheLineTheReaderTakes) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 800; ++round) {
        const QByteArray before = RandomFile(random);
        Given(before);
        std::vector<QString> valuesBefore;
        for (const auto& [section, key] : Keys)
            valuesBefore.push_back(ini_.ReadString(section, key, "<none>"));
        const std::size_t changed = random() % Keys.size();
        const QString value = "v" + QString::number(round);
        ini_.WriteString(Keys[changed].first, Keys[changed].second, value);

        const QByteArray after = Bytes();
        for (std::size_t i = 0; i < Keys.size(); ++i) {
            ASSERT_EQ(ini_.ReadString(Keys[i].first, Keys[i].second, "<none>"),
                      i == changed ? value : valuesBefore[i])
                << "file " << ::testing::PrintToString(before) << ", set " << Keys[changed].second << " of "
                << Keys[changed].first << ", read " << Keys[i].second << " of " << Keys[i].first;
        }
        const auto common = std::min(before.size(), after.size());
        qsizetype prefix = 0;
        while (prefix < common && before[prefix] == after[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (prefix + suffix < common &&
               before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
            ++suffix;
        const qsizetype removed = before.size() - prefix - suffix;
        const qsizetype oldValueSize =
            valuesBefore[changed] == "<none>" ? 0 : valuesBefore[changed].toUtf8().size();
        ASSERT_LE(removed, oldValueSize)
            << "file " << ::testing::PrintToString(before) << " became " << ::testing::PrintToString(after);
    }
}

} // namespace
} // namespace stacklume
