// The clock window's tick, driven by a test clock, for the benchmark. Run it
// under callgrind (--collect-atstart=no): it collects the tick handler and the
// event processing after it separately, for N ticks of each kind, and dumps
// one profile per phase named after it. Run it plainly and it prints what each
// kind of tick drew and repainted, as JSON on stdout.
//
//   bench-tick [N]
#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "menu/ClockMenu.h"
#include "platform/dummy/DummyKeyInjector.h"
#include "platform/dummy/DummySoundOutput.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <functional>
#include <map>
#include <valgrind/callgrind.h>

namespace {

// 2023-06-01 10:00:00 and 12:59:59 UTC.
constexpr qint64 TenOClock = 1685613600;
constexpr qint64 OneToOne = 1685624399;

class PaintCounter : public QObject
{
public:
    std::map<QObject*, int> paints;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints[watched];
        }
        return false;
    }
};

void settle()
{
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

QString nameOf(const ClockWindow& clock, QObject* w)
{
    for (std::size_t k = 0; k < clock.tubes().size(); ++k) {
        if (w == clock.tubes()[k]) {
            return QStringLiteral("picTube(%1)").arg(k);
        }
    }
    for (std::size_t k = 0; k < clock.lamps().size(); ++k) {
        if (w == clock.lamps()[k]) {
            return QStringLiteral("picLED(%1)").arg(k);
        }
    }
    if (w == clock.face()) {
        return QStringLiteral("picBack");
    }
    if (w == &clock) {
        return QStringLiteral("ClockWindow");
    }
    return QString::fromLatin1(w->metaObject()->className());
}

// One kind of tick: the ticks before it that are not counted (they leave the
// tubes and lamps as a running clock would have them), and the counted tick.
struct Kind
{
    std::function<QList<qint64>(int)> before;
    std::function<qint64(int)> at;
};

struct Bench
{
    ClockWindow& clock;
    qint64& now;
    PaintCounter counter;

    void tick(qint64 instant)
    {
        now = instant;
        clock.tick();
    }

    void prepare(const Kind& kind, int i)
    {
        for (qint64 instant : kind.before(i)) {
            tick(instant);
            settle();
        }
    }

    // What a tick of this kind changes, on average: tubes drawn, lamp
    // pictures set, widgets repainted.
    QJsonObject effects(const Kind& kind, int n)
    {
        int tubes = 0;
        int lamps = 0;
        std::map<QString, int> painted;
        for (int i = 0; i < n; ++i) {
            prepare(kind, i);
            std::array<qint64, 6> tubeKeys{};
            std::array<qint64, 2> lampKeys{};
            for (std::size_t k = 0; k < 6; ++k) {
                tubeKeys[k] = clock.tubes()[k]->image().cacheKey();
            }
            for (std::size_t k = 0; k < 2; ++k) {
                lampKeys[k] = clock.lamps()[k]->image().cacheKey();
            }
            counter.paints.clear();
            tick(kind.at(i));
            settle();
            for (std::size_t k = 0; k < 6; ++k) {
                tubes += tubeKeys[k] != clock.tubes()[k]->image().cacheKey() ? 1 : 0;
            }
            for (std::size_t k = 0; k < 2; ++k) {
                lamps += lampKeys[k] != clock.lamps()[k]->image().cacheKey() ? 1 : 0;
            }
            for (const auto& [w, count] : counter.paints) {
                painted[nameOf(clock, w)] += count;
            }
        }
        QJsonObject paintedPerTick;
        for (const auto& [name, count] : painted) {
            paintedPerTick[name] = double(count) / n;
        }
        return QJsonObject{{QStringLiteral("tubes_per_tick"), double(tubes) / n},
                           {QStringLiteral("lamps_per_tick"), double(lamps) / n},
                           {QStringLiteral("paints_per_tick"), paintedPerTick}};
    }

    // The tick handler alone, then the event processing that follows it.
    void profile(const char* name, const Kind& kind, int n)
    {
        for (int i = 0; i < n; ++i) {
            prepare(kind, i);
            now = kind.at(i);
            CALLGRIND_TOGGLE_COLLECT;
            clock.tick();
            CALLGRIND_TOGGLE_COLLECT;
            settle();
        }
        CALLGRIND_DUMP_STATS_AT((QByteArray(name) + "-tick").constData());
        for (int i = 0; i < n; ++i) {
            prepare(kind, i);
            tick(kind.at(i));
            CALLGRIND_TOGGLE_COLLECT;
            settle();
            CALLGRIND_TOGGLE_COLLECT;
        }
        CALLGRIND_DUMP_STATS_AT((QByteArray(name) + "-paint").constData());
    }
};

} // namespace

int main(int argc, char* argv[])
{
    // A fixed zone, so the instants below show the digits they are meant to.
    qputenv("TZ", "UTC");
    tzset();
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, std::min(50, std::atoi(argv[1]))) : 50;

    platform::DummySoundOutput sound;
    platform::DummyKeyInjector keys;
    qint64 now = TenOClock;
    AppState state(Services{sound, keys, [&now] { return now * 1000; }});
    state.programDir = QCoreApplication::applicationDirPath() + QStringLiteral("/");
    ClockCore core;
    Windows windows(state, core);
    ClockWindow& clock = windows.clock();
    clock.loadFace();
    clock.move(100, 100);
    clock.show();
    windows.menu(); // built now, not by the first tick
    QElapsedTimer waited;
    waited.start();
    while (!(clock.windowHandle() && clock.windowHandle()->isExposed()) &&
           waited.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    clock.tick();
    settle();

    Bench bench{clock, now, {}};
    QList<QWidget*> all = clock.findChildren<QWidget*>();
    all.append(&clock);
    for (QWidget* w : all) {
        w->installEventFilter(&bench.counter);
    }

    // The ticks of a running clock: the first of a new second (seconds tubes
    // and lit lamps), the second of that second (lamps dark), the third
    // (nothing changes), the first of a new hour (every tube), and ten ticks
    // 300 ms apart as they come.
    using List = QList<qint64>;
    const std::map<QString, Kind> kinds{
        {QStringLiteral("seconds"),
         {[](int i) {
              return List{TenOClock + i, TenOClock + i};
          },
          [](int i) { return TenOClock + i + 1; }}},
        {QStringLiteral("dark"),
         {[](int i) { return List{TenOClock + i + 1}; }, [](int i) { return TenOClock + i + 1; }}},
        {QStringLiteral("unchanged"),
         {[](int) {
              return List{TenOClock + 55, TenOClock + 55};
          },
          [](int) { return TenOClock + 55; }}},
        // 12:59:59 and 13:00:00 in turn, each after a dark tick of the other.
        {QStringLiteral("all-six"),
         {[](int i) {
              return List{OneToOne + (i % 2), OneToOne + (i % 2)};
          },
          [](int i) { return OneToOne + 1 - (i % 2); }}},
        {QStringLiteral("as-they-come"),
         {[](int) { return List{}; }, [](int i) { return TenOClock + 120 + (i * 3) / 10; }}},
    };
    QJsonObject out{{QStringLiteral("ticks"), n}};
    for (const auto& [name, kind] : kinds) {
        bench.profile(name.toLatin1().constData(), kind, n);
        out[name] = bench.effects(kind, n);
    }
    std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
    // Ends like the program: at once, without tearing the windows down.
    std::_Exit(0);
}
