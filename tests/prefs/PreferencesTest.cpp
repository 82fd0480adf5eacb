#include "Preferences.h"
#include "SettingsFolder.h"

namespace stacklume {
namespace {

using PreferencesTest = SettingsFolder;

TEST_F(PreferencesTest, FirstRunTakesTheDefaultsAndWritesAllSevenKeysInOrder) {
    ASSERT_EQ(SettingsFilePath(folder_.path()), path_);
    const Preferences read = ReadPreferences(ini_);
    EXPECT_EQ(read, Preferences{});
    GameOptions options;
    options.LateralLatency = LateralLatencyLong; // the menu starts on Long; the file settles it
    read.ApplyTo(options);
    EXPECT_EQ(options.LateralLatency, LateralLatencyMedium);

    WritePreferences(ini_, read);
    EXPECT_EQ(Bytes(), "[config]\nspeed=medium\nlateral step=3\ncolor=multicolored\ndownarrow=0\nsound=1\n"
                       "\n[bricks]\nactive=no\n\n[Background]\nfile=\n");
}

struct StoredValue {
    const char* section;
    const char* key;
    const char* stored;
    const char* writtenBack;
};

// Values are trimmed, then compared exactly; what was applied is what the next close writes.
TEST_F(PreferencesTest, EachValueIsWrittenBackAsItWasUnderstood) {
    const StoredValue values[] = {
        {"config", "speed", "Slow", "veryslow"},
        {"config", "speed", " slow ", "slow"},
        {"config", "speed", "medium", "medium"},
        {"config", "speed", "fast", "fast"},
        {"config", "speed", "veryfast", "veryfast"},
        {"config", "speed", "veryslow", "veryslow"},
        {"config", "lateral step", "2", "2"},
        {"config", "lateral step", "5", "4"},
        {"config", "downarrow", "1", "1"},
        {"config", "downarrow", "7", "2"},
        {"config", "sound", "yes", "0"},
        {"config", "sound", "0", "0"},
        {"config", "color", "red", "red"},
        {"config", "color", "blue", "multicolored"},
        {"config", "color", "Red", "multicolored"},
        {"bricks", "active", "yes", "yes"},
        {"bricks", "active", "YES", "no"},
        {"Background", "file", " Sky.JPG ", "sky.jpg"},
    };
    for (const StoredValue& value : values) {
        SCOPED_TRACE(std::string(value.key) + "=" + value.stored);
        Given(QByteArray("[") + value.section + "]\n" + value.key + "=" + value.stored + "\n");
        WritePreferences(ini_, ReadPreferences(ini_));
        EXPECT_EQ(ini_.ReadString(value.section, value.key, "?"), value.writtenBack);
    }
}

TEST_F(PreferencesTest, AnUnknownColourLeavesTheSchemeAsItIs) {
    Given("[config]\ncolor=blue\n");
    const Preferences read = ReadPreferences(ini_);
    EXPECT_EQ(read.Color, ColorScheme::Unrecognized);
    GameOptions options;
    options.RedShades = true;
    read.ApplyTo(options);
    EXPECT_TRUE(options.RedShades);
}

TEST_F(PreferencesTest, AGameComesBackAsItWasLeft) {
    GameOptions left;
    left.FallInterval = FallIntervalVeryFast;
    left.LateralLatency = LateralLatencyShort;
    left.DownArrowMode = DownArrowFastDrop;
    left.SoundOn = false;
    left.RedShades = true;
    left.KindCount = KindTotal;
    Preferences expected = Preferences::FromOptions(left, "Sky.jpg");
    WritePreferences(ini_, expected);

    expected.BackgroundFile = "sky.jpg";
    const Preferences read = ReadPreferences(ini_);
    EXPECT_EQ(read, expected);
    GameOptions restored;
    read.ApplyTo(restored);
    EXPECT_EQ(Preferences::FromOptions(restored, read.BackgroundFile), expected);
}

} // namespace
} // namespace stacklume
