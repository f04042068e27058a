// The recording stand-in that other tests use in place of a sound server.
#include "platform/dummy/DummySoundOutput.h"

#include <QTest>

using platform::DummySoundOutput;
using Call = DummySoundOutput::Call;

class TestDummySoundOutput : public QObject
{
    Q_OBJECT

private slots:
    void recordsCallsInOrder();
    void isPlayingFollowsTheLatestCall_data();
    void isPlayingFollowsTheLatestCall();
};

void TestDummySoundOutput::recordsCallsInOrder()
{
    DummySoundOutput sound;
    platform::SoundOutput& output = sound; // used through the interface, as the program does
    output.play("/opt/clock/alarm.wav");
    output.stop();
    output.play("/opt/clock/alarm.wav");
    output.play("/opt/clock/Gong.wav");
    output.stop();

    const QList<Call> expected = {{Call::Kind::Play, "/opt/clock/alarm.wav"},
                                  {Call::Kind::Stop, {}},
                                  {Call::Kind::Play, "/opt/clock/alarm.wav"},
                                  {Call::Kind::Play, "/opt/clock/Gong.wav"},
                                  {Call::Kind::Stop, {}}};
    QCOMPARE(sound.calls(), expected);
    QCOMPARE(sound.playedPaths(),
             QStringList({"/opt/clock/alarm.wav", "/opt/clock/alarm.wav", "/opt/clock/Gong.wav"}));
    QCOMPARE(sound.playCount(), 3);
    QCOMPARE(sound.stopCount(), 2);

    sound.clear();
    QVERIFY(sound.calls().isEmpty());
    QCOMPARE(sound.stopCount(), 0);
    QVERIFY(!sound.isPlaying());
}

void TestDummySoundOutput::isPlayingFollowsTheLatestCall_data()
{
    QTest::addColumn<QString>("calls"); // p = play, s = stop
    QTest::addColumn<bool>("playing");
    QTest::newRow("nothing") << "" << false;
    QTest::newRow("play") << "p" << true;
    QTest::newRow("play stop") << "ps" << false;
    QTest::newRow("stop play") << "sp" << true;
    QTest::newRow("play play stop stop") << "ppss" << false;
}

void TestDummySoundOutput::isPlayingFollowsTheLatestCall()
{
    QFETCH(QString, calls);
    QFETCH(bool, playing);
    DummySoundOutput sound;
    for (QChar c : calls) {
        if (c == 'p') {
            sound.play("a.wav");
        } else {
            sound.stop();
        }
    }
    QCOMPARE(sound.isPlaying(), playing);
    QCOMPARE(sound.playCount() + sound.stopCount(), int(calls.size()));
}

QTEST_GUILESS_MAIN(TestDummySoundOutput)
#include "tst_dummy_sound_output.moc"
