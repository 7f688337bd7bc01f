<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
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
            <numerusform>et %n autre</numerusform>
            <numerusform>et %n autres</numerusform>
        </translation>
    </message>
    <message>
        <source>Converting %1 of %2: %3, about %4 left</source>
        <translation>Conversion %1 sur %2 : %3, encore environ %4</translation>
    </message>
    <message>
        <source>Converting %1 of %2: %3</source>
        <translation>Conversion %1 sur %2 : %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture&apos;s name, then why it got no copy, or the image tool&apos;s notes on it.</extracomment>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 image</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures</source>
        <translation>
            <numerusform>%n image</numerusform>
            <numerusform>%n images</numerusform>
        </translation>
    </message>
    <message>
        <source>its copy %1 is already made from %2 in this run</source>
        <translation>sa copie %1 a déjà été créée à partir de %2 lors de cette exécution</translation>
    </message>
    <message>
        <source>cannot write to the output folder: %1</source>
        <translation>impossible d’écrire dans le dossier de sortie : %1</translation>
    </message>
    <message>
        <source>the program&apos;s image tool %1 is missing; reinstall the program</source>
        <translation>l’outil d’image du programme, %1, est introuvable ; réinstallez le programme</translation>
    </message>
    <message>
        <source>the output folder was moved or replaced during the run</source>
        <translation>le dossier de sortie a été déplacé ou remplacé pendant l’exécution</translation>
    </message>
    <message>
        <source>the image tool wrote no copy</source>
        <translation>l’outil d’image n’a écrit aucune copie</translation>
    </message>
    <message>
        <source>the image tool was stopped</source>
        <translation>l’outil d’image a été arrêté</translation>
    </message>
    <message>
        <source>the image tool failed with exit status %1</source>
        <translation>l’outil d’image a échoué avec le code de sortie %1</translation>
    </message>
    <message>
        <source>the program ended before this picture was done</source>
        <translation>le programme s’est arrêté avant la fin de cette image</translation>
    </message>
    <message>
        <source>The folder %1 cannot be listed: %2.</source>
        <translation>Impossible de lire le contenu du dossier %1 : %2.</translation>
    </message>
    <message>
        <source>The copies of the pictures in %1 would go into %2, a folder whose pictures are converted: they would replace the pictures.</source>
        <translation>Les copies des images de %1 iraient dans %2, un dossier dont les images sont converties : elles remplaceraient ces images.</translation>
    </message>
    <message>
        <source>its name does not end in .jpg, .jpeg, .png, .tif or .tiff</source>
        <translation>son nom ne se termine pas par .jpg, .jpeg, .png, .tif ou .tiff</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is a folder, and only --recursive enters folders</source>
        <translation>c’est un dossier, et seul --recursive entre dans les dossiers</translation>
    </message>
    <message>
        <source>it is a link to a folder, and links are not followed</source>
        <translation>c’est un lien vers un dossier, et les liens ne sont pas suivis</translation>
    </message>
    <message>
        <source>it is the output folder</source>
        <translation>c’est le dossier de sortie</translation>
    </message>
    <message>
        <source>it is the folder it lies in, or one above that, so entering it would loop</source>
        <translation>c’est le dossier qui le contient, ou l’un de ceux au-dessus : y entrer tournerait en boucle</translation>
    </message>
    <message>
        <source>the folder cannot be listed: %1</source>
        <translation>impossible de lire le contenu du dossier : %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>plenwick: no display to open the window on; to convert without one, give --dpi, --output and a source folder (see plenwick --help)
</source>
        <translation>plenwick : aucun écran sur lequel ouvrir la fenêtre ; pour convertir sans écran, indiquez --dpi, --output et un dossier source (voir plenwick --help)
</translation>
    </message>
    <message>
        <source>plenwick: cannot create the output folder %1: %2</source>
        <translation>plenwick : impossible de créer le dossier de sortie %1 : %2</translation>
    </message>
    <message>
        <source>Created the output folder %1</source>
        <translation>Dossier de sortie %1 créé</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 with a note, %4 failed, %5 not started</source>
        <translation>plenwick : %1 sur %2 converties ; avec remarque : %3 ; en échec : %4 ; non commencées : %5</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 failed, %4 not started</source>
        <translation>plenwick : %1 sur %2 converties ; en échec : %3 ; non commencées : %4</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 with a note, %4 failed</source>
        <translation>plenwick : %1 sur %2 converties ; avec remarque : %3 ; en échec : %4</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 failed</source>
        <translation>plenwick : %1 sur %2 converties ; en échec : %3</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 failed:
</source>
        <translation>plenwick : %1 sur %2 en échec :
</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 not converted:
</source>
        <translation>plenwick : %1 sur %2 non converties :
</translation>
    </message>
    <message>
        <source>%1: note: %2</source>
        <translation>%1 : remarque : %2</translation>
    </message>
    <message>
        <source>plenwick: interrupted; no further picture started
</source>
        <translation>plenwick : interrompu ; aucune autre image n’a été commencée
</translation>
    </message>
    <message>
        <source>%1 converted into %2, %3 with a note</source>
        <translation>Conversion de %1 dans %2 terminée, dont %3 avec une remarque</translation>
    </message>
    <message>
        <source>%1 converted into %2</source>
        <translation>Conversion de %1 dans %2 terminée</translation>
    </message>
    <message>
        <source>plenwick: %1</source>
        <translation>plenwick : %1</translation>
    </message>
    <message>
        <source>No JPEG, PNG or TIFF picture in %1</source>
        <translation>Aucune image JPEG, PNG ou TIFF dans %1</translation>
    </message>
    <message>
        <source>plenwick: %1
Try &apos;plenwick --help&apos;.
</source>
        <translation>plenwick : %1
Essayez « plenwick --help ».
</translation>
    </message>
    <message>
        <source>the output folder %1 does not exist</source>
        <translation>le dossier de sortie %1 n’existe pas</translation>
    </message>
    <message>
        <source>the output %1 is not a folder</source>
        <translation>la sortie %1 n’est pas un dossier</translation>
    </message>
    <message>
        <source>Resolution to record, 1 to 4000.</source>
        <translation>Résolution à inscrire, de 1 à 4000.</translation>
    </message>
    <message>
        <source>Folder that receives the copies; made, with its parents, when missing.</source>
        <translation>Dossier qui reçoit les copies ; créé, avec ses parents, s’il n’existe pas.</translation>
    </message>
    <message>
        <source>Pictures converted at once, 1 to %1 (default: %2).</source>
        <translation>Images converties simultanément, de 1 à %1 (par défaut : %2).</translation>
    </message>
    <message>
        <source>--dpi is missing</source>
        <translation>--dpi manquant</translation>
    </message>
    <message>
        <source>--output is missing</source>
        <translation>--output manquant</translation>
    </message>
    <message>
        <source>--%1 is given more than once</source>
        <translation>--%1 est indiqué plusieurs fois</translation>
    </message>
    <message>
        <source>the resolution must be a whole number from %1 to %2, not &apos;%3&apos;</source>
        <translation>la résolution doit être un nombre entier de %1 à %2, et non « %3 »</translation>
    </message>
    <message>
        <source>--jobs must be a whole number from 1 to %1, not &apos;%2&apos;</source>
        <translation>--jobs doit être un nombre entier de 1 à %1, et non « %2 »</translation>
    </message>
    <message>
        <source>the output folder is the source folder %1: the copies would replace the pictures</source>
        <translation>le dossier de sortie est le dossier source %1 : les copies remplaceraient les images</translation>
    </message>
    <message>
        <source>%1/%2 %3: not converted: %4</source>
        <translation>%1/%2 %3 : non convertie : %4</translation>
    </message>
    <message>
        <source>not converted: %1</source>
        <translation>non convertie : %1</translation>
    </message>
    <message>
        <source>Window system plugin, such as xcb or wayland.</source>
        <translation>Greffon du système de fenêtres, par exemple xcb ou wayland.</translation>
    </message>
    <message>
        <source>Folder of further window system plugins.</source>
        <translation>Dossier d’autres greffons du système de fenêtres.</translation>
    </message>
    <message>
        <source>Platform theme.</source>
        <translation>Thème de la plateforme.</translation>
    </message>
    <message>
        <source>Additional plugin to load, such as an input device&apos;s.</source>
        <translation>Greffon supplémentaire à charger, par exemple celui d’un périphérique d’entrée.</translation>
    </message>
    <message>
        <source>X display to open the window on.</source>
        <translation>Écran X sur lequel ouvrir la fenêtre.</translation>
    </message>
    <message>
        <source>The window&apos;s place and size on X.</source>
        <translation>Position et taille de la fenêtre sous X.</translation>
    </message>
    <message>
        <source>The window&apos;s place and size.</source>
        <translation>Position et taille de la fenêtre.</translation>
    </message>
    <message>
        <source>The window&apos;s icon.</source>
        <translation>Icône de la fenêtre.</translation>
    </message>
    <message>
        <source>The window&apos;s title.</source>
        <translation>Titre de la fenêtre.</translation>
    </message>
    <message>
        <source>Lays the window out from right to left.</source>
        <translation>Dispose la fenêtre de droite à gauche.</translation>
    </message>
    <message>
        <source>Session to restore.</source>
        <translation>Session à restaurer.</translation>
    </message>
    <message>
        <source>Widget style, such as Fusion.</source>
        <translation>Style des widgets, par exemple Fusion.</translation>
    </message>
    <message>
        <source>Style sheet applied to the window.</source>
        <translation>Feuille de style appliquée à la fenêtre.</translation>
    </message>
    <message>
        <source>Prints how many widgets were left at the end.</source>
        <translation>Affiche le nombre de widgets restants à la fin.</translation>
    </message>
    <message>
        <source>
Qt&apos;s options for the window, given alone:
</source>
        <translation>
Options de Qt pour la fenêtre, sans autre argument :
</translation>
    </message>
    <message>
        <source>Dry run: %1 would be converted into %2; nothing was changed.</source>
        <translation>Essai à blanc : %1 seraient converties dans %2 ; rien n’a été modifié.</translation>
    </message>
    <message>
        <source>
Without arguments, or with only Qt&apos;s options (--help-all), the window opens.
</source>
        <translation>
Sans argument, ou avec les seules options de Qt (--help-all), la fenêtre s’ouvre.
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
Exemples :
  plenwick --dpi 300 --output ~/Print ~/Scans
      Copies des images de ~/Scans, à 300 dpi, dans ~/Print.
  plenwick --dpi 300 --output out a.jpg b.tif photos/
      Deux images et les images d’un dossier, toutes dans out.
  plenwick --recursive --dpi 300 --output ~/Print ~/Photos
      Tous les sous-dossiers aussi : ~/Photos/2024/a.jpg devient ~/Print/2024/a.jpg.
  plenwick --skip-existing --dpi 300 --output ~/Print ~/Scans
      Seulement les images dont la copie n’est pas encore dans ~/Print.
  plenwick --dry-run --recursive --dpi 300 --output ~/Print ~/Photos
      Liste les copies qui seraient écrites et les fichiers laissés de côté.
  plenwick --verbose --jobs 2 --dpi 300 --output ~/Print ~/Scans
      Deux images à la fois ; nomme chaque fichier laissé de côté avec sa raison.

Les liens vers des dossiers ne sont jamais suivis, et le dossier de sortie n’est
jamais parcouru. Les fichiers dont le nom n’est pas celui d’une image JPEG, PNG
ou TIFF sont laissés de côté et comptés dans le résumé.
</translation>
    </message>
    <message>
        <source>
Exit status: 0 when every picture was converted, 1 when any was not (each is listed
with its reason), 2 when the command line is wrong (nothing is done).
</source>
        <translation>
Code de sortie : 0 si toutes les images ont été converties, 1 si l’une ne l’a pas
été (chacune est listée avec sa raison), 2 si la ligne de commande est incorrecte
(rien n’est fait).
</translation>
    </message>
    <message>
        <source>Writes a copy of every JPEG, PNG and TIFF picture given, or found in a folder given,
into the output folder, recording the resolution given; the pixels stay as they are.</source>
        <translation>Écrit une copie de chaque image JPEG, PNG et TIFF indiquée, ou trouvée dans un dossier
indiqué, dans le dossier de sortie, en y inscrivant la résolution donnée ; les pixels
restent tels quels.</translation>
    </message>
    <message>
        <source>Converts the pictures of every subfolder too, into the same subfolders of the output folder.</source>
        <translation>Convertit aussi les images de chaque sous-dossier, dans les mêmes sous-dossiers du dossier de sortie.</translation>
    </message>
    <message>
        <source>Leaves copies that are already there as they are; by default they are replaced.</source>
        <translation>Laisse telles quelles les copies déjà présentes ; par défaut, elles sont remplacées.</translation>
    </message>
    <message>
        <source>Prints the copies that would be written and the files left alone, and changes nothing.</source>
        <translation>Affiche les copies qui seraient écrites et les fichiers laissés de côté, sans rien modifier.</translation>
    </message>
    <message>
        <source>Names every file left alone and every copy kept, with the reason.</source>
        <translation>Nomme chaque fichier laissé de côté et chaque copie conservée, avec la raison.</translation>
    </message>
    <message>
        <source>Folders holding the pictures, and single pictures; never changed.</source>
        <translation>Dossiers contenant les images, et images isolées ; jamais modifiés.</translation>
    </message>
    <message>
        <source>SOURCE is missing</source>
        <translation>SOURCE manquant</translation>
    </message>
    <message>
        <source>the source %1 does not exist</source>
        <translation>la source %1 n’existe pas</translation>
    </message>
    <message>
        <source>%1 is skipped: its copy %2 is already there.</source>
        <translation>%1 est ignorée : sa copie %2 existe déjà.</translation>
    </message>
    <message>
        <source>The folder %1 would be made.</source>
        <translation>Le dossier %1 serait créé.</translation>
    </message>
    <message>
        <source>%1 would not be converted: %2.</source>
        <translation>%1 ne serait pas convertie : %2.</translation>
    </message>
    <message>
        <source>%1 would be replaced by a copy of %2.</source>
        <translation>%1 serait remplacé par une copie de %2.</translation>
    </message>
    <message>
        <source>%1 would be written from %2.</source>
        <translation>%1 serait écrit à partir de %2.</translation>
    </message>
    <message>
        <source>A dry run makes no probe file, so copy names are compared with their letter case even where the output folder would take two of them for one.</source>
        <translation>Un essai à blanc ne crée pas de fichier de test : les noms des copies sont donc comparés en tenant compte de la casse, même là où le dossier de sortie en confondrait deux.</translation>
    </message>
    <message>
        <source>%1 is left alone: %2.</source>
        <translation>%1 est laissé de côté : %2.</translation>
    </message>
    <message>
        <source>1 picture was skipped: its copy is already there.</source>
        <translation>1 image a été ignorée : sa copie existe déjà.</translation>
    </message>
    <message>
        <source>1 file was left alone: its name is not that of a JPEG, PNG or TIFF picture.</source>
        <translation>1 fichier a été laissé de côté : son nom n’est pas celui d’une image JPEG, PNG ou TIFF.</translation>
    </message>
    <message>
        <source>1 entry was left alone: it is not a regular file.</source>
        <translation>1 entrée a été laissée de côté : ce n’est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>1 folder was not entered.</source>
        <translation>1 dossier n’a pas été parcouru.</translation>
    </message>
    <message>
        <source>1 folder could not be listed.</source>
        <translation>Impossible de lire le contenu d’1 dossier.</translation>
    </message>
    <message>
        <source>Run with --verbose to see each with its reason.</source>
        <translation>Relancez avec --verbose pour voir chacun avec sa raison.</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures were skipped: their copies are already there.</source>
        <translation>
            <numerusform>%n image a été ignorée : sa copie existe déjà.</numerusform>
            <numerusform>%n images ont été ignorées : leurs copies existent déjà.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files were left alone: their names are not those of JPEG, PNG or TIFF pictures.</source>
        <translation>
            <numerusform>%n fichier a été laissé de côté : son nom n’est pas celui d’une image JPEG, PNG ou TIFF.</numerusform>
            <numerusform>%n fichiers ont été laissés de côté : leurs noms ne sont pas ceux d’images JPEG, PNG ou TIFF.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries were left alone: they are not regular files.</source>
        <translation>
            <numerusform>%n entrée a été laissée de côté : ce n’est pas un fichier ordinaire.</numerusform>
            <numerusform>%n entrées ont été laissées de côté : ce ne sont pas des fichiers ordinaires.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders were not entered.</source>
        <translation>
            <numerusform>%n dossier n’a pas été parcouru.</numerusform>
            <numerusform>%n dossiers n’ont pas été parcourus.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders could not be listed.</source>
        <translation>
            <numerusform>Impossible de lire le contenu de %n dossier.</numerusform>
            <numerusform>Impossible de lire le contenu de %n dossiers.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Harrowfenpanel</name>
    <message>
        <source>About Plenwick</source>
        <translation>À propos de Plenwick</translation>
    </message>
    <message>
        <source>Plenwick icon</source>
        <translation>Icône de Plenwick</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Sets the recorded resolution of every picture in a folder.</source>
        <translation>Définit la résolution enregistrée de toutes les images d’un dossier.</translation>
    </message>
    <message>
        <source>What Plenwick does</source>
        <translation>Ce que fait Plenwick</translation>
    </message>
    <message>
        <source>&amp;Show Plenwick in the task bar and its menu bar</source>
        <translation>&amp;Afficher Plenwick dans la barre des tâches, avec sa barre de menus</translation>
    </message>
    <message>
        <source>When off, Plenwick&apos;s windows leave the task bar and the main window hides its menu bar</source>
        <translation>Désactivé, les fenêtres de Plenwick quittent la barre des tâches et la fenêtre principale masque sa barre de menus</translation>
    </message>
    <message>
        <source>Support &amp;e-mail</source>
        <translation>&amp;Courriel au support</translation>
    </message>
    <message>
        <source>Support e-mail</source>
        <translation>Courriel au support</translation>
    </message>
    <message>
        <source>Starts an e-mail to Harrowfen&apos;s support with your system&apos;s version filled in</source>
        <translation>Commence un courriel au support de Harrowfen avec la version de votre système déjà indiquée</translation>
    </message>
    <message>
        <source>&amp;Feature request…</source>
        <translation>&amp;Demande de fonctionnalité…</translation>
    </message>
    <message>
        <source>Feature request</source>
        <translation>Demande de fonctionnalité</translation>
    </message>
    <message>
        <source>Asks whether to request a feature or to see Harrowfen&apos;s other programs</source>
        <translation>Demande si vous voulez proposer une fonctionnalité ou voir les autres programmes de Harrowfen</translation>
    </message>
    <message>
        <source>Open at &amp;login…</source>
        <translation>&amp;Ouvrir à la connexion…</translation>
    </message>
    <message>
        <source>Open at login tips</source>
        <translation>Conseils pour ouvrir à la connexion</translation>
    </message>
    <message>
        <source>Shows how to make Plenwick open when you log in</source>
        <translation>Montre comment faire s’ouvrir Plenwick à la connexion</translation>
    </message>
    <message>
        <source>S&amp;tore</source>
        <translation>&amp;Boutique</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Boutique</translation>
    </message>
    <message>
        <source>Rate Plenwick or find Harrowfen&apos;s other programs in the store</source>
        <translation>Évaluer Plenwick ou trouver les autres programmes de Harrowfen dans la boutique</translation>
    </message>
    <message>
        <source>Open at login, step by step</source>
        <translation>Ouvrir à la connexion, pas à pas</translation>
    </message>
    <message>
        <source>Way A: in your desktop&apos;s Startup Applications or Autostart settings, choose Add and pick Plenwick. Way B: make the folder ~/.config/autostart and copy plenwick.desktop from /usr/local/share/applications into it; delete the copy to stop it.</source>
        <translation>Méthode A : dans les réglages « Applications au démarrage » ou « Démarrage automatique » de votre bureau, choisissez Ajouter et sélectionnez Plenwick. Méthode B : créez le dossier ~/.config/autostart et copiez-y plenwick.desktop depuis /usr/local/share/applications ; supprimez la copie pour arrêter.</translation>
    </message>
    <message>
        <source>&amp;Apps by Harrowfen</source>
        <translation>&amp;Applications de Harrowfen</translation>
    </message>
    <message>
        <source>Apps by &amp;Harrowfen</source>
        <translation>Applications de &amp;Harrowfen</translation>
    </message>
    <message>
        <source>&amp;Rate Plenwick</source>
        <translation>É&amp;valuer Plenwick</translation>
    </message>
    <message>
        <source>&amp;More by Harrowfen</source>
        <translation>&amp;Plus de Harrowfen</translation>
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
        <translation>Écrit une copie de chaque image JPEG, PNG et TIFF d’un dossier avec la résolution de votre choix. Les pixels restent inchangés.</translation>
    </message>
    <message>
        <source>&amp;Resolution (DPI, 1 to 4000):</source>
        <translation>&amp;Résolution (DPI, de 1 à 4000) :</translation>
    </message>
    <message>
        <source>A whole number from 1 to 4000, written into every converted picture</source>
        <translation>Un nombre entier de 1 à 4000, inscrit dans chaque image convertie</translation>
    </message>
    <message>
        <source>What is &amp;DPI?</source>
        <translation>Qu’est-ce que le &amp;DPI ?</translation>
    </message>
    <message>
        <source>What is DPI?</source>
        <translation>Qu’est-ce que le DPI ?</translation>
    </message>
    <message>
        <source>Opens a web page that explains dots per inch</source>
        <translation>Ouvre une page web qui explique les points par pouce</translation>
    </message>
    <message>
        <source>Select Destination (output) Folder First</source>
        <translation>Choisir d’abord le dossier de destination (sortie)</translation>
    </message>
    <message>
        <source>Output folder: chooses the folder that receives the converted copies</source>
        <translation>Dossier de sortie : choisit le dossier qui reçoit les copies converties</translation>
    </message>
    <message>
        <source>&amp;Start: choose the source folder</source>
        <translation>&amp;Lancer : choisir le dossier source</translation>
    </message>
    <message>
        <source>Asks for the source folder and converts its pictures</source>
        <translation>Demande le dossier source et convertit ses images</translation>
    </message>
    <message>
        <source>Converting pictures…</source>
        <translation>Conversion des images…</translation>
    </message>
    <message>
        <source>Conversion progress</source>
        <translation>Progression de la conversion</translation>
    </message>
    <message>
        <source>S&amp;top after the current pictures</source>
        <translation>&amp;Arrêter après les images en cours</translation>
    </message>
    <message>
        <source>Stop after the current pictures</source>
        <translation>Arrêter après les images en cours</translation>
    </message>
    <message>
        <source>Finishes the pictures being converted, starts no other, then ends the run</source>
        <translation>Termine les images en cours de conversion, n’en commence aucune autre, puis met fin à l’exécution</translation>
    </message>
    <message>
        <source>Startup &amp;Q&amp;&amp;A</source>
        <translation>&amp;Questions-réponses au démarrage</translation>
    </message>
    <message>
        <source>Startup questions and answers: why converted pictures look unchanged</source>
        <translation>Questions-réponses au démarrage : pourquoi les images converties semblent inchangées</translation>
    </message>
    <message>
        <source>&amp;About Plenwick</source>
        <translation>À &amp;propos de Plenwick</translation>
    </message>
    <message>
        <source>About Plenwick</source>
        <translation>À propos de Plenwick</translation>
    </message>
    <message>
        <source>Shows the information panel</source>
        <translation>Affiche le panneau d’informations</translation>
    </message>
    <message>
        <source>&amp;Plenwick</source>
        <translation>&amp;Plenwick</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>Q&amp;uitter</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>Tips for &apos;Auto open at login&apos;</source>
        <translation>Conseils pour « Ouvrir automatiquement à la connexion »</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Compris</translation>
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
        <translation>Pour économiser les ressources réservées de votre macOS dans le bac à sable, nous n’utilisons plus, depuis la version %1, d’agent d’assistance caché pour la fonction « Ouvrir automatiquement à la connexion (démarrage automatique) ». Vous pouvez faire s’ouvrir n’importe quelle app Mac à la connexion de deux façons simples :

Méthode A :
ouvrez 
-&gt;Préférences Système 
-&gt; Utilisateurs et groupes 
-&gt; déverrouillez les modifications dans le coin gauche
-&gt; sélectionnez votre nom d’utilisateur dans la colonne de gauche
-&gt; sélectionnez l’onglet Ouverture dans la colonne de droite
-&gt; cliquez sur le bouton + pour trouver et ajouter « %2 »
-&gt; verrouillez les modifications dans le coin gauche

Méthode B :
depuis l’icône de « %2 » dans le Dock
-&gt;cliquez sur l’icône avec le bouton droit, puis sur Options
-&gt;sélectionnez Ouvrir avec la session
(voir la capture d’écran jointe pour plus de détails)</translation>
    </message>
    <message>
        <source>Plenwick v%1</source>
        <translation>Plenwick v%1</translation>
    </message>
    <message>
        <source>Need more functions? or have some ideas?</source>
        <translation>Besoin de plus de fonctions ou vous avez des idées ?</translation>
    </message>
    <message>
        <source>Plese visit app&apos;s home page and leave your request there. You may also drop us an email or check out all our apps up to now.</source>
        <translation>Rendez-vous sur la page d’accueil de l’app et laissez-y votre demande. Vous pouvez aussi nous écrire un courriel ou découvrir toutes nos apps parues à ce jour.</translation>
    </message>
    <message>
        <source>feature request</source>
        <translation>Demande de fonctionnalité</translation>
    </message>
    <message>
        <source>more by Harrowfen</source>
        <translation>Plus de Harrowfen</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Do not show this message again</source>
        <translation>Ne plus afficher ce message</translation>
    </message>
</context>
<context>
    <name>WindowTexts</name>
    <message>
        <source>Select Destination (output) Folder First</source>
        <translation>Choisir d’abord le dossier de destination (sortie)</translation>
    </message>
    <message>
        <source>Select Destination (output) Folder</source>
        <translation>Choisir le dossier de destination (sortie)</translation>
    </message>
    <message>
        <source>Select This Folder</source>
        <translation>Choisir ce dossier</translation>
    </message>
    <message>
        <source>File Saving Folder Confirmation</source>
        <translation>Confirmation du dossier d’enregistrement</translation>
    </message>
    <message>
        <source>All DPI changed pictures will be copied and saved to this OUTPUT folder:

%1

Please double check the folder is which you selected, depending on the browsing mode you are using, sometimes you have to double clicking the folder and make it displaying in blue.
</source>
        <translation>Toutes les images dont le DPI a changé seront copiées et enregistrées dans ce dossier de SORTIE :

%1

Vérifiez bien qu’il s’agit du dossier choisi : selon le mode de navigation utilisé, il faut parfois double-cliquer sur le dossier pour qu’il s’affiche en bleu.
</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Compris</translation>
    </message>
    <message>
        <source>Select Source Files Folder</source>
        <translation>Choisir le dossier des fichiers source</translation>
    </message>
    <message>
        <source>Select this picture folder</source>
        <translation>Choisir ce dossier d’images</translation>
    </message>
    <message>
        <source>Overwrite protection Alert</source>
        <translation>Alerte de protection contre l’écrasement</translation>
    </message>
    <message>
        <source>Input folder can not be the same of your Output folder.
</source>
        <translation>Le dossier d’entrée ne peut pas être le même que votre dossier de sortie.
</translation>
    </message>
    <message>
        <source>Startup Q&amp;A</source>
        <translation>Questions-réponses au démarrage</translation>
    </message>
    <message>
        <source>Q: When Plenwick finishes conversion and takes me to the output folder, all the pictures look the same as before.

A: You may not notice the change with your eyes, the app changes the picture&apos;s DPI only. You may click the &apos;Show Inspector&apos; from your app &apos;Preview&apos; before and after convert to see the change of your picture&apos;s DPI.
</source>
        <translation>Q : Quand Plenwick termine la conversion et m’amène au dossier de sortie, toutes les images ont l’air identiques.

R : Le changement ne se voit pas à l’œil nu : l’app ne change que le DPI de l’image. Vous pouvez cliquer sur « Afficher l’inspecteur » dans votre app « Aperçu » avant et après la conversion pour voir le changement de DPI de votre image.
</translation>
    </message>
    <message>
        <source>Some pictures were not converted</source>
        <translation>Certaines images n’ont pas été converties</translation>
    </message>
    <message>
        <source>%1 of %2 pictures got no copy in the output folder:

%3
</source>
        <translation>Images sans copie dans le dossier de sortie : %1 sur %2

%3
</translation>
    </message>
    <message>
        <source>Some pictures were converted with a note</source>
        <translation>Certaines images ont été converties avec une remarque</translation>
    </message>
    <message>
        <source>%1 of %2 pictures got their copy with a note:

%3
</source>
        <translation>Images copiées avec une remarque : %1 sur %2

%3
</translation>
    </message>
    <message>
        <source>Plenwick finished</source>
        <translation>Plenwick a terminé</translation>
    </message>
    <message>
        <source>1 picture converted.</source>
        <translation>1 image convertie.</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures converted.</source>
        <translation>
            <numerusform>%n image convertie.</numerusform>
            <numerusform>%n images converties.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 picture converted</source>
        <translation>1 image convertie</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures converted</source>
        <translation>
            <numerusform>%n image convertie</numerusform>
            <numerusform>%n images converties</numerusform>
        </translation>
    </message>
    <message>
        <source>1 needs attention</source>
        <translation>1 demande votre attention</translation>
    </message>
    <message numerus="yes">
        <source>%n need attention</source>
        <translation>
            <numerusform>%n demande votre attention</numerusform>
            <numerusform>%n demandent votre attention</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2.</source>
        <extracomment>The notification&apos;s sentence: how many were converted, then how many need attention.</extracomment>
        <translation>%1, %2.</translation>
    </message>
    <message>
        <source>This cannot be converted</source>
        <translation>Impossible de convertir cet élément</translation>
    </message>
    <message>
        <source>Choose the output folder first, then drop the folder that holds your pictures.
</source>
        <translation>Choisissez d’abord le dossier de sortie, puis déposez le dossier qui contient vos images.
</translation>
    </message>
    <message>
        <source>Drop one folder at a time: the folder that holds your pictures.
</source>
        <translation>Déposez un seul dossier à la fois : celui qui contient vos images.
</translation>
    </message>
    <message>
        <source>“%1” is not a folder. Drop the folder that holds your pictures.
</source>
        <translation>« %1 » n’est pas un dossier. Déposez le dossier qui contient vos images.
</translation>
    </message>
    <message>
        <source>The folder “%1” cannot be read.
</source>
        <translation>Le dossier « %1 » ne peut pas être lu.
</translation>
    </message>
</context>
</TS>
