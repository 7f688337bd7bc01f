<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
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
            <numerusform>y %n más</numerusform>
            <numerusform>y %n más</numerusform>
        </translation>
    </message>
    <message>
        <source>Converting %1 of %2: %3, about %4 left</source>
        <translation>Convirtiendo %1 de %2: %3, quedan unos %4</translation>
    </message>
    <message>
        <source>Converting %1 of %2: %3</source>
        <translation>Convirtiendo %1 de %2: %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture&apos;s name, then why it got no copy, or the image tool&apos;s notes on it.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 imagen</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures</source>
        <translation>
            <numerusform>%n imagen</numerusform>
            <numerusform>%n imágenes</numerusform>
        </translation>
    </message>
    <message>
        <source>its copy %1 is already made from %2 in this run</source>
        <translation>su copia %1 ya se ha creado a partir de %2 en esta ejecución</translation>
    </message>
    <message>
        <source>cannot write to the output folder: %1</source>
        <translation>no se puede escribir en la carpeta de salida: %1</translation>
    </message>
    <message>
        <source>the program&apos;s image tool %1 is missing; reinstall the program</source>
        <translation>falta la herramienta de imagen del programa, %1; vuelva a instalar el programa</translation>
    </message>
    <message>
        <source>the output folder was moved or replaced during the run</source>
        <translation>la carpeta de salida se movió o se reemplazó durante la ejecución</translation>
    </message>
    <message>
        <source>the image tool wrote no copy</source>
        <translation>la herramienta de imagen no escribió ninguna copia</translation>
    </message>
    <message>
        <source>the image tool was stopped</source>
        <translation>la herramienta de imagen se detuvo</translation>
    </message>
    <message>
        <source>the image tool failed with exit status %1</source>
        <translation>la herramienta de imagen falló con el código de salida %1</translation>
    </message>
    <message>
        <source>the program ended before this picture was done</source>
        <translation>el programa terminó antes de completar esta imagen</translation>
    </message>
    <message>
        <source>The folder %1 cannot be listed: %2.</source>
        <translation>No se puede leer el contenido de la carpeta %1: %2.</translation>
    </message>
    <message>
        <source>The copies of the pictures in %1 would go into %2, a folder whose pictures are converted: they would replace the pictures.</source>
        <translation>Las copias de las imágenes de %1 irían a %2, una carpeta cuyas imágenes se convierten: reemplazarían esas imágenes.</translation>
    </message>
    <message>
        <source>its name does not end in .jpg, .jpeg, .png, .tif or .tiff</source>
        <translation>su nombre no termina en .jpg, .jpeg, .png, .tif ni .tiff</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>it is a folder, and only --recursive enters folders</source>
        <translation>es una carpeta, y solo --recursive entra en las carpetas</translation>
    </message>
    <message>
        <source>it is a link to a folder, and links are not followed</source>
        <translation>es un enlace a una carpeta, y los enlaces no se siguen</translation>
    </message>
    <message>
        <source>it is the output folder</source>
        <translation>es la carpeta de salida</translation>
    </message>
    <message>
        <source>it is the folder it lies in, or one above that, so entering it would loop</source>
        <translation>es la carpeta que lo contiene, o una superior: entrar en ella daría vueltas sin fin</translation>
    </message>
    <message>
        <source>the folder cannot be listed: %1</source>
        <translation>no se puede leer el contenido de la carpeta: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>plenwick: no display to open the window on; to convert without one, give --dpi, --output and a source folder (see plenwick --help)
</source>
        <translation>plenwick: no hay ninguna pantalla donde abrir la ventana; para convertir sin ella, indique --dpi, --output y una carpeta de origen (consulte plenwick --help)
</translation>
    </message>
    <message>
        <source>plenwick: cannot create the output folder %1: %2</source>
        <translation>plenwick: no se puede crear la carpeta de salida %1: %2</translation>
    </message>
    <message>
        <source>Created the output folder %1</source>
        <translation>Se ha creado la carpeta de salida %1</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 with a note, %4 failed, %5 not started</source>
        <translation>plenwick: %1 de %2 convertidas; con nota: %3; con error: %4; sin empezar: %5</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 failed, %4 not started</source>
        <translation>plenwick: %1 de %2 convertidas; con error: %3; sin empezar: %4</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 with a note, %4 failed</source>
        <translation>plenwick: %1 de %2 convertidas; con nota: %3; con error: %4</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 failed</source>
        <translation>plenwick: %1 de %2 convertidas; con error: %3</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 failed:
</source>
        <translation>plenwick: %1 de %2 con error:
</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 not converted:
</source>
        <translation>plenwick: %1 de %2 sin convertir:
</translation>
    </message>
    <message>
        <source>%1: note: %2</source>
        <translation>%1: nota: %2</translation>
    </message>
    <message>
        <source>plenwick: interrupted; no further picture started
</source>
        <translation>plenwick: interrumpido; no se ha empezado ninguna imagen más
</translation>
    </message>
    <message>
        <source>%1 converted into %2, %3 with a note</source>
        <translation>Conversión terminada: %1 en %2, %3 con nota</translation>
    </message>
    <message>
        <source>%1 converted into %2</source>
        <translation>Conversión terminada: %1 en %2</translation>
    </message>
    <message>
        <source>plenwick: %1</source>
        <translation>plenwick: %1</translation>
    </message>
    <message>
        <source>No JPEG, PNG or TIFF picture in %1</source>
        <translation>No hay ninguna imagen JPEG, PNG ni TIFF en %1</translation>
    </message>
    <message>
        <source>plenwick: %1
Try &apos;plenwick --help&apos;.
</source>
        <translation>plenwick: %1
Pruebe &apos;plenwick --help&apos;.
</translation>
    </message>
    <message>
        <source>the output folder %1 does not exist</source>
        <translation>la carpeta de salida %1 no existe</translation>
    </message>
    <message>
        <source>the output %1 is not a folder</source>
        <translation>la salida %1 no es una carpeta</translation>
    </message>
    <message>
        <source>Resolution to record, 1 to 4000.</source>
        <translation>Resolución que se registra, de 1 a 4000.</translation>
    </message>
    <message>
        <source>Folder that receives the copies; made, with its parents, when missing.</source>
        <translation>Carpeta que recibe las copias; si no existe, se crea junto con sus carpetas superiores.</translation>
    </message>
    <message>
        <source>Pictures converted at once, 1 to %1 (default: %2).</source>
        <translation>Imágenes convertidas a la vez, de 1 a %1 (predeterminado: %2).</translation>
    </message>
    <message>
        <source>--dpi is missing</source>
        <translation>falta --dpi</translation>
    </message>
    <message>
        <source>--output is missing</source>
        <translation>falta --output</translation>
    </message>
    <message>
        <source>--%1 is given more than once</source>
        <translation>--%1 se ha indicado más de una vez</translation>
    </message>
    <message>
        <source>the resolution must be a whole number from %1 to %2, not &apos;%3&apos;</source>
        <translation>la resolución debe ser un número entero de %1 a %2, no &apos;%3&apos;</translation>
    </message>
    <message>
        <source>--jobs must be a whole number from 1 to %1, not &apos;%2&apos;</source>
        <translation>--jobs debe ser un número entero de 1 a %1, no &apos;%2&apos;</translation>
    </message>
    <message>
        <source>the output folder is the source folder %1: the copies would replace the pictures</source>
        <translation>la carpeta de salida es la carpeta de origen %1: las copias reemplazarían las imágenes</translation>
    </message>
    <message>
        <source>%1/%2 %3: not converted: %4</source>
        <translation>%1/%2 %3: sin convertir: %4</translation>
    </message>
    <message>
        <source>not converted: %1</source>
        <translation>sin convertir: %1</translation>
    </message>
    <message>
        <source>Window system plugin, such as xcb or wayland.</source>
        <translation>Complemento del sistema de ventanas, como xcb o wayland.</translation>
    </message>
    <message>
        <source>Folder of further window system plugins.</source>
        <translation>Carpeta con más complementos del sistema de ventanas.</translation>
    </message>
    <message>
        <source>Platform theme.</source>
        <translation>Tema de la plataforma.</translation>
    </message>
    <message>
        <source>Additional plugin to load, such as an input device&apos;s.</source>
        <translation>Complemento adicional que cargar, como el de un dispositivo de entrada.</translation>
    </message>
    <message>
        <source>X display to open the window on.</source>
        <translation>Pantalla X en la que abrir la ventana.</translation>
    </message>
    <message>
        <source>The window&apos;s place and size on X.</source>
        <translation>Posición y tamaño de la ventana en X.</translation>
    </message>
    <message>
        <source>The window&apos;s place and size.</source>
        <translation>Posición y tamaño de la ventana.</translation>
    </message>
    <message>
        <source>The window&apos;s icon.</source>
        <translation>Icono de la ventana.</translation>
    </message>
    <message>
        <source>The window&apos;s title.</source>
        <translation>Título de la ventana.</translation>
    </message>
    <message>
        <source>Lays the window out from right to left.</source>
        <translation>Distribuye la ventana de derecha a izquierda.</translation>
    </message>
    <message>
        <source>Session to restore.</source>
        <translation>Sesión que restaurar.</translation>
    </message>
    <message>
        <source>Widget style, such as Fusion.</source>
        <translation>Estilo de los widgets, como Fusion.</translation>
    </message>
    <message>
        <source>Style sheet applied to the window.</source>
        <translation>Hoja de estilo aplicada a la ventana.</translation>
    </message>
    <message>
        <source>Prints how many widgets were left at the end.</source>
        <translation>Muestra cuántos widgets quedaban al final.</translation>
    </message>
    <message>
        <source>
Qt&apos;s options for the window, given alone:
</source>
        <translation>
Opciones de Qt para la ventana, sin otros argumentos:
</translation>
    </message>
    <message>
        <source>Dry run: %1 would be converted into %2; nothing was changed.</source>
        <translation>Simulación: se convertirían %1 en %2; no se ha cambiado nada.</translation>
    </message>
    <message>
        <source>
Without arguments, or with only Qt&apos;s options (--help-all), the window opens.
</source>
        <translation>
Sin argumentos, o solo con opciones de Qt (--help-all), se abre la ventana.
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
Ejemplos:
  plenwick --dpi 300 --output ~/Print ~/Scans
      Copias de las imágenes de ~/Scans, a 300 dpi, en ~/Print.
  plenwick --dpi 300 --output out a.jpg b.tif photos/
      Dos imágenes y las imágenes de una carpeta, todas en out.
  plenwick --recursive --dpi 300 --output ~/Print ~/Photos
      También cada subcarpeta: ~/Photos/2024/a.jpg pasa a ~/Print/2024/a.jpg.
  plenwick --skip-existing --dpi 300 --output ~/Print ~/Scans
      Solo las imágenes cuya copia aún no está en ~/Print.
  plenwick --dry-run --recursive --dpi 300 --output ~/Print ~/Photos
      Enumera las copias que escribiría y los archivos que dejaría de lado.
  plenwick --verbose --jobs 2 --dpi 300 --output ~/Print ~/Scans
      Dos imágenes a la vez; nombra cada archivo dejado de lado y el motivo.

Los enlaces a carpetas nunca se siguen, y nunca se entra en la carpeta de salida.
Los archivos que por su nombre no son imágenes JPEG, PNG o TIFF se dejan de lado
y se cuentan en el resumen.
</translation>
    </message>
    <message>
        <source>
Exit status: 0 when every picture was converted, 1 when any was not (each is listed
with its reason), 2 when the command line is wrong (nothing is done).
</source>
        <translation>
Estado de salida: 0 si se convirtieron todas las imágenes, 1 si alguna no (cada una
se indica con su motivo), 2 si la línea de órdenes es incorrecta (no se hace nada).
</translation>
    </message>
    <message>
        <source>Writes a copy of every JPEG, PNG and TIFF picture given, or found in a folder given,
into the output folder, recording the resolution given; the pixels stay as they are.</source>
        <translation>Escribe una copia de cada imagen JPEG, PNG y TIFF indicada, o hallada en una carpeta
indicada, en la carpeta de salida, con la resolución dada; los píxeles no cambian.</translation>
    </message>
    <message>
        <source>Converts the pictures of every subfolder too, into the same subfolders of the output folder.</source>
        <translation>Convierte también las imágenes de cada subcarpeta, en las mismas subcarpetas de la carpeta de salida.</translation>
    </message>
    <message>
        <source>Leaves copies that are already there as they are; by default they are replaced.</source>
        <translation>Deja como están las copias que ya existen; de forma predeterminada se reemplazan.</translation>
    </message>
    <message>
        <source>Prints the copies that would be written and the files left alone, and changes nothing.</source>
        <translation>Muestra las copias que se escribirían y los archivos que se dejarían de lado, sin cambiar nada.</translation>
    </message>
    <message>
        <source>Names every file left alone and every copy kept, with the reason.</source>
        <translation>Nombra cada archivo dejado de lado y cada copia conservada, con el motivo.</translation>
    </message>
    <message>
        <source>Folders holding the pictures, and single pictures; never changed.</source>
        <translation>Carpetas con las imágenes, e imágenes sueltas; nunca se modifican.</translation>
    </message>
    <message>
        <source>SOURCE is missing</source>
        <translation>falta SOURCE</translation>
    </message>
    <message>
        <source>the source %1 does not exist</source>
        <translation>el origen %1 no existe</translation>
    </message>
    <message>
        <source>%1 is skipped: its copy %2 is already there.</source>
        <translation>Se omite %1: su copia %2 ya existe.</translation>
    </message>
    <message>
        <source>The folder %1 would be made.</source>
        <translation>Se crearía la carpeta %1.</translation>
    </message>
    <message>
        <source>%1 would not be converted: %2.</source>
        <translation>%1 no se convertiría: %2.</translation>
    </message>
    <message>
        <source>%1 would be replaced by a copy of %2.</source>
        <translation>%1 se reemplazaría por una copia de %2.</translation>
    </message>
    <message>
        <source>%1 would be written from %2.</source>
        <translation>%1 se escribiría a partir de %2.</translation>
    </message>
    <message>
        <source>A dry run makes no probe file, so copy names are compared with their letter case even where the output folder would take two of them for one.</source>
        <translation>Una simulación no crea ningún archivo de prueba, así que los nombres de las copias se comparan distinguiendo mayúsculas y minúsculas, aun donde la carpeta de salida tomaría dos de ellos por uno.</translation>
    </message>
    <message>
        <source>%1 is left alone: %2.</source>
        <translation>Se deja de lado %1: %2.</translation>
    </message>
    <message>
        <source>1 picture was skipped: its copy is already there.</source>
        <translation>Se omitió 1 imagen: su copia ya existe.</translation>
    </message>
    <message>
        <source>1 file was left alone: its name is not that of a JPEG, PNG or TIFF picture.</source>
        <translation>Se dejó de lado 1 archivo: su nombre no es el de una imagen JPEG, PNG o TIFF.</translation>
    </message>
    <message>
        <source>1 entry was left alone: it is not a regular file.</source>
        <translation>Se dejó de lado 1 entrada: no es un archivo normal.</translation>
    </message>
    <message>
        <source>1 folder was not entered.</source>
        <translation>No se entró en 1 carpeta.</translation>
    </message>
    <message>
        <source>1 folder could not be listed.</source>
        <translation>No se pudo leer el contenido de 1 carpeta.</translation>
    </message>
    <message>
        <source>Run with --verbose to see each with its reason.</source>
        <translation>Use --verbose para ver cada uno con su motivo.</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures were skipped: their copies are already there.</source>
        <translation>
            <numerusform>Se omitió %n imagen: su copia ya existe.</numerusform>
            <numerusform>Se omitieron %n imágenes: sus copias ya existen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files were left alone: their names are not those of JPEG, PNG or TIFF pictures.</source>
        <translation>
            <numerusform>Se dejó de lado %n archivo: su nombre no es el de una imagen JPEG, PNG o TIFF.</numerusform>
            <numerusform>Se dejaron de lado %n archivos: sus nombres no son los de imágenes JPEG, PNG o TIFF.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries were left alone: they are not regular files.</source>
        <translation>
            <numerusform>Se dejó de lado %n entrada: no es un archivo normal.</numerusform>
            <numerusform>Se dejaron de lado %n entradas: no son archivos normales.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders were not entered.</source>
        <translation>
            <numerusform>No se entró en %n carpeta.</numerusform>
            <numerusform>No se entró en %n carpetas.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders could not be listed.</source>
        <translation>
            <numerusform>No se pudo leer el contenido de %n carpeta.</numerusform>
            <numerusform>No se pudo leer el contenido de %n carpetas.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Harrowfenpanel</name>
    <message>
        <source>About Plenwick</source>
        <translation>Acerca de Plenwick</translation>
    </message>
    <message>
        <source>Plenwick icon</source>
        <translation>Icono de Plenwick</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Sets the recorded resolution of every picture in a folder.</source>
        <translation>Establece la resolución registrada de todas las imágenes de una carpeta.</translation>
    </message>
    <message>
        <source>What Plenwick does</source>
        <translation>Qué hace Plenwick</translation>
    </message>
    <message>
        <source>&amp;Show Plenwick in the task bar and its menu bar</source>
        <translation>&amp;Mostrar Plenwick en la barra de tareas y su barra de menús</translation>
    </message>
    <message>
        <source>When off, Plenwick&apos;s windows leave the task bar and the main window hides its menu bar</source>
        <translation>Si se desactiva, las ventanas de Plenwick salen de la barra de tareas y la ventana principal oculta su barra de menús</translation>
    </message>
    <message>
        <source>Support &amp;e-mail</source>
        <translation>Correo de &amp;soporte</translation>
    </message>
    <message>
        <source>Support e-mail</source>
        <translation>Correo de soporte</translation>
    </message>
    <message>
        <source>Starts an e-mail to Harrowfen&apos;s support with your system&apos;s version filled in</source>
        <translation>Empieza un correo al soporte de Harrowfen con la versión de su sistema ya rellenada</translation>
    </message>
    <message>
        <source>&amp;Feature request…</source>
        <translation>Solicitar una &amp;función…</translation>
    </message>
    <message>
        <source>Feature request</source>
        <translation>Solicitar una función</translation>
    </message>
    <message>
        <source>Asks whether to request a feature or to see Harrowfen&apos;s other programs</source>
        <translation>Pregunta si quiere solicitar una función o ver los demás programas de Harrowfen</translation>
    </message>
    <message>
        <source>Open at &amp;login…</source>
        <translation>Abrir al &amp;iniciar sesión…</translation>
    </message>
    <message>
        <source>Open at login tips</source>
        <translation>Consejos para abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Shows how to make Plenwick open when you log in</source>
        <translation>Muestra cómo hacer que Plenwick se abra al iniciar sesión</translation>
    </message>
    <message>
        <source>S&amp;tore</source>
        <translation>&amp;Tienda</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Tienda</translation>
    </message>
    <message>
        <source>Rate Plenwick or find Harrowfen&apos;s other programs in the store</source>
        <translation>Valorar Plenwick o encontrar los demás programas de Harrowfen en la tienda</translation>
    </message>
    <message>
        <source>Open at login, step by step</source>
        <translation>Abrir al iniciar sesión, paso a paso</translation>
    </message>
    <message>
        <source>Way A: in your desktop&apos;s Startup Applications or Autostart settings, choose Add and pick Plenwick. Way B: make the folder ~/.config/autostart and copy plenwick.desktop from /usr/local/share/applications into it; delete the copy to stop it.</source>
        <translation>Forma A: en la configuración de Aplicaciones al inicio o Arranque automático de su escritorio, elija Añadir y seleccione Plenwick. Forma B: cree la carpeta ~/.config/autostart y copie en ella plenwick.desktop desde /usr/local/share/applications; borre la copia para dejar de hacerlo.</translation>
    </message>
    <message>
        <source>&amp;Apps by Harrowfen</source>
        <translation>&amp;Aplicaciones de Harrowfen</translation>
    </message>
    <message>
        <source>Apps by &amp;Harrowfen</source>
        <translation>Aplicaciones de &amp;Harrowfen</translation>
    </message>
    <message>
        <source>&amp;Rate Plenwick</source>
        <translation>&amp;Valorar Plenwick</translation>
    </message>
    <message>
        <source>&amp;More by Harrowfen</source>
        <translation>&amp;Más de Harrowfen</translation>
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
        <translation>Escribe una copia de cada imagen JPEG, PNG y TIFF de una carpeta con la resolución que elija. Los píxeles no cambian.</translation>
    </message>
    <message>
        <source>&amp;Resolution (DPI, 1 to 4000):</source>
        <translation>&amp;Resolución (DPI, de 1 a 4000):</translation>
    </message>
    <message>
        <source>A whole number from 1 to 4000, written into every converted picture</source>
        <translation>Un número entero de 1 a 4000, que se escribe en cada imagen convertida</translation>
    </message>
    <message>
        <source>What is &amp;DPI?</source>
        <translation>¿Qué es &amp;DPI?</translation>
    </message>
    <message>
        <source>What is DPI?</source>
        <translation>¿Qué es DPI?</translation>
    </message>
    <message>
        <source>Opens a web page that explains dots per inch</source>
        <translation>Abre una página web que explica los puntos por pulgada</translation>
    </message>
    <message>
        <source>Select Destination (output) Folder First</source>
        <translation>Elegir primero la carpeta de destino (salida)</translation>
    </message>
    <message>
        <source>Output folder: chooses the folder that receives the converted copies</source>
        <translation>Carpeta de salida: elige la carpeta que recibe las copias convertidas</translation>
    </message>
    <message>
        <source>&amp;Start: choose the source folder</source>
        <translation>&amp;Empezar: elegir la carpeta de origen</translation>
    </message>
    <message>
        <source>Asks for the source folder and converts its pictures</source>
        <translation>Pide la carpeta de origen y convierte sus imágenes</translation>
    </message>
    <message>
        <source>Converting pictures…</source>
        <translation>Convirtiendo imágenes…</translation>
    </message>
    <message>
        <source>Conversion progress</source>
        <translation>Progreso de la conversión</translation>
    </message>
    <message>
        <source>S&amp;top after the current pictures</source>
        <translation>De&amp;tener tras las imágenes en curso</translation>
    </message>
    <message>
        <source>Stop after the current pictures</source>
        <translation>Detener tras las imágenes en curso</translation>
    </message>
    <message>
        <source>Finishes the pictures being converted, starts no other, then ends the run</source>
        <translation>Termina las imágenes que se están convirtiendo, no empieza ninguna más y después finaliza la ejecución</translation>
    </message>
    <message>
        <source>Startup &amp;Q&amp;&amp;A</source>
        <translation>&amp;Preguntas y respuestas de inicio</translation>
    </message>
    <message>
        <source>Startup questions and answers: why converted pictures look unchanged</source>
        <translation>Preguntas y respuestas de inicio: por qué las imágenes convertidas parecen iguales</translation>
    </message>
    <message>
        <source>&amp;About Plenwick</source>
        <translation>&amp;Acerca de Plenwick</translation>
    </message>
    <message>
        <source>About Plenwick</source>
        <translation>Acerca de Plenwick</translation>
    </message>
    <message>
        <source>Shows the information panel</source>
        <translation>Muestra el panel de información</translation>
    </message>
    <message>
        <source>&amp;Plenwick</source>
        <translation>&amp;Plenwick</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>Tips for &apos;Auto open at login&apos;</source>
        <translation>Consejos para «Abrir automáticamente al iniciar sesión»</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Entendido</translation>
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
        <translation>Para ahorrar los recursos reservados de su macOS en el entorno aislado, desde la versión %1 ya no usamos un agente auxiliar oculto para cargar la función «Abrir automáticamente al iniciar sesión (inicio automático)». Puede hacer que cualquier app de Mac se abra al iniciar sesión de dos formas sencillas:

Método A:
abra 
-&gt;Preferencias del Sistema 
-&gt; Usuarios y grupos 
-&gt; desbloquee los cambios en la esquina izquierda
-&gt; seleccione su nombre de usuario en la columna izquierda
-&gt; seleccione la pestaña Ítems de inicio en la columna derecha
-&gt; haga clic en el botón + para buscar y añadir &apos;%2&apos;
-&gt; bloquee los cambios en la esquina izquierda

Método B:
desde el icono de &apos;%2&apos; en el Dock
-&gt;haga clic derecho en el icono y luego en Opciones
-&gt;seleccione Abrir al iniciar sesión
(consulte la captura de pantalla adjunta para más detalles)</translation>
    </message>
    <message>
        <source>Plenwick v%1</source>
        <translation>Plenwick v%1</translation>
    </message>
    <message>
        <source>Need more functions? or have some ideas?</source>
        <translation>¿Necesita más funciones o tiene alguna idea?</translation>
    </message>
    <message>
        <source>Plese visit app&apos;s home page and leave your request there. You may also drop us an email or check out all our apps up to now.</source>
        <translation>Visite la página principal de la app y deje allí su solicitud. También puede escribirnos un correo o ver todas nuestras apps publicadas hasta ahora.</translation>
    </message>
    <message>
        <source>feature request</source>
        <translation>Solicitar una función</translation>
    </message>
    <message>
        <source>more by Harrowfen</source>
        <translation>Más de Harrowfen</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Do not show this message again</source>
        <translation>No volver a mostrar este mensaje</translation>
    </message>
</context>
<context>
    <name>WindowTexts</name>
    <message>
        <source>Select Destination (output) Folder First</source>
        <translation>Elegir primero la carpeta de destino (salida)</translation>
    </message>
    <message>
        <source>Select Destination (output) Folder</source>
        <translation>Elegir la carpeta de destino (salida)</translation>
    </message>
    <message>
        <source>Select This Folder</source>
        <translation>Elegir esta carpeta</translation>
    </message>
    <message>
        <source>File Saving Folder Confirmation</source>
        <translation>Confirmación de la carpeta de guardado</translation>
    </message>
    <message>
        <source>All DPI changed pictures will be copied and saved to this OUTPUT folder:

%1

Please double check the folder is which you selected, depending on the browsing mode you are using, sometimes you have to double clicking the folder and make it displaying in blue.
</source>
        <translation>Todas las imágenes con el DPI cambiado se copiarán y guardarán en esta carpeta de SALIDA:

%1

Compruebe bien que es la carpeta que eligió: según el modo de exploración que use, a veces hay que hacer doble clic en la carpeta para que se muestre en azul.
</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>Entendido</translation>
    </message>
    <message>
        <source>Select Source Files Folder</source>
        <translation>Elegir la carpeta de archivos de origen</translation>
    </message>
    <message>
        <source>Select this picture folder</source>
        <translation>Elegir esta carpeta de imágenes</translation>
    </message>
    <message>
        <source>Overwrite protection Alert</source>
        <translation>Alerta de protección contra sobrescritura</translation>
    </message>
    <message>
        <source>Input folder can not be the same of your Output folder.
</source>
        <translation>La carpeta de entrada no puede ser la misma que su carpeta de salida.
</translation>
    </message>
    <message>
        <source>Startup Q&amp;A</source>
        <translation>Preguntas y respuestas de inicio</translation>
    </message>
    <message>
        <source>Q: When Plenwick finishes conversion and takes me to the output folder, all the pictures look the same as before.

A: You may not notice the change with your eyes, the app changes the picture&apos;s DPI only. You may click the &apos;Show Inspector&apos; from your app &apos;Preview&apos; before and after convert to see the change of your picture&apos;s DPI.
</source>
        <translation>P: Cuando Plenwick termina la conversión y me lleva a la carpeta de salida, todas las imágenes se ven igual que antes.

R: Es posible que no note el cambio a simple vista: la app solo cambia el DPI de la imagen. Puede hacer clic en &apos;Mostrar inspector&apos; en su app &apos;Vista Previa&apos; antes y después de convertir para ver el cambio de DPI de su imagen.
</translation>
    </message>
    <message>
        <source>Some pictures were not converted</source>
        <translation>Algunas imágenes no se convirtieron</translation>
    </message>
    <message>
        <source>%1 of %2 pictures got no copy in the output folder:

%3
</source>
        <translation>%1 de %2 imágenes no recibieron copia en la carpeta de salida:

%3
</translation>
    </message>
    <message>
        <source>Some pictures were converted with a note</source>
        <translation>Algunas imágenes se convirtieron con una nota</translation>
    </message>
    <message>
        <source>%1 of %2 pictures got their copy with a note:

%3
</source>
        <translation>%1 de %2 imágenes recibieron su copia con una nota:

%3
</translation>
    </message>
    <message>
        <source>Plenwick finished</source>
        <translation>Plenwick ha terminado</translation>
    </message>
    <message>
        <source>1 picture converted.</source>
        <translation>1 imagen convertida.</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures converted.</source>
        <translation>
            <numerusform>%n imagen convertida.</numerusform>
            <numerusform>%n imágenes convertidas.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 picture converted</source>
        <translation>1 imagen convertida</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures converted</source>
        <translation>
            <numerusform>%n imagen convertida</numerusform>
            <numerusform>%n imágenes convertidas</numerusform>
        </translation>
    </message>
    <message>
        <source>1 needs attention</source>
        <translation>1 requiere atención</translation>
    </message>
    <message numerus="yes">
        <source>%n need attention</source>
        <translation>
            <numerusform>%n requiere atención</numerusform>
            <numerusform>%n requieren atención</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2.</source>
        <extracomment>The notification&apos;s sentence: how many were converted, then how many need attention.</extracomment>
        <translation>%1, %2.</translation>
    </message>
    <message>
        <source>This cannot be converted</source>
        <translation>Esto no se puede convertir</translation>
    </message>
    <message>
        <source>Choose the output folder first, then drop the folder that holds your pictures.
</source>
        <translation>Elija primero la carpeta de salida y luego suelte la carpeta que contiene sus imágenes.
</translation>
    </message>
    <message>
        <source>Drop one folder at a time: the folder that holds your pictures.
</source>
        <translation>Suelte una sola carpeta cada vez: la que contiene sus imágenes.
</translation>
    </message>
    <message>
        <source>“%1” is not a folder. Drop the folder that holds your pictures.
</source>
        <translation>«%1» no es una carpeta. Suelte la carpeta que contiene sus imágenes.
</translation>
    </message>
    <message>
        <source>The folder “%1” cannot be read.
</source>
        <translation>No se puede leer la carpeta «%1».
</translation>
    </message>
</context>
</TS>
