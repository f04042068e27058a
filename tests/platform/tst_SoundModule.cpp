// The sound module as the clock finds it in modules/: whatever lies there,
// the first play returns at once, an unusable module is said once in the
// sound category, and a usable one plays what was asked while it loaded.
#include "platform/sound/SoundModule.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

int noSoundMessages = 0;

void countNoSound(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    if (qstrcmp(context.category, "glimmora.sound") == 0 && text.startsWith("no sound:")) {
        ++noSoundMessages;
    }
}

} // namespace

class SoundModuleTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("glimmora.sound.warning=true"));
        qInstallMessageHandler(countNoSound);
    }

    void playsTwice_data()
    {
        QTest::addColumn<QString>("module");
        QTest::addColumn<bool>("plays");
        QTest::newRow("missing") << "" << false;
        QTest::newRow("FIFO") << "fifo" << false;
        QTest::newRow("a folder") << "folder" << false;
        QTest::newRow("entry point exported as data") << FAKE_DATA_MODULE << false;
        QTest::newRow("usable module") << FAKE_MODULE << true;
    }

    void playsTwice()
    {
        QFETCH(QString, module);
        QFETCH(bool, plays);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("glimmora-sound.so"));
        if (module == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (module == QLatin1String("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("glimmora-sound.so")));
        } else if (!module.isEmpty()) {
            QVERIFY(QFile::copy(module, file));
        }
        const QString wav = dir.filePath(QStringLiteral("alarm.wav"));
        noSoundMessages = 0;
        const auto output = platform::makeDeferredSoundOutput(file);
        QElapsedTimer took;
        took.start();
        output->play(wav);
        QVERIFY2(took.elapsed() < 200, "the first play waited for the module");
        if (plays) {
            QTRY_VERIFY(QFile::exists(wav + ".played"));
            QVERIFY(QFile::remove(wav + ".played"));
            output->play(wav);
            QVERIFY(QFile::exists(wav + ".played"));
            QCOMPARE(noSoundMessages, 0);
        } else {
            QTRY_COMPARE(noSoundMessages, 1);
            // The next tick of the alarm minute.
            output->play(wav);
            QTest::qWait(100);
            QCOMPARE(noSoundMessages, 1);
        }
    }

    void stopWhileLoadingPlaysNothing()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("glimmora-sound.so"));
        QVERIFY(QFile::copy(QStringLiteral(FAKE_MODULE), file));
        const QString wav = dir.filePath(QStringLiteral("alarm.wav"));
        const auto output = platform::makeDeferredSoundOutput(file);
        output->play(wav);
        output->stop();
        output->play(dir.filePath(QStringLiteral("second.wav")));
        QTRY_VERIFY(QFile::exists(dir.filePath(QStringLiteral("second.wav.played"))));
        QVERIFY(!QFile::exists(wav + ".played"));
    }
};

QTEST_GUILESS_MAIN(SoundModuleTest)
#include "tst_SoundModule.moc"
