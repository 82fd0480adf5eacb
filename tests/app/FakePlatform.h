#pragma once

#include "KeyState.h"
#include "PlatformServices.h"

#include <QStringList>
#include <QTemporaryDir>

#include <set>

namespace stacklume::testing {

class HeldKeys : public KeyState {
public:
    bool IsDown(int virtualKey) const override { return down.count(virtualKey) != 0; }
    std::set<int> down;
};

// A platform with a screen of the given height, a fixed time of day and a clock moved by hand.
struct FakePlatform {
    explicit FakePlatform(int screenHeight = 899) {
        services.ProgramFolder = folder.path();
        services.CurrentFolder = QStringLiteral(STACKLUME_DATA_FOLDER);
        services.Keys = &keys;
        services.TickCount = [this] { return tickCount; };
        services.TimeOfDay = [this] { return timeOfDay; };
        services.CalendarTime = [] { return std::time_t{1'800'000'000}; };
        services.ScreenHeight = screenHeight;
        services.WorkArea = QRect(0, 0, 1280, screenHeight);
        services.ReportError = [this](const QString& message) { errors << message; };
        services.OpenUrl = [this](const QUrl& url) { opened << url; };
    }

    QTemporaryDir folder;
    HeldKeys keys;
    std::uint32_t tickCount = 5000;
    QTime timeOfDay{14, 30, 0};
    QStringList errors;
    QList<QUrl> opened;
    PlatformServices services;
};

} // namespace stacklume::testing
