<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BatchTexts</name>
    <message>
        <source>%1 s</source>
        <comment>seconds</comment>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <comment>minutes</comment>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <comment>minutes and seconds</comment>
        <translation>%1 min %2 s</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>und %n weiteres</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Converting %1 of %2: %3, about %4 left</source>
        <translation>Konvertiere %1 von %2: %3, noch etwa %4</translation>
    </message>
    <message>
        <source>Converting %1 of %2: %3</source>
        <translation>Konvertiere %1 von %2: %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture&apos;s name, then why it got no copy, or the image tool&apos;s notes on it.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 Bild</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures</source>
        <translation>
            <numerusform>%n Bild</numerusform>
            <numerusform>%n Bilder</numerusform>
        </translation>
    </message>
    <message>
        <source>its copy %1 is already made from %2 in this run</source>
        <translation>seine Kopie %1 wurde in diesem Durchlauf bereits aus %2 erstellt</translation>
    </message>
    <message>
        <source>cannot write to the output folder: %1</source>
        <translation>in den Ausgabeordner kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>the program&apos;s image tool %1 is missing; reinstall the program</source>
        <translation>das Bildwerkzeug des Programms, %1, fehlt; bitte installieren Sie das Programm neu</translation>
    </message>
    <message>
        <source>the output folder was moved or replaced during the run</source>
        <translation>der Ausgabeordner wurde während des Durchlaufs verschoben oder ersetzt</translation>
    </message>
    <message>
        <source>the image tool wrote no copy</source>
        <translation>das Bildwerkzeug hat keine Kopie geschrieben</translation>
    </message>
    <message>
        <source>the image tool was stopped</source>
        <translation>das Bildwerkzeug wurde abgebrochen</translation>
    </message>
    <message>
        <source>the image tool failed with exit status %1</source>
        <translation>das Bildwerkzeug ist mit dem Exit-Status %1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>the program ended before this picture was done</source>
        <translation>das Programm wurde beendet, bevor dieses Bild fertig war</translation>
    </message>
    <message>
        <source>The folder %1 cannot be listed: %2.</source>
        <translation>Der Ordner %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The copies of the pictures in %1 would go into %2, a folder whose pictures are converted: they would replace the pictures.</source>
        <translation>Die Kopien der Bilder in %1 kämen nach %2, einen Ordner, dessen Bilder konvertiert werden: Sie würden diese Bilder ersetzen.</translation>
    </message>
    <message>
        <source>its name does not end in .jpg, .jpeg, .png, .tif or .tiff</source>
        <translation>sein Name endet nicht auf .jpg, .jpeg, .png, .tif oder .tiff</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is a folder, and only --recursive enters folders</source>
        <translation>es ist ein Ordner, und nur mit --recursive werden Ordner betreten</translation>
    </message>
    <message>
        <source>it is a link to a folder, and links are not followed</source>
        <translation>es ist eine Verknüpfung auf einen Ordner, und Verknüpfungen wird nicht gefolgt</translation>
    </message>
    <message>
        <source>it is the output folder</source>
        <translation>es ist der Ausgabeordner</translation>
    </message>
    <message>
        <source>it is the folder it lies in, or one above that, so entering it would loop</source>
        <translation>es ist der Ordner, in dem es liegt, oder einer darüber; ihn zu betreten, liefe im Kreis</translation>
    </message>
    <message>
        <source>the folder cannot be listed: %1</source>
        <translation>der Ordner kann nicht gelesen werden: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>plenwick: no display to open the window on; to convert without one, give --dpi, --output and a source folder (see plenwick --help)
</source>
        <translation>plenwick: kein Display, auf dem sich das Fenster öffnen ließe; um ohne Display zu konvertieren, geben Sie --dpi, --output und einen Quellordner an (siehe plenwick --help)
</translation>
    </message>
    <message>
        <source>plenwick: cannot create the output folder %1: %2</source>
        <translation>plenwick: der Ausgabeordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Created the output folder %1</source>
        <translation>Ausgabeordner %1 angelegt</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 with a note, %4 failed, %5 not started</source>
        <translation>plenwick: %1 konvertiert (insgesamt %2), %3 mit Hinweis, %4 fehlgeschlagen, %5 nicht begonnen</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 failed, %4 not started</source>
        <translation>plenwick: %1 konvertiert (insgesamt %2), %3 fehlgeschlagen, %4 nicht begonnen</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 with a note, %4 failed</source>
        <translation>plenwick: %1 konvertiert (insgesamt %2), %3 mit Hinweis, %4 fehlgeschlagen</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 failed</source>
        <translation>plenwick: %1 konvertiert (insgesamt %2), %3 fehlgeschlagen</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 failed:
</source>
        <translation>plenwick: %1 fehlgeschlagen (insgesamt %2):
</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 not converted:
</source>
        <translation>plenwick: %1 nicht konvertiert (insgesamt %2):
</translation>
    </message>
    <message>
        <source>%1: note: %2</source>
        <translation>%1: Hinweis: %2</translation>
    </message>
    <message>
        <source>plenwick: interrupted; no further picture started
</source>
        <translation>plenwick: unterbrochen; kein weiteres Bild begonnen
</translation>
    </message>
    <message>
        <source>%1 converted into %2, %3 with a note</source>
        <translation>%1 nach %2 konvertiert, %3 mit Hinweis</translation>
    </message>
    <message>
        <source>%1 converted into %2</source>
        <translation>%1 nach %2 konvertiert</translation>
    </message>
    <message>
        <source>plenwick: %1</source>
        <translation>plenwick: %1</translation>
    </message>
    <message>
        <source>No JPEG, PNG or TIFF picture in %1</source>
        <translation>Kein JPEG-, PNG- oder TIFF-Bild in %1</translation>
    </message>
    <message>
        <source>plenwick: %1
Try &apos;plenwick --help&apos;.
</source>
        <translation>plenwick: %1
Weitere Informationen mit &apos;plenwick --help&apos;.
</translation>
    </message>
    <message>
        <source>the output folder %1 does not exist</source>
        <translation>der Ausgabeordner %1 existiert nicht</translation>
    </message>
    <message>
        <source>the output %1 is not a folder</source>
        <translation>die Ausgabe %1 ist kein Ordner</translation>
    </message>
    <message>
        <source>Resolution to record, 1 to 4000.</source>
        <translation>Einzutragende Auflösung, 1 bis 4000.</translation>
    </message>
    <message>
        <source>Folder that receives the copies; made, with its parents, when missing.</source>
        <translation>Ordner, der die Kopien aufnimmt; wird samt übergeordneten Ordnern angelegt, wenn er fehlt.</translation>
    </message>
    <message>
        <source>Pictures converted at once, 1 to %1 (default: %2).</source>
        <translation>Gleichzeitig konvertierte Bilder, 1 bis %1 (Standard: %2).</translation>
    </message>
    <message>
        <source>--dpi is missing</source>
        <translation>--dpi fehlt</translation>
    </message>
    <message>
        <source>--output is missing</source>
        <translation>--output fehlt</translation>
    </message>
    <message>
        <source>--%1 is given more than once</source>
        <translation>--%1 wurde mehr als einmal angegeben</translation>
    </message>
    <message>
        <source>the resolution must be a whole number from %1 to %2, not &apos;%3&apos;</source>
        <translation>die Auflösung muss eine ganze Zahl von %1 bis %2 sein, nicht &apos;%3&apos;</translation>
    </message>
    <message>
        <source>--jobs must be a whole number from 1 to %1, not &apos;%2&apos;</source>
        <translation>--jobs muss eine ganze Zahl von 1 bis %1 sein, nicht &apos;%2&apos;</translation>
    </message>
    <message>
        <source>the output folder is the source folder %1: the copies would replace the pictures</source>
        <translation>der Ausgabeordner ist der Quellordner %1: die Kopien würden die Bilder ersetzen</translation>
    </message>
    <message>
        <source>%1/%2 %3: not converted: %4</source>
        <translation>%1/%2 %3: nicht konvertiert: %4</translation>
    </message>
    <message>
        <source>not converted: %1</source>
        <translation>nicht konvertiert: %1</translation>
    </message>
    <message>
        <source>Window system plugin, such as xcb or wayland.</source>
        <translation>Fenstersystem-Plugin, etwa xcb oder wayland.</translation>
    </message>
    <message>
        <source>Folder of further window system plugins.</source>
        <translation>Ordner mit weiteren Fenstersystem-Plugins.</translation>
    </message>
    <message>
        <source>Platform theme.</source>
        <translation>Plattform-Design.</translation>
    </message>
    <message>
        <source>Additional plugin to load, such as an input device&apos;s.</source>
        <translation>Zusätzlich zu ladendes Plugin, etwa das eines Eingabegeräts.</translation>
    </message>
    <message>
        <source>X display to open the window on.</source>
        <translation>X-Display, auf dem das Fenster geöffnet wird.</translation>
    </message>
    <message>
        <source>The window&apos;s place and size on X.</source>
        <translation>Position und Größe des Fensters unter X.</translation>
    </message>
    <message>
        <source>The window&apos;s place and size.</source>
        <translation>Position und Größe des Fensters.</translation>
    </message>
    <message>
        <source>The window&apos;s icon.</source>
        <translation>Symbol des Fensters.</translation>
    </message>
    <message>
        <source>The window&apos;s title.</source>
        <translation>Titel des Fensters.</translation>
    </message>
    <message>
        <source>Lays the window out from right to left.</source>
        <translation>Ordnet das Fenster von rechts nach links an.</translation>
    </message>
    <message>
        <source>Session to restore.</source>
        <translation>Wiederherzustellende Sitzung.</translation>
    </message>
    <message>
        <source>Widget style, such as Fusion.</source>
        <translation>Widget-Stil, etwa Fusion.</translation>
    </message>
    <message>
        <source>Style sheet applied to the window.</source>
        <translation>Auf das Fenster angewandtes Stylesheet.</translation>
    </message>
    <message>
        <source>Prints how many widgets were left at the end.</source>
        <translation>Gibt aus, wie viele Widgets am Ende übrig waren.</translation>
    </message>
    <message>
        <source>
Qt&apos;s options for the window, given alone:
</source>
        <translation>
Optionen von Qt für das Fenster, nur ohne weitere Argumente:
</translation>
    </message>
    <message>
        <source>Dry run: %1 would be converted into %2; nothing was changed.</source>
        <translation>Probelauf: %1 würden nach %2 konvertiert; nichts wurde verändert.</translation>
    </message>
    <message>
        <source>
Without arguments, or with only Qt&apos;s options (--help-all), the window opens.
</source>
        <translation>
Ohne Argumente oder nur mit Qt-Optionen (--help-all) öffnet sich das Fenster.
</translation>
    </message>
    <message>
        <source>
Examples:
  plenwick --dpi 300 --output ~/Print ~/Scans
      Copies of the pictures of ~/Scans, recording 300 dpi, into ~/Print.
  plenwick --dpi 300 --output out a.jpg b.tif photos/
      Two pictures and the pictures of a folder, all into out.
  plenwick --recursive --dpi 300 --output ~/Print ~/Photos
      Every subfolder too: ~/Photos/2024/a.jpg becomes ~/Print/2024/a.jpg.
  plenwick --skip-existing --dpi 300 --output ~/Print ~/Scans
      Only the pictures whose copy is not in ~/Print yet.
  plenwick --dry-run --recursive --dpi 300 --output ~/Print ~/Photos
      Lists the copies it would write and the files it would leave alone.
  plenwick --verbose --jobs 2 --dpi 300 --output ~/Print ~/Scans
      Two pictures at once; names every file left alone with its reason.

Links to folders are never followed, and the output folder is never entered.
Files that are not JPEG, PNG or TIFF pictures by their names are left alone and
counted in the summary.
</source>
        <translation>
Beispiele:
  plenwick --dpi 300 --output ~/Print ~/Scans
      Kopien der Bilder aus ~/Scans mit 300 dpi in ~/Print.
  plenwick --dpi 300 --output out a.jpg b.tif photos/
      Zwei Bilder und die Bilder eines Ordners, alle nach out.
  plenwick --recursive --dpi 300 --output ~/Print ~/Photos
      Auch alle Unterordner: aus ~/Photos/2024/a.jpg wird ~/Print/2024/a.jpg.
  plenwick --skip-existing --dpi 300 --output ~/Print ~/Scans
      Nur die Bilder, deren Kopie noch nicht in ~/Print liegt.
  plenwick --dry-run --recursive --dpi 300 --output ~/Print ~/Photos
      Listet die Kopien, die geschrieben, und die Dateien, die übergangen würden.
  plenwick --verbose --jobs 2 --dpi 300 --output ~/Print ~/Scans
      Zwei Bilder gleichzeitig; nennt jede übergangene Datei mit Grund.

Verknüpfungen auf Ordner werden nie verfolgt, der Ausgabeordner wird nie betreten.
Dateien, die ihrem Namen nach keine JPEG-, PNG- oder TIFF-Bilder sind, bleiben
unberührt und werden in der Zusammenfassung gezählt.
</translation>
    </message>
    <message>
        <source>
Exit status: 0 when every picture was converted, 1 when any was not (each is listed
with its reason), 2 when the command line is wrong (nothing is done).
</source>
        <translation>
Exit-Status: 0, wenn jedes Bild konvertiert wurde, 1, wenn eines nicht konvertiert
wurde (jedes wird mit Grund genannt), 2, wenn die Befehlszeile falsch ist (dann
geschieht nichts).
</translation>
    </message>
    <message>
        <source>Writes a copy of every JPEG, PNG and TIFF picture given, or found in a folder given,
into the output folder, recording the resolution given; the pixels stay as they are.</source>
        <translation>Schreibt eine Kopie jedes angegebenen oder in einem angegebenen Ordner gefundenen
JPEG-, PNG- und TIFF-Bildes in den Ausgabeordner und trägt die angegebene Auflösung
ein; die Pixel bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>Converts the pictures of every subfolder too, into the same subfolders of the output folder.</source>
        <translation>Konvertiert auch die Bilder aller Unterordner, in dieselben Unterordner des Ausgabeordners.</translation>
    </message>
    <message>
        <source>Leaves copies that are already there as they are; by default they are replaced.</source>
        <translation>Lässt schon vorhandene Kopien, wie sie sind; sonst werden sie ersetzt.</translation>
    </message>
    <message>
        <source>Prints the copies that would be written and the files left alone, and changes nothing.</source>
        <translation>Nennt die Kopien, die geschrieben, und die Dateien, die übergangen würden, und ändert nichts.</translation>
    </message>
    <message>
        <source>Names every file left alone and every copy kept, with the reason.</source>
        <translation>Nennt jede übergangene Datei und jede behaltene Kopie mit Grund.</translation>
    </message>
    <message>
        <source>Folders holding the pictures, and single pictures; never changed.</source>
        <translation>Ordner mit den Bildern und einzelne Bilder; sie werden nie verändert.</translation>
    </message>
    <message>
        <source>SOURCE is missing</source>
        <translation>SOURCE fehlt</translation>
    </message>
    <message>
        <source>the source %1 does not exist</source>
        <translation>die Quelle %1 existiert nicht</translation>
    </message>
    <message>
        <source>%1 is skipped: its copy %2 is already there.</source>
        <translation>%1 wird übersprungen: seine Kopie %2 ist schon vorhanden.</translation>
    </message>
    <message>
        <source>The folder %1 would be made.</source>
        <translation>Der Ordner %1 würde angelegt.</translation>
    </message>
    <message>
        <source>%1 would not be converted: %2.</source>
        <translation>%1 würde nicht konvertiert: %2.</translation>
    </message>
    <message>
        <source>%1 would be replaced by a copy of %2.</source>
        <translation>%1 würde durch eine Kopie von %2 ersetzt.</translation>
    </message>
    <message>
        <source>%1 would be written from %2.</source>
        <translation>%1 würde aus %2 geschrieben.</translation>
    </message>
    <message>
        <source>A dry run makes no probe file, so copy names are compared with their letter case even where the output folder would take two of them for one.</source>
        <translation>Ein Probelauf legt keine Testdatei an; daher werden Kopienamen mit Groß- und Kleinschreibung verglichen, auch wo der Ausgabeordner zwei davon für einen hielte.</translation>
    </message>
    <message>
        <source>%1 is left alone: %2.</source>
        <translation>%1 wird übergangen: %2.</translation>
    </message>
    <message>
        <source>1 picture was skipped: its copy is already there.</source>
        <translation>1 Bild wurde übersprungen: seine Kopie ist schon vorhanden.</translation>
    </message>
    <message>
        <source>1 file was left alone: its name is not that of a JPEG, PNG or TIFF picture.</source>
        <translation>1 Datei wurde übergangen: ihr Name ist nicht der eines JPEG-, PNG- oder TIFF-Bildes.</translation>
    </message>
    <message>
        <source>1 entry was left alone: it is not a regular file.</source>
        <translation>1 Eintrag wurde übergangen: er ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>1 folder was not entered.</source>
        <translation>1 Ordner wurde nicht betreten.</translation>
    </message>
    <message>
        <source>1 folder could not be listed.</source>
        <translation>1 Ordner konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Run with --verbose to see each with its reason.</source>
        <translation>Mit --verbose wird jeder einzeln mit Grund genannt.</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures were skipped: their copies are already there.</source>
        <translation>
            <numerusform>%n Bild wurde übersprungen: seine Kopie ist schon vorhanden.</numerusform>
            <numerusform>%n Bilder wurden übersprungen: ihre Kopien sind schon vorhanden.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files were left alone: their names are not those of JPEG, PNG or TIFF pictures.</source>
        <translation>
            <numerusform>%n Datei wurde übergangen: ihr Name ist nicht der eines JPEG-, PNG- oder TIFF-Bildes.</numerusform>
            <numerusform>%n Dateien wurden übergangen: ihre Namen sind nicht die von JPEG-, PNG- oder TIFF-Bildern.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries were left alone: they are not regular files.</source>
        <translation>
            <numerusform>%n Eintrag wurde übergangen: er ist keine gewöhnliche Datei.</numerusform>
            <numerusform>%n Einträge wurden übergangen: sie sind keine gewöhnlichen Dateien.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders were not entered.</source>
        <translation>
            <numerusform>%n Ordner wurde nicht betreten.</numerusform>
            <numerusform>%n Ordner wurden nicht betreten.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders could not be listed.</source>
        <translation>
            <numerusform>%n Ordner konnte nicht gelesen werden.</numerusform>
            <numerusform>%n Ordner konnten nicht gelesen werden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Harrowfenpanel</name>
    <message>
        <source>About Plenwick</source>
        <translation>Über Plenwick</translation>
    </message>
    <message>
        <source>Plenwick icon</source>
        <translation>Plenwick-Symbol</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Sets the recorded resolution of every picture in a folder.</source>
        <translation>Setzt die gespeicherte Auflösung aller Bilder eines Ordners.</translation>
    </message>
    <message>
        <source>What Plenwick does</source>
        <translation>Was Plenwick tut</translation>
    </message>
    <message>
        <source>&amp;Show Plenwick in the task bar and its menu bar</source>
        <translation>Plenwick in der Taskleiste und mit Menüleiste an&amp;zeigen</translation>
    </message>
    <message>
        <source>When off, Plenwick&apos;s windows leave the task bar and the main window hides its menu bar</source>
        <translation>Wenn aus, verschwinden die Fenster von Plenwick aus der Taskleiste und das Hauptfenster blendet seine Menüleiste aus</translation>
    </message>
    <message>
        <source>Support &amp;e-mail</source>
        <translation>Support per &amp;E-Mail</translation>
    </message>
    <message>
        <source>Support e-mail</source>
        <translation>Support per E-Mail</translation>
    </message>
    <message>
        <source>Starts an e-mail to Harrowfen&apos;s support with your system&apos;s version filled in</source>
        <translation>Beginnt eine E-Mail an den Support von Harrowfen, in der die Version Ihres Systems schon eingetragen ist</translation>
    </message>
    <message>
        <source>&amp;Feature request…</source>
        <translation>&amp;Funktionswunsch…</translation>
    </message>
    <message>
        <source>Feature request</source>
        <translation>Funktionswunsch</translation>
    </message>
    <message>
        <source>Asks whether to request a feature or to see Harrowfen&apos;s other programs</source>
        <translation>Fragt, ob Sie sich eine Funktion wünschen oder die anderen Programme von Harrowfen sehen möchten</translation>
    </message>
    <message>
        <source>Open at &amp;login…</source>
        <translation>Beim &amp;Anmelden öffnen…</translation>
    </message>
    <message>
        <source>Open at login tips</source>
        <translation>Tipps zum Öffnen beim Anmelden</translation>
    </message>
    <message>
        <source>Shows how to make Plenwick open when you log in</source>
        <translation>Zeigt, wie sich Plenwick beim Anmelden öffnen lässt</translation>
    </message>
    <message>
        <source>S&amp;tore</source>
        <translation>S&amp;tore</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Store</translation>
    </message>
    <message>
        <source>Rate Plenwick or find Harrowfen&apos;s other programs in the store</source>
        <translation>Plenwick im Store bewerten oder die anderen Programme von Harrowfen finden</translation>
    </message>
    <message>
        <source>Open at login, step by step</source>
        <translation>Beim Anmelden öffnen, Schritt für Schritt</translation>
    </message>
    <message>
        <source>Way A: in your desktop&apos;s Startup Applications or Autostart settings, choose Add and pick Plenwick. Way B: make the folder ~/.config/autostart and copy plenwick.desktop from /usr/local/share/applications into it; delete the copy to stop it.</source>
        <translation>Weg A: Wählen Sie in den Einstellungen „Startprogramme“ oder „Autostart“ Ihrer Arbeitsumgebung „Hinzufügen“ und dann Plenwick. Weg B: Legen Sie den Ordner ~/.config/autostart an und kopieren Sie plenwick.desktop aus /usr/local/share/applications hinein; löschen Sie die Kopie, um es wieder abzustellen.</translation>
    </message>
    <message>
        <source>&amp;Apps by Harrowfen</source>
        <translation>&amp;Apps von Harrowfen</translation>
    </message>
    <message>
        <source>Apps by &amp;Harrowfen</source>
        <translation>Apps von &amp;Harrowfen</translation>
    </message>
    <message>
        <source>&amp;Rate Plenwick</source>
        <translation>Plenwick &amp;bewerten</translation>
    </message>
    <message>
        <source>&amp;More by Harrowfen</source>
        <translation>&amp;Mehr von Harrowfen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Plenwick</source>
        <translation>Plenwick</translation>
    </message>
    <message>
        <source>Writes a copy of every JPEG, PNG and TIFF picture of a folder with the resolution you choose. The pixels stay as they are.</source>
        <translation>Schreibt eine Kopie jedes JPEG-, PNG- und TIFF-Bildes eines Ordners mit der gewählten Auflösung. Die Pixel bleiben unverändert.</translation>
    </message>
    <message>
        <source>&amp;Resolution (DPI, 1 to 4000):</source>
        <translation>Auf&amp;lösung (DPI, 1 bis 4000):</translation>
    </message>
    <message>
        <source>A whole number from 1 to 4000, written into every converted picture</source>
        <translation>Eine ganze Zahl von 1 bis 4000, die in jedes konvertierte Bild geschrieben wird</translation>
    </message>
    <message>
        <source>What is &amp;DPI?</source>
        <translation>Was ist &amp;DPI?</translation>
    </message>
    <message>
        <source>What is DPI?</source>
        <translation>Was ist DPI?</translation>
    </message>
    <message>
        <source>Opens a web page that explains dots per inch</source>
        <translation>Öffnet eine Webseite, die Punkte pro Zoll erklärt</translation>
    </message>
    <message>
        <source>Select Destination (output) Folder First</source>
        <translation>Zuerst Zielordner (Ausgabe) wählen</translation>
    </message>
    <message>
        <source>Output folder: chooses the folder that receives the converted copies</source>
        <translation>Ausgabeordner: wählt den Ordner, der die konvertierten Kopien aufnimmt</translation>
    </message>
    <message>
        <source>&amp;Start: choose the source folder</source>
        <translation>&amp;Starten: Quellordner wählen</translation>
    </message>
    <message>
        <source>Asks for the source folder and converts its pictures</source>
        <translation>Fragt nach dem Quellordner und konvertiert seine Bilder</translation>
    </message>
    <message>
        <source>Converting pictures…</source>
        <translation>Bilder werden konvertiert…</translation>
    </message>
    <message>
        <source>Conversion progress</source>
        <translation>Fortschritt der Konvertierung</translation>
    </message>
    <message>
        <source>S&amp;top after the current pictures</source>
        <translation>&amp;Nach den aktuellen Bildern anhalten</translation>
    </message>
    <message>
        <source>Stop after the current pictures</source>
        <translation>Nach den aktuellen Bildern anhalten</translation>
    </message>
    <message>
        <source>Finishes the pictures being converted, starts no other, then ends the run</source>
        <translation>Stellt die Bilder fertig, die gerade konvertiert werden, beginnt keine weiteren und beendet dann den Durchlauf</translation>
    </message>
    <message>
        <source>Startup &amp;Q&amp;&amp;A</source>
        <translation>&amp;Häufige Fragen zum Start</translation>
    </message>
    <message>
        <source>Startup questions and answers: why converted pictures look unchanged</source>
        <translation>Häufige Fragen zum Start: warum konvertierte Bilder unverändert aussehen</translation>
    </message>
    <message>
        <source>&amp;About Plenwick</source>
        <translation>&amp;Über Plenwick</translation>
    </message>
    <message>
        <source>About Plenwick</source>
        <translation>Über Plenwick</translation>
    </message>
    <message>
        <source>Shows the information panel</source>
        <translation>Zeigt das Informationsfenster</translation>
    </message>
    <message>
        <source>&amp;Plenwick</source>
        <translation>&amp;Plenwick</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>Tips for &apos;Auto open at login&apos;</source>
        <translation>Tipps zu „Beim Anmelden automatisch öffnen“</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Verstanden</translation>
    </message>
    <message>
        <source>To save the reserved resource of your macOS under sandbox, we&apos;ve stopped using hidden helper agent on loading &apos;Auto open at login (Auto start)&apos; function from version %1. You can simply make any Mac app auto open at login in two ways:

Method A:
please goto your 
-&gt;System Preferences 
-&gt; Users &amp; Groups 
-&gt; unlock change from left corner
-&gt; select your user name from left column
-&gt; select Login Items tab from right colum
-&gt; click + button to locate and add &apos;%2&apos;
-&gt; lock change from left corner

Method B:
from dock icon of &apos;%2&apos;
-&gt;right click icon then clicking Options
-&gt;select Open at Login
(see attached screenshot for details)</source>
        <translation>Um die reservierten Ressourcen Ihres macOS in der Sandbox zu schonen, verwenden wir seit Version %1 keinen versteckten Hilfsagenten mehr, um die Funktion „Beim Anmelden automatisch öffnen (Autostart)“ zu laden. Sie können jede Mac-App auf zwei Wegen einfach beim Anmelden öffnen lassen:

Methode A:
öffnen Sie 
-&gt;Systemeinstellungen 
-&gt; Benutzer &amp; Gruppen 
-&gt; Änderungen unten links entsperren
-&gt; links Ihren Benutzernamen auswählen
-&gt; rechts den Reiter Anmeldeobjekte auswählen
-&gt; auf die Taste + klicken, um &apos;%2&apos; zu suchen und hinzuzufügen
-&gt; Änderungen unten links wieder sperren

Methode B:
über das Dock-Symbol von &apos;%2&apos;
-&gt;mit der rechten Maustaste auf das Symbol klicken, dann auf Optionen
-&gt;Bei der Anmeldung öffnen auswählen
(Einzelheiten im beigefügten Bildschirmfoto)</translation>
    </message>
    <message>
        <source>Plenwick v%1</source>
        <translation>Plenwick v%1</translation>
    </message>
    <message>
        <source>Need more functions? or have some ideas?</source>
        <translation>Brauchen Sie weitere Funktionen oder haben Sie Ideen?</translation>
    </message>
    <message>
        <source>Plese visit app&apos;s home page and leave your request there. You may also drop us an email or check out all our apps up to now.</source>
        <translation>Bitte besuchen Sie die Homepage der App und hinterlassen Sie dort Ihren Wunsch. Sie können uns auch eine E-Mail schreiben oder sich alle unsere bisherigen Apps ansehen.</translation>
    </message>
    <message>
        <source>feature request</source>
        <translation>Funktion wünschen</translation>
    </message>
    <message>
        <source>more by Harrowfen</source>
        <translation>Mehr von Harrowfen</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Do not show this message again</source>
        <translation>Diese Meldung nicht mehr anzeigen</translation>
    </message>
</context>
<context>
    <name>WindowTexts</name>
    <message>
        <source>Select Destination (output) Folder First</source>
        <translation>Zuerst Zielordner (Ausgabe) wählen</translation>
    </message>
    <message>
        <source>Select Destination (output) Folder</source>
        <translation>Zielordner (Ausgabe) wählen</translation>
    </message>
    <message>
        <source>Select This Folder</source>
        <translation>Diesen Ordner wählen</translation>
    </message>
    <message>
        <source>File Saving Folder Confirmation</source>
        <translation>Bestätigung des Speicherordners</translation>
    </message>
    <message>
        <source>All DPI changed pictures will be copied and saved to this OUTPUT folder:

%1

Please double check the folder is which you selected, depending on the browsing mode you are using, sometimes you have to double clicking the folder and make it displaying in blue.
</source>
        <translation>Alle Bilder mit geänderter DPI werden in diesen AUSGABE-Ordner kopiert und dort gespeichert:

%1

Bitte prüfen Sie genau, ob dies der gewählte Ordner ist. Je nach verwendeter Ansicht müssen Sie den Ordner manchmal doppelt anklicken, damit er blau hervorgehoben wird.
</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Verstanden</translation>
    </message>
    <message>
        <source>Select Source Files Folder</source>
        <translation>Quellordner wählen</translation>
    </message>
    <message>
        <source>Select this picture folder</source>
        <translation>Diesen Bildordner wählen</translation>
    </message>
    <message>
        <source>Overwrite protection Alert</source>
        <translation>Warnung: Überschreibschutz</translation>
    </message>
    <message>
        <source>Input folder can not be the same of your Output folder.
</source>
        <translation>Der Eingabeordner darf nicht Ihr Ausgabeordner sein.
</translation>
    </message>
    <message>
        <source>Startup Q&amp;A</source>
        <translation>Häufige Fragen zum Start</translation>
    </message>
    <message>
        <source>Q: When Plenwick finishes conversion and takes me to the output folder, all the pictures look the same as before.

A: You may not notice the change with your eyes, the app changes the picture&apos;s DPI only. You may click the &apos;Show Inspector&apos; from your app &apos;Preview&apos; before and after convert to see the change of your picture&apos;s DPI.
</source>
        <translation>F: Wenn Plenwick mit der Konvertierung fertig ist und mich zum Ausgabeordner bringt, sehen alle Bilder aus wie vorher.

A: Mit bloßem Auge sehen Sie die Änderung nicht, denn die App ändert nur die DPI des Bildes. Klicken Sie vor und nach der Konvertierung in Ihrer App &apos;Vorschau&apos; auf &apos;Informationen einblenden&apos;, um die geänderte DPI Ihres Bildes zu sehen.
</translation>
    </message>
    <message>
        <source>Some pictures were not converted</source>
        <translation>Einige Bilder wurden nicht konvertiert</translation>
    </message>
    <message>
        <source>%1 of %2 pictures got no copy in the output folder:

%3
</source>
        <translation>Für %1 von %2 Bildern wurde keine Kopie im Ausgabeordner angelegt:

%3
</translation>
    </message>
    <message>
        <source>Some pictures were converted with a note</source>
        <translation>Einige Bilder wurden mit einem Hinweis konvertiert</translation>
    </message>
    <message>
        <source>%1 of %2 pictures got their copy with a note:

%3
</source>
        <translation>Für %1 von %2 Bildern gab es beim Kopieren einen Hinweis:

%3
</translation>
    </message>
    <message>
        <source>Plenwick finished</source>
        <translation>Plenwick ist fertig</translation>
    </message>
    <message>
        <source>1 picture converted.</source>
        <translation>1 Bild konvertiert.</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures converted.</source>
        <translation>
            <numerusform>%n Bild konvertiert.</numerusform>
            <numerusform>%n Bilder konvertiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 picture converted</source>
        <translation>1 Bild konvertiert</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures converted</source>
        <translation>
            <numerusform>%n Bild konvertiert</numerusform>
            <numerusform>%n Bilder konvertiert</numerusform>
        </translation>
    </message>
    <message>
        <source>1 needs attention</source>
        <translation>1 erfordert Aufmerksamkeit</translation>
    </message>
    <message numerus="yes">
        <source>%n need attention</source>
        <translation>
            <numerusform>%n erfordert Aufmerksamkeit</numerusform>
            <numerusform>%n erfordern Aufmerksamkeit</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2.</source>
        <extracomment>The notification&apos;s sentence: how many were converted, then how many need attention.</extracomment>
        <translation>%1, %2.</translation>
    </message>
    <message>
        <source>This cannot be converted</source>
        <translation>Das lässt sich nicht konvertieren</translation>
    </message>
    <message>
        <source>Choose the output folder first, then drop the folder that holds your pictures.
</source>
        <translation>Wählen Sie zuerst den Ausgabeordner und legen Sie dann den Ordner mit Ihren Bildern hier ab.
</translation>
    </message>
    <message>
        <source>Drop one folder at a time: the folder that holds your pictures.
</source>
        <translation>Legen Sie nur einen Ordner auf einmal ab: den Ordner mit Ihren Bildern.
</translation>
    </message>
    <message>
        <source>“%1” is not a folder. Drop the folder that holds your pictures.
</source>
        <translation>„%1“ ist kein Ordner. Legen Sie den Ordner mit Ihren Bildern ab.
</translation>
    </message>
    <message>
        <source>The folder “%1” cannot be read.
</source>
        <translation>Der Ordner „%1“ kann nicht gelesen werden.
</translation>
    </message>
</context>
</TS>
