// Finding skins in the program's folder and the data folders, listing them
// for the chooser, and telling why a skin cannot be used.
#include "skin/SkinFolders.h"
#include "tests/support/Files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Folders "prog", "user" and "system" under `root`, as start-up orders them.
// `entries` name what to create in them: "user/Blue/" a folder, "user/Blue" a
// file.
QStringList makeFolders(const QString& root, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const QString path = root + u'/' + entry;
        if (entry.endsWith(u'/')) {
            QDir().mkpath(path);
        } else if (!writeFile(path)) {
            qWarning("cannot write %s", qPrintable(path));
        }
    }
    return {root + QStringLiteral("/prog/"), root + QStringLiteral("/user"),
            root + QStringLiteral("/system/")};
}

} // namespace

class SkinFoldersTest : public QObject
{
    Q_OBJECT

private slots:
    void dataFolders()
    {
        QCOMPARE(dataSkinsFolders({"/home/u/.local/share", "/usr/local/share/", "", "/usr/share"}),
                 QStringList({"/home/u/.local/share/glimmora/Skins/",
                              "/usr/local/share/glimmora/Skins/", "/usr/share/glimmora/Skins/"}));
    }

    void lookupAndListing_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("foundIn"); // empty: not found
        QTest::addColumn<QStringList>("listed");

        QTest::newRow("program's own") << QStringList{"prog/Blue/", "user/Retro/"} << "Blue"
                                       << "prog" << QStringList{"Blue", "Retro"};
        QTest::newRow("user's") << QStringList{"prog/Blue/", "user/Retro/"} << "Retro"
                                << "user" << QStringList{"Blue", "Retro"};
        QTest::newRow("system's") << QStringList{"system/Retro/"} << "Retro"
                                  << "system" << QStringList{"Retro"};
        QTest::newRow("program's before user's")
            << QStringList{"user/Blue/", "prog/Blue/", "system/Blue/"} << "Blue"
            << "prog" << QStringList{"Blue"};
        QTest::newRow("user's before system's")
            << QStringList{"system/Blue/", "user/Blue/", "system/alpha/"} << "Blue"
            << "user" << QStringList{"alpha", "Blue"};
        QTest::newRow("a file of that name is no skin")
            << QStringList{"prog/Blue", "system/Blue/"} << "Blue"
            << "system" << QStringList{"Blue"};
        QTest::newRow("misspelt") << QStringList{"prog/Bernstein/"} << "Bernstien"
                                  << "" << QStringList{"Bernstein"};
        QTest::newRow("other letter case")
            << QStringList{"prog/Bernstein/", "user/bernstein/"} << "BERNSTEIN"
            << "" << QStringList{"Bernstein", "bernstein"};
        QTest::newRow("hidden folders") << QStringList{"user/.Blue/"} << ".Blue"
                                        << "user" << QStringList{};
        QTest::newRow("no folders at all") << QStringList{} << "Blue"
                                           << "" << QStringList{};
        QTest::newRow("empty name") << QStringList{"prog/Blue/"} << ""
                                    << "" << QStringList{"Blue"};
    }

    void lookupAndListing()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, name);
        QFETCH(QString, foundIn);
        QFETCH(QStringList, listed);
        QTemporaryDir dir;
        const QStringList folders = makeFolders(dir.path(), entries);
        const QString expected =
            foundIn.isEmpty() ? QString() : dir.path() + u'/' + foundIn + u'/' + name + u'/';
        QCOMPARE(findSkinDir(folders, name), expected);
        QCOMPARE(installedSkins(folders), listed);
    }

    void problems_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("unread");
        QTest::addColumn<QString>("problem"); // with D for the folder

        QTest::newRow("usable") << QStringList{"S/SkinFile.ini"} << QStringList{} << "";
        QTest::newRow("no skin file")
            << QStringList{"S/back.bmp"} << QStringList{} << "no skin file D/S/SkinFile.ini";
        QTest::newRow("skin file is a folder")
            << QStringList{"S/SkinFile.ini/"} << QStringList{} << "no skin file D/S/SkinFile.ini";
        QTest::newRow("a picture missing")
            << QStringList{"S/SkinFile.ini"} << QStringList{"S/back.bmp"}
            << "D/S/back.bmp is missing";
        QTest::newRow("a picture unreadable, the seconds' shared strip missing")
            << QStringList{"S/SkinFile.ini", "S/1.bmp"}
            << QStringList{"S/1.bmp", "S/5.bmp", "S/5.bmp"}
            << "D/S/1.bmp cannot be read, D/S/5.bmp is missing";
    }

    void problems()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, unread);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        makeFolders(dir.path(), entries);
        QStringList pictures;
        for (const QString& picture : unread) {
            pictures.append(dir.path() + u'/' + picture);
        }
        QCOMPARE(skinProblem(dir.path() + QStringLiteral("/S/SkinFile.ini"), pictures),
                 QString(problem).replace(QStringLiteral("D/"), dir.path() + u'/'));
    }
};

QTEST_GUILESS_MAIN(SkinFoldersTest)
#include "tst_SkinFolders.moc"
