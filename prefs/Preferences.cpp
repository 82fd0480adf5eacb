#include "Preferences.h"

#include "IniFile.h"

#include <QDir>

namespace stacklume {

namespace {

const QString ConfigSection = QStringLiteral("config");
const QString BricksSection = QStringLiteral("bricks");
const QString BackgroundSection = QStringLiteral("Background");

const QString SpeedKey = QStringLiteral("speed");
const QString LateralStepKey = QStringLiteral("lateral step");
const QString DownArrowKey = QStringLiteral("downarrow");
const QString SoundKey = QStringLiteral("sound");
const QString ColorKey = QStringLiteral("color");
const QString ActiveKey = QStringLiteral("active");
const QString FileKey = QStringLiteral("file");

// Very fast is stored as "veryfast"; a reader that does not know the word takes it, like any
// other unknown text, as Very slow.
int FallIntervalFromText(const QString& text) {
    if (text == u"slow")
        return FallIntervalSlow;
    if (text == u"medium")
        return FallIntervalMedium;
    if (text == u"fast")
        return FallIntervalFast;
    if (text == u"veryfast")
        return FallIntervalVeryFast;
    return FallIntervalVerySlow;
}

QString TextFromFallInterval(int fallInterval) {
    switch (fallInterval) {
    case FallIntervalSlow:
        return QStringLiteral("slow");
    case FallIntervalMedium:
        return QStringLiteral("medium");
    case FallIntervalFast:
        return QStringLiteral("fast");
    case FallIntervalVeryFast:
        return QStringLiteral("veryfast");
    default:
        return QStringLiteral("veryslow");
    }
}

int LateralLatencyFromText(const QString& text) {
    if (text == u"2")
        return LateralLatencyShort;
    if (text == u"3")
        return LateralLatencyMedium;
    return LateralLatencyLong;
}

QString TextFromLateralLatency(int lateralLatency) {
    if (lateralLatency == LateralLatencyShort)
        return QStringLiteral("2");
    if (lateralLatency == LateralLatencyMedium)
        return QStringLiteral("3");
    return QStringLiteral("4");
}

int DownArrowModeFromText(const QString& text) {
    if (text == u"0")
        return DownArrowDrop;
    if (text == u"1")
        return DownArrowFastDrop;
    return DownArrowRotation;
}

ColorScheme ColorSchemeFromText(const QString& text) {
    if (text == u"red")
        return ColorScheme::RedShades;
    if (text == u"multicolored")
        return ColorScheme::Multicolored;
    return ColorScheme::Unrecognized;
}

} // namespace

QString SettingsFilePath(const QString& folder) {
    return QDir(folder).filePath(QString::fromLatin1(SettingsFileName));
}

Preferences Preferences::FromOptions(const GameOptions& options, const QString& backgroundFile) {
    Preferences preferences;
    preferences.BackgroundFile = backgroundFile;
    preferences.FallInterval = options.FallInterval;
    preferences.LateralLatency = options.LateralLatency;
    preferences.DownArrowMode = options.DownArrowMode;
    preferences.SoundOn = options.SoundOn;
    preferences.Color = options.RedShades ? ColorScheme::RedShades : ColorScheme::Multicolored;
    preferences.KindCount = options.KindCount;
    return preferences;
}

void Preferences::ApplyTo(GameOptions& options) const {
    options.FallInterval = FallInterval;
    options.LateralLatency = LateralLatency;
    options.DownArrowMode = DownArrowMode;
    options.SoundOn = SoundOn;
    if (Color != ColorScheme::Unrecognized)
        options.RedShades = Color == ColorScheme::RedShades;
    options.KindCount = KindCount;
}

Preferences ReadPreferences(const IniFile& settings) {
    const IniValues ini = settings.Read();
    Preferences preferences;
    preferences.BackgroundFile = ini.ReadString(BackgroundSection, FileKey, QString()).toLower();
    preferences.FallInterval =
        FallIntervalFromText(ini.ReadString(ConfigSection, SpeedKey, QStringLiteral("medium")));
    preferences.LateralLatency =
        LateralLatencyFromText(ini.ReadString(ConfigSection, LateralStepKey, QStringLiteral("3")));
    preferences.DownArrowMode =
        DownArrowModeFromText(ini.ReadString(ConfigSection, DownArrowKey, QStringLiteral("0")));
    preferences.SoundOn = ini.ReadString(ConfigSection, SoundKey, QStringLiteral("1")) == u"1";
    preferences.Color =
        ColorSchemeFromText(ini.ReadString(ConfigSection, ColorKey, QStringLiteral("multicolored")));
    preferences.KindCount = ini.ReadString(BricksSection, ActiveKey, QStringLiteral("no")) == u"yes"
                                ? KindTotal
                                : StandardKindCount;
    return preferences;
}

void WritePreferences(IniFile& ini, const Preferences& preferences) {
    ini.WriteStrings({
        {ConfigSection, SpeedKey, TextFromFallInterval(preferences.FallInterval)},
        {ConfigSection, LateralStepKey, TextFromLateralLatency(preferences.LateralLatency)},
        {ConfigSection, ColorKey,
         preferences.Color == ColorScheme::RedShades ? QStringLiteral("red")
                                                     : QStringLiteral("multicolored")},
        {ConfigSection, DownArrowKey, QString::number(preferences.DownArrowMode)},
        {ConfigSection, SoundKey, preferences.SoundOn ? QStringLiteral("1") : QStringLiteral("0")},
        {BricksSection, ActiveKey,
         preferences.KindCount == KindTotal ? QStringLiteral("yes") : QStringLiteral("no")},
        {BackgroundSection, FileKey, preferences.BackgroundFile},
    });
}

} // namespace stacklume
