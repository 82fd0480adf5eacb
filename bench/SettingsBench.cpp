#include "BrickSettings.h"
#include "IniFile.h"
#include "Preferences.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace stacklume {
namespace {

// A settings file of 5 MiB, nearly all of it another program's section.
class HugeSettings {
public:
    HugeSettings() {
        QByteArray bytes = "[config]\nspeed=slow\n[bricks]\nactive=yes\n[another program]\n";
        for (int line = 0; bytes.size() < 5 * 1024 * 1024; ++line)
            bytes += "key" + QByteArray::number(line) + "=a value of another program's\n";
        QFile file(Path());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write the settings file");
    }
    QString Path() const { return folder_.filePath(QStringLiteral("stacklume.ini")); }

private:
    QTemporaryDir folder_;
};

// What the start-up reads: the preferences, then the bricks dialog's patterns.
void BM_StartUpReadsHugeSettings(benchmark::State& state) {
    const HugeSettings settings;
    const IniFile ini(settings.Path());
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadPreferences(ini));
        benchmark::DoNotOptimize(ReadBrickPatterns(ini));
    }
}
BENCHMARK(BM_StartUpReadsHugeSettings)->Unit(benchmark::kMillisecond);

// What the close writes.
void BM_CloseWritesHugeSettings(benchmark::State& state) {
    const HugeSettings settings;
    IniFile ini(settings.Path());
    Preferences preferences = ReadPreferences(ini);
    for (auto _ : state) {
        preferences.SoundOn = !preferences.SoundOn;
        WritePreferences(ini, preferences);
    }
}
BENCHMARK(BM_CloseWritesHugeSettings)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace stacklume
