#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace {

// The options QGuiApplication, QApplication and the X11 platform take out of
// argv themselves, with and without a value.
const char* const QtValueOptions[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "geometry",
    "qwindowtitle",
    "title",
    "qwindowicon",
    "icon",
    "session",
    "style",
    "stylesheet",
    "display",
    "name",
    "visual",
};
const char* const QtFlagOptions[] = {
    "reverse", "testability", "widgetcount", "nograb", "dograb", "qdevel", "qdebug",
};

QString bareName(const QString& arg)
{
    return arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
}

bool isSwitch(const QString& arg)
{
    const QString name = bareName(arg);
    for (const char* flag : QtFlagOptions) {
        if (name == QLatin1String(flag)) {
            return true;
        }
    }
    return QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("v"),
                       QStringLiteral("version")}
        .contains(name);
}

QString versionText()
{
    return QStringLiteral("glimmora %1.%2.%3\n")
        .arg(GLIMMORA_VERSION_MAJOR)
        .arg(GLIMMORA_VERSION_MINOR)
        .arg(GLIMMORA_VERSION_PATCH);
}

QString helpText()
{
    return QStringLiteral("Aufruf: glimmora [Optionen]\n"
                          "Röhrenuhr für den Desktop: sechs leuchtende Ziffernröhren, Wecker,\n"
                          "Standby und Bildschirmschoner-Sperre. Es läuft nur eine Uhr zugleich.\n"
                          "\n"
                          "Optionen:\n"
                          "  -h, --help       zeigt diese Hilfe und endet\n"
                          "  -v, --version    zeigt Programmname und Version und endet\n"
                          "\n"
                          "Qt-Optionen wie -platform NAME, -display ANZEIGE, -style STIL und\n"
                          "-reverse gibt die Uhr an Qt weiter.\n"
                          "\n"
                          "Rückgabewerte:\n"
                          "  0  Uhr beendet, Hilfe oder Version gezeigt, oder die Uhr läuft schon\n"
                          "  1  keine grafische Anzeige oder Plattform, oder Ausgabe nicht möglich\n"
                          "  2  falscher Aufruf (unbekannte Option, Argument ohne Option)\n"
                          "\n"
                          "Bedienung:\n"
                          "  Mit der linken Maustaste wird die Uhr verschoben. Jede andere\n"
                          "  Maustaste (meist die rechte) öffnet das Kontextmenü: „Über...“,\n"
                          "  „StandBy“, „Immer im Vordergrund“, „Alarmzeit einstellen“,\n"
                          "  „Alarm aktivieren“ und „Beenden“ (speichert die Einstellungen).\n"
                          "\n"
                          "Einstellungen (Abschnitt [Marvane Glimmora]):\n"
                          "  glimmora.ini neben dem Programm, wenn dessen Verzeichnis\n"
                          "  beschreibbar ist; sonst, und immer für eine Kopie unter /usr,\n"
                          "  ~/.config/glimmora/glimmora.ini ($XDG_CONFIG_HOME/glimmora/).\n"
                          "\n"
                          "Skins: der Schlüssel Skin=NAME wählt einen, gesucht in dieser\n"
                          "Reihenfolge (leer: eingebautes Aussehen):\n"
                          "  Skins/ im Programmverzeichnis\n"
                          "  ~/.local/share/glimmora/Skins/ ($XDG_DATA_HOME/glimmora/Skins/)\n"
                          "  glimmora/Skins/ in jedem Ordner von $XDG_DATA_DIRS\n"
                          "  (/usr/local/share, /usr/share)\n"
                          "\n"
                          "Mehr: man glimmora\n");
}

QString refusal(const QString& what)
{
    return QStringLiteral("glimmora: %1. Hilfe: glimmora --help\n").arg(what);
}

// The argument as typed for an option name the parser reports without dashes
// and value.
QString typedOption(const QStringList& arguments, const QString& name)
{
    for (const QString& arg : arguments.mid(1)) {
        if (arg == QLatin1String("--")) {
            break;
        }
        const QString bare = arg.section(QLatin1Char('='), 0, 0);
        if (bare.startsWith(QLatin1Char('-')) && bareName(bare) == name) {
            return bare;
        }
    }
    return name;
}

// The other parse errors: a value given to a switch (--help=x), or a value
// missing after the last argument (-platform).
QString misusedOption(const QStringList& arguments)
{
    for (const QString& arg : arguments.mid(1)) {
        const QString bare = arg.section(QLatin1Char('='), 0, 0);
        if (arg.contains(QLatin1Char('=')) && isSwitch(bare)) {
            return bare;
        }
    }
    return arguments.last();
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform), never bundled letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : QtValueOptions) {
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("wert")));
    }
    for (const char* name : QtFlagOptions) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    }

    CommandLine result;
    result.action = CommandLine::Action::Refuse;
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            result.text = refusal(QStringLiteral("unbekannte Option „%1“")
                                      .arg(typedOption(arguments, unknown.first())));
        } else {
            result.text = refusal(
                QStringLiteral("falscher Gebrauch der Option „%1“").arg(misusedOption(arguments)));
        }
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.text = refusal(
            QStringLiteral("unerwartetes Argument „%1“").arg(parser.positionalArguments().first()));
        return result;
    }
    if (parser.isSet(help)) {
        result.action = CommandLine::Action::ShowHelp;
        result.text = helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.action = CommandLine::Action::ShowVersion;
        result.text = versionText();
        return result;
    }
    result.action = CommandLine::Action::Start;
    result.platform = parser.value(QStringLiteral("platform"));
    result.display = parser.value(QStringLiteral("display"));
    result.platformPluginPath = parser.value(QStringLiteral("platformpluginpath"));
    return result;
}
