#include "tests/support/DialogTestSupport.h"

#include "app/Windows.h"
#include "controls/WindowHelpers.h"
#include "skin/SkinFolders.h"
#include "skin/SkinChooser.h"
#include "tests/support/Files.h"
#include "tests/support/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Message = QStringLiteral("Beim nächsten Start wird der Skin geladen.");

void makeDirs(const QString& root, const QStringList& names)
{
    for (const QString& name : names) {
        QVERIFY(QDir().mkpath(root + name));
    }
}

QStringList entries(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out.append(list->item(i)->text());
    }
    return out;
}

} // namespace

class TestFrmSkins : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlacedFixture> m_t;

    AppState& state() { return m_t->state; }
    ClockCore& core() { return m_t->core; }
    Windows& windows() { return m_t->windows; }
    QString skinsDir() const { return m_t->state.skinsDir; }

    SkinChooser* open()
    {
        windows().showSkins();
        SkinChooser* w = windows().skins();
        if (w) {
            (void)QTest::qWaitForWindowExposed(w);
        }
        return w;
    }

    // A double-click on the list at `pos` (viewport coordinates).
    static void doubleClick(SkinChooser* w, QPoint pos)
    {
        realDoubleClick(w->skinList()->viewport(), pos);
    }

    static QPoint centreOf(SkinChooser* w, int row)
    {
        return w->skinList()->visualItemRect(w->skinList()->item(row)).center();
    }

private slots:
    void init()
    {
        m_t = std::make_unique<PlacedFixture>();
        m_t->writer.followChanges();
        QVERIFY(m_t->dir.isValid());
        QVERIFY(QDir().mkpath(skinsDir()));
    }

    void cleanup() { m_t.reset(); }

    void installedSkins_data()
    {
        QTest::addColumn<QStringList>("dirs");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected");

        const QStringList none;
        QTest::newRow("two skins")
            << QStringList{"Retro", "Blue"} << none << QStringList{"Blue", "Retro"};
        QTest::newRow("hidden folder left out")
            << QStringList{"Blue", ".git", ".Retro"} << none << QStringList{"Blue"};
        QTest::newRow("files are not skins")
            << QStringList{"Blue"} << QStringList{"readme.txt", "SkinFile.ini", ".hidden"}
            << QStringList{"Blue"};
        QTest::newRow("only immediate sub-directories")
            << QStringList{"Blue/parts", "Retro/a/b"} << none << QStringList{"Blue", "Retro"};
        QTest::newRow("letter case does not split the order")
            << QStringList{"beta", "Alpha", "gamma", "Delta"} << none
            << QStringList{"Alpha", "beta", "Delta", "gamma"};
        QTest::newRow("names with blanks and umlauts")
            << QStringList{"Grün Retro", "Nacht 2"} << none << QStringList{"Grün Retro", "Nacht 2"};
        QTest::newRow("empty") << none << none << none;
    }
    void installedSkins()
    {
        QFETCH(QStringList, dirs);
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        makeDirs(skinsDir(), dirs);
        for (const QString& f : files) {
            QVERIFY(writeFile(skinsDir() + f));
        }
        QCOMPARE(::installedSkins({skinsDir()}), expected);
        // The same without the trailing separator.
        QCOMPARE(::installedSkins({m_t->dir.path() + QStringLiteral("/Skins")}), expected);
    }

    void missingDirectoryGivesNoSkins()
    {
        QVERIFY(::installedSkins({m_t->dir.path() + QStringLiteral("/nowhere/")}).isEmpty());
        QVERIFY(::installedSkins({QString()}).isEmpty());
    }

    // A symbolic link to a skin folder is a skin; one to a file is not.
    void linksCountLikeTheirTargets()
    {
        makeDirs(m_t->dir.path() + QStringLiteral("/elsewhere/"), {"Night"});
        QVERIFY(writeFile(m_t->dir.path() + QStringLiteral("/plain.txt")));
        QVERIFY(QFile::link(m_t->dir.path() + QStringLiteral("/elsewhere/Night"),
                            skinsDir() + QStringLiteral("Night")));
        QVERIFY(QFile::link(m_t->dir.path() + QStringLiteral("/plain.txt"),
                            skinsDir() + QStringLiteral("Paper")));
        QCOMPARE(::installedSkins({skinsDir()}), QStringList{"Night"});
    }

    void windowLayout()
    {
        SkinChooser* w = open();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Skins"));
        QVERIFY(w->windowFlags().testFlag(Qt::Tool));
        QCOMPARE(w->size(), QSize(147, 210));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->skinList()->geometry(), QRect(4, 8, 137, 196));
        const QFont font = w->skinList()->font();
        QCOMPARE(font.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(font.pointSizeF(), 9.75);
        QVERIFY(font.bold());
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(isTopMost(w));
    }

    void listsTheFoldersWithoutPaths()
    {
        makeDirs(skinsDir(), {"Retro", "Blue", ".cache"});
        QVERIFY(writeFile(skinsDir() + QStringLiteral("notes.txt")));
        SkinChooser* w = open();
        QCOMPARE(entries(w->skinList()), (QStringList{"Blue", "Retro"}));
        QCOMPARE(w->skinList()->selectedItems().size(), 0);
    }

    void doubleClickStoresTheNameAndTells()
    {
        makeDirs(skinsDir(), {"Blue", "Retro"});
        WriteSetting(state(), QStringLiteral("Skin"), QStringLiteral("Blue"));
        core().setSkinName(QStringLiteral("Blue"));
        SkinChooser* w = open();
        MessageBoxWatcher boxes;
        doubleClick(w, centreOf(w, 1));

        QCOMPARE(core().skinName(), QStringLiteral("Retro"));
        QCOMPARE(ReadIni(state().appTitle, QStringLiteral("Skin"), state().settingsFile, "-"),
                 QStringLiteral("Retro"));
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().first().text, Message);
        QCOMPARE(boxes.seen().first().title, state().appTitle);
        QCOMPARE(boxes.seen().first().icon, QMessageBox::Information);
        QCOMPARE(boxes.seen().first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        flushDeletes();
        QVERIFY(!windows().skins());
    }

    // The name is in the file and the dialog is hidden before the message
    // appears; the dialog is not deleted inside the message's own event loop.
    void storedAndClosedBeforeTheMessage()
    {
        makeDirs(skinsDir(), {"Blue"});
        SkinChooser* w = open();
        QByteArray atMessage;
        bool hiddenAtMessage = false;
        bool aliveAtMessage = false;
        MessageBoxWatcher boxes;
        boxes.whileOpen = [&] {
            atMessage = readFile(state().settingsFile);
            aliveAtMessage = !!windows().skins();
            hiddenAtMessage = aliveAtMessage && windows().skins()->isHidden();
        };
        doubleClick(w, centreOf(w, 0));
        QCOMPARE(boxes.seen().size(), 1);
        QVERIFY2(atMessage.contains("Skin=Blue"), atMessage.constData());
        QVERIFY(aliveAtMessage);
        QVERIFY(hiddenAtMessage);
        QVERIFY(!!windows().skins());
        flushDeletes();
        QVERIFY(!windows().skins());
    }

    void noSelectionStoresTheEmptyName()
    {
        makeDirs(skinsDir(), {"Blue", "Retro"});
        WriteSetting(state(), QStringLiteral("Skin"), QStringLiteral("Blue"));
        core().setSkinName(QStringLiteral("Blue"));
        SkinChooser* w = open();
        w->skinList()->clearSelection();
        MessageBoxWatcher boxes;
        // Below the last entry.
        const QPoint empty(20, w->skinList()->viewport()->height() - 5);
        QVERIFY(!w->skinList()->itemAt(empty));
        doubleClick(w, empty);

        QCOMPARE(core().skinName(), QString());
        const QByteArray text = readFile(state().settingsFile);
        QVERIFY2(text.contains("Skin=\n") || text.endsWith("Skin="), text.constData());
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().first().text, Message);
        flushDeletes();
        QVERIFY(!windows().skins());
    }

    void emptyListOnlyCloses()
    {
        WriteSetting(state(), QStringLiteral("Skin"), QStringLiteral("Blue"));
        const QByteArray before = readFile(state().settingsFile);
        core().setSkinName(QStringLiteral("Blue"));
        SkinChooser* w = open();
        QCOMPARE(w->skinList()->count(), 0);
        MessageBoxWatcher boxes;
        doubleClick(w, QPoint(30, 30));
        QCoreApplication::processEvents();

        QCOMPARE(boxes.seen().size(), 0);
        QCOMPARE(core().skinName(), QStringLiteral("Blue"));
        QCOMPARE(readFile(state().settingsFile), before);
        flushDeletes();
        QVERIFY(!windows().skins());
    }

    void missingSkinsFolderGivesAnEmptyList()
    {
        state().skinsDir = m_t->dir.path() + QStringLiteral("/none/");
        SkinChooser* w = open();
        QCOMPARE(w->skinList()->count(), 0);
    }

    // No keyboard handling: Enter, Escape and Space choose nothing and do not
    // close.
    void keysChooseNothing()
    {
        makeDirs(skinsDir(), {"Blue", "Retro"});
        SkinChooser* w = open();
        w->skinList()->setFocus();
        w->skinList()->setCurrentRow(1);
        QVERIFY(w->skinList()->item(1)->isSelected());
        MessageBoxWatcher boxes;
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) {
            QTest::keyClick(w->skinList(), key);
        }
        flushDeletes();
        QCOMPARE(boxes.seen().size(), 0);
        QVERIFY(w->isVisible());
        QCOMPARE(core().skinName(), QString());
        QVERIFY(!QFile::exists(state().settingsFile));
    }

    void closeBoxStoresNothing()
    {
        makeDirs(skinsDir(), {"Blue", "Retro"});
        SkinChooser* w = open();
        w->skinList()->setCurrentRow(0);
        QVERIFY(w->close());
        flushDeletes();
        QVERIFY(!windows().skins());
        QCOMPARE(core().skinName(), QString());
        QVERIFY(!QFile::exists(state().settingsFile));
    }

    // While open the dialog is only brought forward; after closing, the next
    // opening is a new dialog with the current folders.
    void reopeningRebuildsTheList()
    {
        makeDirs(skinsDir(), {"Blue"});
        SkinChooser* first = open();
        makeDirs(skinsDir(), {"Retro"});
        QCOMPARE(open(), first);
        QCOMPARE(entries(first->skinList()), QStringList{"Blue"});

        first->close();
        flushDeletes();
        QVERIFY(!windows().skins());
        SkinChooser* second = open();
        QVERIFY(second);
        QCOMPARE(entries(second->skinList()), (QStringList{"Blue", "Retro"}));
    }
};

QTEST_MAIN(TestFrmSkins)
#include "tst_SkinChooser.moc"
