#include "Preferences.h"
#include "IniWriteError.h"
#include "SettingsFolder.h"

namespace stacklume {
namespace {

using PreferencesTest = SettingsFolder;

TEST_F(PreferencesTest, FirstRunTakesTheDefaultsAndWritesAllSevenKeysInOrder) {
    ASSERT_EQ(SettingsFilePath(folder_.path()), path_);
    const Preferences read = ReadPreferences(ini_);
    EXPECT_EQ(read.BackgroundFile, "");
    EXPECT_EQ(read.Color, ColorScheme::Multicolored);
    GameOptions options;
    options.LateralLatency = LateralLatencyLong; // as the window starts, before the file is read
    read.ApplyTo(options);
    EXPECT_EQ(options.FallInterval, FallIntervalMedium);
    EXPECT_EQ(options.LateralLatency, LateralLatencyMedium);
    EXPECT_EQ(options.DownArrowMode, DownArrowDrop);
    EXPECT_TRUE(options.SoundOn);
    EXPECT_FALSE(options.RedShades);
    EXPECT_EQ(options.KindCount, StandardKindCount);

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
    WritePreferences(ini_, Preferences::FromOptions(left, "Sky.jpg"));

    const Preferences read = ReadPreferences(ini_);
    EXPECT_EQ(read.BackgroundFile, "sky.jpg");
    GameOptions restored;
    read.ApplyTo(restored);
    EXPECT_EQ(restored.FallInterval, left.FallInterval);
    EXPECT_EQ(restored.LateralLatency, left.LateralLatency);
    EXPECT_EQ(restored.DownArrowMode, left.DownArrowMode);
    EXPECT_EQ(restored.SoundOn, left.SoundOn);
    EXPECT_EQ(restored.RedShades, left.RedShades);
    EXPECT_EQ(restored.KindCount, left.KindCount);
}

TEST_F(PreferencesTest, ARefusedWriteReachesTheCaller) {
    IniFile inMissingFolder(folder_.filePath("missing/stacklume.ini"));
    EXPECT_THROW(WritePreferences(inMissingFolder, Preferences{}), IniWriteError);
}

} // namespace
} // namespace stacklume
