// A whole day of 300 ms clock ticks and 100 ms key ticks on the display-free
// core, driven by a test clock: the very tick the clock window runs, every
// draw and lamp against the tick instants, the alarm ringing once for its
// whole minute, the key schedule sending at its period, and no heap memory
// kept from one hour to the next. Built in the sanitizer tree too, where leaks end the run
// with an error.
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/ClockTick.h"
#include "core/Sound.h"
#include "keys/KeySchedule.h"
#include "keys/KeySender.h"
#include "platform/keys/KeyInjector.h"
#include "platform/sound/SoundOutput.h"

#include <QTest>
#include <array>
#include <ctime>
#include <malloc.h>

// Present only when the sanitizer runtime is linked in.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace {

// Heap bytes the program holds: the sanitizer allocator's own count under
// AddressSanitizer, glibc's otherwise (the test is single-threaded, so the
// main arena is the whole heap).
std::size_t allocatedBytes()
{
    if (__sanitizer_get_current_allocated_bytes) {
        return __sanitizer_get_current_allocated_bytes();
    }
    return mallinfo2().uordblks;
}

// Counts without keeping anything, so the fakes themselves cannot grow.
class CountingSound final : public platform::SoundOutput
{
public:
    explicit CountingSound(QString expected) : m_expected(std::move(expected)) {}
    void play(const QString& path) override
    {
        ++plays;
        wrongPaths += path != m_expected ? 1 : 0;
    }
    void stop() override { ++stops; }

    int plays = 0;
    int stops = 0;
    int wrongPaths = 0;

private:
    QString m_expected;
};

class CountingKeys final : public platform::KeyInjector
{
public:
    bool sendKeyStroke(std::uint8_t virtualKey) override
    {
        ++sent;
        wrongKeys += virtualKey != 120 ? 1 : 0;
        return true;
    }
    int sent = 0;
    int wrongKeys = 0;
};

constexpr qint64 TickMs = 300;
constexpr qint64 KeyTickMs = 100;
constexpr qint64 DayMs = 24 * 3600 * 1000;
constexpr qint64 HourTicks = 3600 * 1000 / TickMs;

// The instant of a local wall-clock time, by the C library's own conversion.
qint64 localInstant(int year, int month, int day, int hour, int minute)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_isdst = -1;
    return static_cast<qint64>(std::mktime(&t));
}

long utcOffset(qint64 instant)
{
    const auto t = static_cast<std::time_t>(instant);
    std::tm parts{};
    localtime_r(&t, &parts);
    return parts.tm_gmtoff;
}

// What the key timer keeps between ticks, and what the day's ticks did.
struct Clock
{
    KeySchedule keys;
    qint64 nextKeyMs = -1;
    std::int16_t KeyPeriod = 1800;
    std::int16_t SendKeyCode = 120;
    QString alarmPath = QStringLiteral("/opt/glimmora/alarm.wav");

    std::array<int, 6> draws{};
    int lampsLit = 0;
    int notices = 0;
    int wrongDigits = 0;
};

// One tick of the core, and what the window would draw from it, checked
// against the digits the instant gives.
void clockTick(Clock& c, ClockCore& core, qint64 now, long offset)
{
    const TickPlan plan = core.tick(localTimeText(now));

    const qint64 local = now + offset;
    const std::array<int, 6> want{
        static_cast<int>(local / 3600 % 24 / 10), static_cast<int>(local / 3600 % 24 % 10),
        static_cast<int>(local / 60 % 60 / 10),   static_cast<int>(local / 60 % 60 % 10),
        static_cast<int>(local % 60 / 10),        static_cast<int>(local % 60 % 10)};
    const std::array<bool, 3> changed{plan.hoursChanged, plan.minutesChanged, plan.secondsChanged};
    for (std::size_t tube = 0; tube < 6; ++tube) {
        if (changed[tube / 2]) {
            ++c.draws[tube];
            c.wrongDigits += plan.digits[tube] != want[tube] ? 1 : 0;
        }
    }
    c.lampsLit += plan.lampsLit() ? 1 : 0;
}

// The key timer firing when the schedule armed it, up to `untilMs`.
void keyTimer(Clock& c, platform::KeyInjector& keys, qint64 untilMs)
{
    while (c.nextKeyMs >= 0 && c.nextKeyMs <= untilMs) {
        const KeySchedule::Step step = c.keys.advance(c.nextKeyMs, c.KeyPeriod);
        if (step.send) {
            sendKeyStroke(keys, c.SendKeyCode);
        }
        c.nextKeyMs = step.nextKeyMs;
    }
}

} // namespace

class SimulatedDayTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void dayOfTicks_data()
    {
        // Where in its second the first tick falls.
        QTest::addColumn<int>("phaseMs");
        QTest::newRow("on the second") << 0;
        QTest::newRow("mid second") << 450;
        QTest::newRow("just before the next") << 999;
    }

    void dayOfTicks()
    {
        QFETCH(int, phaseMs);
        // From 06:00 to 06:00 the next day, a summer day without a clock
        // change, so local time is the instant plus one fixed offset.
        const qint64 start = localInstant(2024, 6, 12, 6, 0);
        const long offset = utcOffset(start);
        QCOMPARE(utcOffset(start + DayMs / 1000), offset);
        const qint64 alarmMinute = localInstant(2024, 6, 12, 13, 37);

        // A first ring on a state of its own, so what the program sets up
        // once (the logging categories, say) is not counted as growth.
        {
            CountingSound sound(QString{});
            CountingKeys keys;
            AppState once(Services{sound, keys, [] { return qint64(0); }});
            ClockCore onceCore;
            connectAlarmSound(onceCore, once);
            onceCore.restore(Option::Alarm, true);
            onceCore.setAlarmTime({QStringLiteral("00"), QStringLiteral("00")});
            onceCore.tick(QStringLiteral("00:00:00"));
            QCOMPARE(sound.plays, 1);
        }

        Clock c;
        CountingSound sound(c.alarmPath);
        CountingKeys keys;
        qint64 nowSeconds = 0;
        AppState state(Services{sound, keys, [&nowSeconds] { return nowSeconds * 1000; }});
        state.programDir = QStringLiteral("/opt/glimmora/");
        ClockCore core;
        connectAlarmSound(core, state);
        core.setAlarmTime({QStringLiteral("13"), QStringLiteral("37")});
        core.restore(Option::Alarm, true);
        QObject::connect(&core, &ClockCore::noticeRequested, [&c] { ++c.notices; });
        const qint64 firstMs = start * 1000 + phaseMs;
        c.nextKeyMs = c.keys.start(firstMs, c.KeyPeriod).nextKeyMs;
        const qint64 ticks = DayMs / TickMs;

        // The model, from the instants alone.
        std::array<int, 3> pairChanges{}; // hours, minutes, seconds
        int ticksInAlarmMinute = 0;
        int keyTicks = 0;

        std::size_t heapAfterFirstHour = 0;
        std::size_t heapMost = 0;
        for (qint64 k = 0; k < ticks; ++k) {
            const qint64 ms = firstMs + k * TickMs;
            const qint64 previous = ms - TickMs;
            const bool first = k == 0;
            pairChanges[0] += (first || previous / 3600000 != ms / 3600000) ? 1 : 0;
            pairChanges[1] += (first || previous / 60000 != ms / 60000) ? 1 : 0;
            pairChanges[2] += (first || previous / 1000 != ms / 1000) ? 1 : 0;
            ticksInAlarmMinute += (ms >= alarmMinute * 1000 && ms < alarmMinute * 1000 + 60000);

            nowSeconds = ms / 1000;
            clockTick(c, core, state.services.nowMs() / 1000, offset);
            keyTimer(c, keys, ms + TickMs);
            keyTicks += TickMs / KeyTickMs;

            if (k + 1 == HourTicks) {
                heapAfterFirstHour = allocatedBytes();
            } else if ((k + 1) % HourTicks == 0) {
                heapMost = std::max(heapMost, allocatedBytes());
            }
        }

        QCOMPARE(c.wrongDigits, 0);
        for (std::size_t tube = 0; tube < 6; ++tube) {
            QCOMPARE(c.draws[tube], pairChanges[tube / 2]);
        }
        QCOMPARE(c.lampsLit, pairChanges[2]);
        // Ticks closer than a second apart see every second of the day.
        const qint64 lastMs = firstMs + (ticks - 1) * TickMs;
        QCOMPARE(qint64{pairChanges[2]}, lastMs / 1000 - firstMs / 1000 + 1);

        // Rang once, restarted on every tick of its minute, re-armed after it.
        QCOMPARE(c.notices, 1);
        QCOMPARE(ticksInAlarmMinute, 200);
        QCOMPARE(sound.plays, ticksInAlarmMinute);
        QCOMPARE(sound.wrongPaths, 0);
        QCOMPARE(sound.stops, 0);
        QCOMPARE(core.alarmState(), AlarmState::Armed);

        // The first key after KeyPeriod ticks, then every KeyPeriod + 1.
        QCOMPARE(keyTicks, 864000);
        QCOMPARE(keys.sent, 1 + (keyTicks - c.KeyPeriod) / (c.KeyPeriod + 1));
        QCOMPARE(keys.wrongKeys, 0);

        QVERIFY2(heapMost <= heapAfterFirstHour,
                 qPrintable(QStringLiteral("heap grew from %1 to %2 bytes after the first hour")
                                .arg(heapAfterFirstHour)
                                .arg(heapMost)));
        qInfo("heap in use after the first hour: %zu bytes, most later: %zu bytes",
              heapAfterFirstHour, heapMost);
    }
};

QTEST_GUILESS_MAIN(SimulatedDayTest)
#include "tst_SimulatedDay.moc"
