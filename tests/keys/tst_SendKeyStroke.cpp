#include "keys/KeySender.h"
#include "platform/dummy/DummyKeyInjector.h"

#include <QTest>

using Sent = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Sent)

class TestSendKeyStroke : public QObject
{
    Q_OBJECT
private slots:
    void send_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("accepts");
        QTest::addColumn<Sent>("sent");
        QTest::addColumn<bool>("result");

        QTest::newRow("F9") << 120 << true << Sent{120} << true;
        QTest::newRow("Scroll Lock") << 145 << true << Sent{145} << true;
        QTest::newRow("0 is handed on") << 0 << true << Sent{0} << true;
        QTest::newRow("255 fits") << 255 << true << Sent{255} << true;
        QTest::newRow("256 does not fit") << 256 << true << Sent{} << false;
        QTest::newRow("300") << 300 << true << Sent{} << false;
        QTest::newRow("32767") << 32767 << true << Sent{} << false;
        QTest::newRow("-1") << -1 << true << Sent{} << false;
        QTest::newRow("-32768") << -32768 << true << Sent{} << false;
        QTest::newRow("platform refuses") << 120 << false << Sent{120} << false;
    }
    void send()
    {
        QFETCH(int, code);
        QFETCH(bool, accepts);
        QFETCH(Sent, sent);
        QFETCH(bool, result);

        platform::DummyKeyInjector keys(accepts);
        QCOMPARE(sendKeyStroke(keys, static_cast<std::int16_t>(code)), result);
        QCOMPARE(keys.sentKeys(), sent);
    }
};

QTEST_GUILESS_MAIN(TestSendKeyStroke)
#include "tst_SendKeyStroke.moc"
