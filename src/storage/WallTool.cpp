#include "WallTool.h"

#include "LegacyWall.h"
#include "LegacyWallCheck.h"
#include "WallCsv.h"
#include "WallJson.h"
#include "host/HostServices.h"
#include "host/Pictures.h"
#include "host/TextTools.h"
#include "model/cls_Wall.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>

namespace wq {

namespace {
const char *const HelpText = R"(wandquiz-wall – das Werkzeug für Fragen-Wände des Wandquiz

Aufruf:
  wandquiz-wall dump DATEI
      Liest die Wand wie das Spiel und gibt sie als JSON aus.
      Exit-Status 0: gelesen, 1: nicht (ganz) gelesen.
  wandquiz-wall convert [--embed-pictures] [--images ORDNER] [--about DATEI]
                        EIN AUS
      Liest eine Wand (.frg, .lx-wqz oder .csv) und schreibt sie als
      Paketdatei (.lx-wqz) oder als Tabelle (.csv); die Endungen bestimmen
      die Formate. --embed-pictures bettet die Bilddateien in die Wand ein,
      so dass sie ohne den Bilderordner auf jeden Rechner mitgenommen werden
      kann. --about liest Titel, Autor, Zielgruppe, Schwierigkeit und
      Beschreibung aus einer Textdatei (UTF-8) mit Zeilen "Titel: …",
      "Autor: …", "Zielgruppe: …", "Schwierigkeit: 2", "Beschreibung: …"
      (mehrere Beschreibungszeilen werden zu Absätzen).
      Exit-Status 0 nur, wenn Lesen und Schreiben gelangen; zu einer
      abgewiesenen Tabelle nennt die Meldung Zeile und Spalte.
  wandquiz-wall check [--images ORDNER] DATEI
      Prüft eine handgeschriebene Wand und nennt mit Zeilennummern, was sie
      anders spielen lässt als gemeint.
      Exit-Status 0: in Ordnung, 1: Warnungen, 2: Fehler.
  wandquiz-wall --help

Wie Wände gelesen werden
  Das Format wählt die Endung der Datei: .lx-wqz ist eine Paketdatei, .frg
  das Textformat, .csv eine Tabelle (Groß-/Kleinschreibung der Endung egal;
  Tabellen liest und schreibt nur convert). Fehlt die Datei, liest das Spiel
  wie dump die mitgelieferte Wand AUTO.LX-WQZ.

Das Textformat (.frg)
  Zeichensatz: Windows-1252. Eine Datei, die gültiges UTF-8 mit Zeichen
  jenseits von ASCII ist oder mit der UTF-8-Kennung (BOM) beginnt, wird als
  UTF-8 gelesen. Zeilen enden mit CR LF, mit CR allein oder mit LF allein.
  Kopfzeilen "TH:Titel" beginnen die Themen; die ersten vier sind die Spalten
  von links nach rechts. Der Block eines Themas endet mit einer Zeile "@".
  Darin sind leere Zeilen und Zeilen, die mit "/" oder "-" beginnen,
  Kommentare; jede andere Zeile beginnt einen Eintrag aus drei Zeilen: Frage,
  Antwort, Bild. Die ersten fünf Einträge sind die Felder 20 bis 100.
  Markierungen: eine Fragezeile, die mit dem Wort JOKER beginnt (nach
  Leerzeichen, Groß-/Kleinschreibung egal, danach kein Buchstabe und keine
  Ziffer), ergibt ein Joker-Feld. "RISIKO:" vor der Frage ergibt ein
  Risiko-Feld, "AL:" vor Frage oder Antwort richtet sie links aus.
  Eine solche Markierung gilt nur, wenn die Zeile einen Doppelpunkt hat und
  der Text davor genau das Markierungswort ist; eine Zeile ohne Doppelpunkt
  ist nie eine Markierung. Bildzeile: "A:name" zeigt das Bild zur Antwort,
  "B:name" zu Frage und Antwort, ein Name allein nur zur Frage.
  Beim Kürzen gelten Leerzeichen und Tabulatoren als Leerraum.
  Haben zwei der vier Spalten denselben Titel (Groß-/Kleinschreibung egal),
  nimmt jede den nächsten Block mit diesem Titel, statt beide denselben.
  Grenzen: höchstens 100 Kopfzeilen und 1001 Einträge in einem Block.

Tabellen (.csv)
  Für Tabellenkalkulationen wie LibreOffice Calc und Excel. Die erste Zeile
  nennt die Spalten, danach steht jedes Feld in einer Zeile. Die Spalten
  (Reihenfolge und Groß-/Kleinschreibung der Namen egal; Art, Bild und
  Bildmodus dürfen fehlen, weitere Spalten werden übergangen):
    Thema      Titel einer Spalte der Wand; die ersten vier verschiedenen
               Themen (Groß-/Kleinschreibung zählt) sind die Spalten von
               links nach rechts
    Punkte     20, 40, 60, 80 oder 100: die Reihe des Feldes
    Art        Frage, Risiko oder Joker (leer: Frage)
    Frage      die Frage; ein Zeilenumbruch in der Zelle ist ein Umbruch auf
               der Wand, wie "|"
    Antwort    die Antwort, ebenso
    Bild       ein Bildname oder das Bild selbst (siehe Bilder)
    Bildmodus  zur Frage, zur Antwort oder zu beiden (leer: zur Frage)
  Art und Bildmodus ohne Rücksicht auf Groß-/Kleinschreibung. Die Zeilen
  dürfen in jeder Reihenfolge stehen, leere Zeilen zählen nicht. Zu jedem
  der vier Themen gehört genau eine Zeile mit jedem Punktwert; sonst wird
  die Tabelle abgewiesen, und die Meldung nennt Zeile und Spalte.
  Gelesen werden: Trennzeichen ";", "," oder Tabulator (an der Kopfzeile
  erkannt); Zellen in Anführungszeichen mit Trennzeichen, Zeilenumbrüchen
  und verdoppelten Anführungszeichen darin; UTF-8 mit oder ohne Kennung
  (BOM), sonst Windows-1252; Zeilenenden CR LF, CR oder LF. Leerzeichen am
  Rand von Thema, Punkte, Art und Bildmodus zählen nicht. Höchstens 64 MB.
  Geschrieben wird UTF-8 mit Kennung, ";" als Trennzeichen und CR LF, in der
  Reihenfolge der Wand; Bildmodus nur zu Feldern mit Bild. Titel, Autor und
  Beschreibung der Wand stehen nicht in der Tabelle.

Bilder
  Ein Bildname bis 255 Zeichen ist eine Datei im Bilderordner des Programms
  (Leerzeichen am Ende zählen nicht; fehlt der genaue Name, wird er ohne
  Rücksicht auf Groß-/Kleinschreibung gesucht). Ein längerer Text ist das
  Bild selbst: die Bytes der Bilddatei (PNG, JPEG, GIF, BMP) in Base64.

Paketdateien (.lx-wqz)
  Kennung "WQZPACK", Formatversion, Länge und CRC-32-Prüfsumme, dann die
  Werte mit ihrem Typ; Texte sind dort deflate-komprimiert, wo das mindestens
  ein Drittel spart. Jede Länge wird gegen den Rest der Datei geprüft; eine
  beschädigte Datei wird abgewiesen. Ein Kennwort verschlüsselt nicht: es
  geht in die Prüfsumme ein, so dass die Datei nur mit demselben Kennwort
  öffnet (das Spiel benutzt keines). Eine Wand mit weniger als 20 Feldern
  gilt als beschädigt. Dateien werden sicher geschrieben: bis die neue Datei
  vollständig ist, bleibt die alte unverändert.
)";

struct Options {
    QStringList files;
    QString imagesFolder;
    QString about;
    bool embedPictures = false;
    QString unknown;
};

Options parseOptions(const QStringList &arguments, const Host &host)
{
    Options options;
    options.imagesFolder = host.folders->programFolder() + QStringLiteral("images/");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == u"--embed-pictures")
            options.embedPictures = true;
        else if (arg == u"--about" && i + 1 < arguments.size())
            options.about = arguments[++i];
        else if (arg == u"--images" && i + 1 < arguments.size())
            options.imagesFolder = arguments[++i].endsWith(u'/') ? arguments[i] : arguments[i] + u'/';
        else if (arg.startsWith(u"--"))
            options.unknown = arg;
        else
            options.files.append(arg);
    }
    return options;
}

int dump(const QString &file, const Host &host, QTextStream &out)
{
    cls_Wall wall(host);
    const bool loaded = wall.LOAD(file, QString());
    out << wallToJson(wall, loaded);
    return loaded ? 0 : 1;
}

// Sets what a wall says about itself from lines "Titel: …" and the like.
bool readAbout(const QString &path, cls_Wall &wall, QTextStream &err)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text) || file.size() > (1 << 20)) {
        err << "Die Angaben zur Wand lassen sich nicht lesen: " << path << "\n";
        return false;
    }
    QStringList description;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString key = line.section(u':', 0, 0).trimmed();
        const QString value = line.section(u':', 1).trimmed();
        if (key == u"Titel")
            wall.TITLE = value;
        else if (key == u"Autor")
            wall.AUTHOR = value;
        else if (key == u"Zielgruppe")
            wall.TARGETGROUP = value;
        else if (key == u"Schwierigkeit")
            wall.DIFFICULTY = value.toInt();
        else if (key == u"Beschreibung")
            description.append(value);
    }
    if (!description.isEmpty())
        wall.DESCRIPTION = description.join(u'\n');
    return true;
}

// Replaces picture file names by the pictures themselves.
void embedPictures(cls_Wall &wall, const QString &imagesFolder, QTextStream &err)
{
    for (int index = 0; index < cls_Wall::FieldCount; ++index) {
        cls_WallField &field = wall.Item(index, true);
        if (field.IMAGENAME.isEmpty() || pictures::isEmbedded(field.IMAGENAME))
            continue;
        const QString path = pictures::findFile(imagesFolder, text::trimTrailingBlanks(field.IMAGENAME));
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
            err << "Bild nicht gefunden, der Name bleibt stehen: " << field.IMAGENAME << "\n";
            continue;
        }
        field.IMAGENAME = pictures::toText(file.readAll());
    }
}

enum class WallFormat { Package, Legacy, Table, Unknown };

WallFormat formatOf(const QString &path)
{
    const QString kind = text::extension(path).toUpper();
    if (kind == u"LX-WQZ")
        return WallFormat::Package;
    if (kind == u"FRG")
        return WallFormat::Legacy;
    if (kind == u"CSV")
        return WallFormat::Table;
    return WallFormat::Unknown;
}

bool readTable(const QString &path, cls_Wall &wall, QTextStream &err)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "Die Datei lässt sich nicht lesen: " << path << "\n";
        return false;
    }
    // One byte over the limit is enough for the reader to refuse the file.
    const CsvResult result = readWallCsv(file.read(std::min(file.size(), MaxWallCsvSize + 1)), wall);
    if (!result.ok)
        err << path << ": " << result.message << "\n";
    return result.ok;
}

bool writeTable(const QString &path, cls_Wall &wall)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(writeWallCsv(wall)) >= 0 && file.commit();
}

int convert(const Options &options, const Host &host, QTextStream &err)
{
    const QString &in = options.files[0];
    const QString &out = options.files[1];
    const WallFormat from = formatOf(in);
    const WallFormat to = formatOf(out);
    if (from == WallFormat::Unknown) {
        err << "Unbekannte Endung: " << in << " (gelesen werden .frg, .lx-wqz und .csv)\n";
        return 1;
    }
    if (to != WallFormat::Package && to != WallFormat::Table) {
        err << "Unbekannte Endung: " << out << " (geschrieben werden .lx-wqz und .csv)\n";
        return 1;
    }
    if (!host.files->exists(in)) {
        err << "Datei nicht gefunden: " << in << "\n";
        return 1;
    }
    cls_Wall wall(host);
    if (from == WallFormat::Table) {
        if (!readTable(in, wall, err))
            return 1;
    } else if (!wall.LOAD(in, QString())) {
        err << "Die Wand lässt sich nicht lesen: " << in << " (wandquiz-wall check nennt die Gründe)\n";
        return 1;
    }
    if (options.embedPictures)
        embedPictures(wall, options.imagesFolder, err);
    if (!options.about.isEmpty() && !readAbout(options.about, wall, err))
        return 1;
    if (to == WallFormat::Table ? !writeTable(out, wall) : !wall.SAVE(out, QString())) {
        err << "Die Datei lässt sich nicht schreiben: " << out << "\n";
        return 1;
    }
    return 0;
}

int checkPackage(const QString &file, const Host &host, QTextStream &out)
{
    cls_Wall wall(host);
    if (wall.LOAD(file, QString()) && wall.FILENAME == file) {
        out << "Die Paketdatei ist in Ordnung.\n";
        return 0;
    }
    out << "Fehler: Die Paketdatei ist beschädigt oder keine Wandquiz-Datei.\n";
    return 2;
}

int check(const Options &options, const Host &host, QTextStream &out)
{
    const QString &file = options.files[0];
    out << "Prüfe " << file << "\n";
    if (!host.files->exists(file)) {
        out << "Fehler: Die Datei gibt es nicht.\n";
        return 2;
    }
    const QString kind = text::extension(file).toUpper();
    if (kind == u"LX-WQZ")
        return checkPackage(file, host, out);
    QList<CheckFinding> findings;
    if (kind != u"FRG")
        findings.append({CheckFinding::Error, 0,
                         QStringLiteral("Die Endung '.%1' wird nicht gelesen; eine handgeschriebene Wand muss auf "
                                        ".frg enden.").arg(text::extension(file))});
    try {
        findings += checkLegacyWall(readLegacyText(file), options.imagesFolder);
    } catch (const HostError &) {
        findings.append({CheckFinding::Error, 0, QStringLiteral("Die Datei lässt sich nicht lesen.")});
    }
    int errors = 0;
    for (const CheckFinding &finding : findings) {
        out << describeFinding(finding) << "\n";
        errors += finding.severity == CheckFinding::Error;
    }
    const qsizetype warnings = findings.size() - errors;
    if (findings.isEmpty()) {
        out << "In Ordnung: keine Probleme gefunden.\n";
        return 0;
    }
    out << "Ergebnis: " << errors << " Fehler, " << warnings
        << (warnings == 1 ? " Warnung.\n" : " Warnungen.\n");
    return errors > 0 ? 2 : 1;
}
} // namespace

int runWallTool(const QStringList &arguments, const Host &host, QTextStream &out, QTextStream &err)
{
    const QString command = arguments.value(0);
    if (command.isEmpty() || command == u"--help" || command == u"-h" || command == u"help") {
        out << QString::fromUtf8(HelpText);
        return command.isEmpty() ? 2 : 0;
    }
    const Options options = parseOptions(arguments.mid(1), host);
    if (!options.unknown.isEmpty()) {
        err << "Unbekannte Option: " << options.unknown << " (wandquiz-wall --help)\n";
        return 2;
    }
    if (command == u"dump" && options.files.size() == 1)
        return dump(options.files[0], host, out);
    if (command == u"convert" && options.files.size() == 2)
        return convert(options, host, err);
    if (command == u"check" && options.files.size() == 1)
        return check(options, host, out);
    err << "Aufruf nicht verstanden. wandquiz-wall --help zeigt, wie es geht.\n";
    return 2;
}

} // namespace wq
