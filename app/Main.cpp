#include "app/Main.h"

#include "app/AppState.h"
#include "app/CenterMath.h"
#include "app/ClockPlacement.h"
#include "app/Forms.h"
#include "app/NumericValue.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "app/WindowHelpers.h"
#include "clock/frmClock.h"
#include "menu/frmMenu.h"
#include "platform/SingleInstance.h"

#include <QAction>
#include <QFileInfo>

void InitProgramPaths(AppState& state, const QString& programFile)
{
    state.ProgramDir = QFileInfo(programFile).absolutePath();
    AddBackslash(state.ProgramDir);
    state.ExeName = exeNameOf(programFile);
}

void InitSettingsPaths(AppState& state, const QString& userConfigDir)
{
    state.AppTitle = QStringLiteral("Marvane Glimmora");
    const QString beside = settingsFileFor(GetLongPath(state.ProgramDir), state.ExeName);
    const SettingsLocation where = chooseSettingsLocation(beside, userConfigDir);
    state.SettingsFile = where.file;
    state.SettingsFallback = where.fallback;
    state.SkinsDir = state.ProgramDir + QStringLiteral("Skins/");
}

namespace {

// Sets the entry's mark to the opposite of what is wanted and lets the handler
// invert it, so the off state is applied explicitly too.
void restoreMode(AppState& state, const QString& key, QAction* entry, void (frmMenu::*handler)())
{
    entry->setChecked(ReadSetting(state, key, QStringLiteral("0")) != QStringLiteral("1"));
    (Menu(state).*handler)();
}

} // namespace

bool Main(AppState& state, platform::SingleInstance& instance, const QString& programFile,
          const QString& userConfigDir)
{
    if (!instance.acquire()) {
        return false;
    }
    InitProgramPaths(state, programFile);
    InitSettingsPaths(state, userConfigDir);
    state.SkinName = ReadSetting(state, QStringLiteral("Skin"), QString());
    const QString x = ReadSetting(state, QStringLiteral("X"), QString());
    const QString y = ReadSetting(state, QStringLiteral("Y"), QString());

    frmClock& clock = Clock(state);
    clock.Form_Load();

    // Placed before its first show, so it never appears at a default place.
    std::optional<QPoint> saved;
    if (!x.isEmpty() || !y.isEmpty()) {
        int left = 0;
        int top = 0;
        toInt32(Val(x) / TwipsPerPixel, left);
        toInt32(Val(y) / TwipsPerPixel, top);
        saved = QPoint(left, top);
    }
    placeClockAtStart(clock, saved);
    clock.show();

    frmMenu& menu = Menu(state);
    restoreMode(state, QStringLiteral("StandBy"), menu.mnuStdby, &frmMenu::mnuStdby_Click);
    restoreMode(state, QStringLiteral("OnTop"), menu.mnuOnTop, &frmMenu::mnuOnTop_Click);
    restoreMode(state, QStringLiteral("Saver"), menu.mnuSaver, &frmMenu::mnuSaver_Click);
    restoreMode(state, QStringLiteral("Alarm"), menu.mnuAlarm, &frmMenu::mnuAlarm_Click);

    state.AlarmHour = ReadSetting(state, QStringLiteral("A-Hour"), QStringLiteral("99"));
    state.AlarmMinute = ReadSetting(state, QStringLiteral("A-Mins"), QStringLiteral("99"));
    toInt16(Val(ReadSetting(state, QStringLiteral("SendKey"), QStringLiteral("120"))),
            state.SendKeyCode);
    toInt16(Val(ReadSetting(state, QStringLiteral("ShowSaver"), QStringLiteral("0"))),
            state.ShowSaver);

    const bool showSaver = state.ShowSaver != 0;
    menu.mnuSaver->setVisible(showSaver);
    menu.mnuKey->setVisible(showSaver);
    menu.mnuNix->setVisible(showSaver);
    return true;
}
