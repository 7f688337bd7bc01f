<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>BatchTexts</name>
    <message>
        <source>%1 s</source>
        <comment>seconds</comment>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min</source>
        <comment>minutes</comment>
        <translation>%1 分</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <comment>minutes and seconds</comment>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>ほか %n 件</numerusform>
        </translation>
    </message>
    <message>
        <source>Converting %1 of %2: %3, about %4 left</source>
        <translation>%2 枚中 %1 枚目を変換中: %3、残り約 %4</translation>
    </message>
    <message>
        <source>Converting %1 of %2: %3</source>
        <translation>%2 枚中 %1 枚目を変換中: %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A picture&apos;s name, then why it got no copy, or the image tool&apos;s notes on it.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>1 picture</source>
        <translation>1 枚の画像</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures</source>
        <translation>
            <numerusform>%n 枚の画像</numerusform>
        </translation>
    </message>
    <message>
        <source>its copy %1 is already made from %2 in this run</source>
        <translation>コピー %1 はこの実行ですでに %2 から作成されています</translation>
    </message>
    <message>
        <source>cannot write to the output folder: %1</source>
        <translation>出力フォルダーに書き込めません: %1</translation>
    </message>
    <message>
        <source>the program&apos;s image tool %1 is missing; reinstall the program</source>
        <translation>プログラムの画像ツール %1 が見つかりません。プログラムを再インストールしてください</translation>
    </message>
    <message>
        <source>the output folder was moved or replaced during the run</source>
        <translation>実行中に出力フォルダーが移動または置き換えられました</translation>
    </message>
    <message>
        <source>the image tool wrote no copy</source>
        <translation>画像ツールはコピーを書き出しませんでした</translation>
    </message>
    <message>
        <source>the image tool was stopped</source>
        <translation>画像ツールが停止されました</translation>
    </message>
    <message>
        <source>the image tool failed with exit status %1</source>
        <translation>画像ツールが終了ステータス %1 で失敗しました</translation>
    </message>
    <message>
        <source>the program ended before this picture was done</source>
        <translation>この画像の処理が終わる前にプログラムが終了しました</translation>
    </message>
    <message>
        <source>The folder %1 cannot be listed: %2.</source>
        <translation>フォルダー %1 の内容を読み取れません: %2。</translation>
    </message>
    <message>
        <source>The copies of the pictures in %1 would go into %2, a folder whose pictures are converted: they would replace the pictures.</source>
        <translation>%1 の画像のコピーが、変換対象の画像があるフォルダー %2 に書き込まれ、その画像を置き換えてしまいます。</translation>
    </message>
    <message>
        <source>its name does not end in .jpg, .jpeg, .png, .tif or .tiff</source>
        <translation>名前が .jpg、.jpeg、.png、.tif、.tiff のいずれでも終わっていません</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>it is a folder, and only --recursive enters folders</source>
        <translation>フォルダーです。フォルダーの中に入るのは --recursive のときだけです</translation>
    </message>
    <message>
        <source>it is a link to a folder, and links are not followed</source>
        <translation>フォルダーへのリンクです。リンクはたどりません</translation>
    </message>
    <message>
        <source>it is the output folder</source>
        <translation>出力フォルダーです</translation>
    </message>
    <message>
        <source>it is the folder it lies in, or one above that, so entering it would loop</source>
        <translation>自身を含むフォルダーか、その上位のフォルダーです。中に入ると循環します</translation>
    </message>
    <message>
        <source>the folder cannot be listed: %1</source>
        <translation>フォルダーの内容を読み取れません: %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>plenwick: no display to open the window on; to convert without one, give --dpi, --output and a source folder (see plenwick --help)
</source>
        <translation>plenwick: ウィンドウを開くディスプレイがありません。ディスプレイなしで変換するには --dpi、--output と変換元フォルダーを指定してください (plenwick --help を参照)
</translation>
    </message>
    <message>
        <source>plenwick: cannot create the output folder %1: %2</source>
        <translation>plenwick: 出力フォルダー %1 を作成できません: %2</translation>
    </message>
    <message>
        <source>Created the output folder %1</source>
        <translation>出力フォルダー %1 を作成しました</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 with a note, %4 failed, %5 not started</source>
        <translation>plenwick: %2のうち %1 枚を変換、注記付き %3 枚、失敗 %4 枚、未開始 %5 枚</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 failed, %4 not started</source>
        <translation>plenwick: %2のうち %1 枚を変換、失敗 %3 枚、未開始 %4 枚</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 with a note, %4 failed</source>
        <translation>plenwick: %2のうち %1 枚を変換、注記付き %3 枚、失敗 %4 枚</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 converted, %3 failed</source>
        <translation>plenwick: %2のうち %1 枚を変換、失敗 %3 枚</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 failed:
</source>
        <translation>plenwick: %2のうち %1 枚が失敗しました:
</translation>
    </message>
    <message>
        <source>plenwick: %1 of %2 not converted:
</source>
        <translation>plenwick: %2のうち %1 枚が変換されませんでした:
</translation>
    </message>
    <message>
        <source>%1: note: %2</source>
        <translation>%1: 注記: %2</translation>
    </message>
    <message>
        <source>plenwick: interrupted; no further picture started
</source>
        <translation>plenwick: 中断しました。これ以上の画像は開始しません
</translation>
    </message>
    <message>
        <source>%1 converted into %2, %3 with a note</source>
        <translation>%1を %2 に変換しました (注記付き %3 枚)</translation>
    </message>
    <message>
        <source>%1 converted into %2</source>
        <translation>%1を %2 に変換しました</translation>
    </message>
    <message>
        <source>plenwick: %1</source>
        <translation>plenwick: %1</translation>
    </message>
    <message>
        <source>No JPEG, PNG or TIFF picture in %1</source>
        <translation>%1 に JPEG、PNG、TIFF の画像がありません</translation>
    </message>
    <message>
        <source>plenwick: %1
Try &apos;plenwick --help&apos;.
</source>
        <translation>plenwick: %1
使い方は &apos;plenwick --help&apos; で確認できます。
</translation>
    </message>
    <message>
        <source>the output folder %1 does not exist</source>
        <translation>出力フォルダー %1 が存在しません</translation>
    </message>
    <message>
        <source>the output %1 is not a folder</source>
        <translation>出力先 %1 はフォルダーではありません</translation>
    </message>
    <message>
        <source>Resolution to record, 1 to 4000.</source>
        <translation>記録する解像度 (1〜4000)。</translation>
    </message>
    <message>
        <source>Folder that receives the copies; made, with its parents, when missing.</source>
        <translation>コピーを受け取るフォルダー。存在しない場合は親フォルダーごと作成します。</translation>
    </message>
    <message>
        <source>Pictures converted at once, 1 to %1 (default: %2).</source>
        <translation>同時に変換する画像の数 (1〜%1、既定値: %2)。</translation>
    </message>
    <message>
        <source>--dpi is missing</source>
        <translation>--dpi が指定されていません</translation>
    </message>
    <message>
        <source>--output is missing</source>
        <translation>--output が指定されていません</translation>
    </message>
    <message>
        <source>--%1 is given more than once</source>
        <translation>--%1 が複数回指定されています</translation>
    </message>
    <message>
        <source>the resolution must be a whole number from %1 to %2, not &apos;%3&apos;</source>
        <translation>解像度は %1〜%2 の整数で指定してください (&apos;%3&apos; は指定できません)</translation>
    </message>
    <message>
        <source>--jobs must be a whole number from 1 to %1, not &apos;%2&apos;</source>
        <translation>--jobs は 1〜%1 の整数で指定してください (&apos;%2&apos; は指定できません)</translation>
    </message>
    <message>
        <source>the output folder is the source folder %1: the copies would replace the pictures</source>
        <translation>出力フォルダーが変換元フォルダー %1 と同じです。コピーが元の画像を置き換えてしまいます</translation>
    </message>
    <message>
        <source>%1/%2 %3: not converted: %4</source>
        <translation>%1/%2 %3: 変換されませんでした: %4</translation>
    </message>
    <message>
        <source>not converted: %1</source>
        <translation>変換されませんでした: %1</translation>
    </message>
    <message>
        <source>Window system plugin, such as xcb or wayland.</source>
        <translation>ウィンドウシステムのプラグイン (xcb、wayland など)。</translation>
    </message>
    <message>
        <source>Folder of further window system plugins.</source>
        <translation>追加のウィンドウシステムプラグインのフォルダー。</translation>
    </message>
    <message>
        <source>Platform theme.</source>
        <translation>プラットフォームのテーマ。</translation>
    </message>
    <message>
        <source>Additional plugin to load, such as an input device&apos;s.</source>
        <translation>追加で読み込むプラグイン (入力デバイス用など)。</translation>
    </message>
    <message>
        <source>X display to open the window on.</source>
        <translation>ウィンドウを開く X ディスプレイ。</translation>
    </message>
    <message>
        <source>The window&apos;s place and size on X.</source>
        <translation>X でのウィンドウの位置とサイズ。</translation>
    </message>
    <message>
        <source>The window&apos;s place and size.</source>
        <translation>ウィンドウの位置とサイズ。</translation>
    </message>
    <message>
        <source>The window&apos;s icon.</source>
        <translation>ウィンドウのアイコン。</translation>
    </message>
    <message>
        <source>The window&apos;s title.</source>
        <translation>ウィンドウのタイトル。</translation>
    </message>
    <message>
        <source>Lays the window out from right to left.</source>
        <translation>ウィンドウを右から左へレイアウトします。</translation>
    </message>
    <message>
        <source>Session to restore.</source>
        <translation>復元するセッション。</translation>
    </message>
    <message>
        <source>Widget style, such as Fusion.</source>
        <translation>ウィジェットのスタイル (Fusion など)。</translation>
    </message>
    <message>
        <source>Style sheet applied to the window.</source>
        <translation>ウィンドウに適用するスタイルシート。</translation>
    </message>
    <message>
        <source>Prints how many widgets were left at the end.</source>
        <translation>終了時に残っていたウィジェットの数を表示します。</translation>
    </message>
    <message>
        <source>
Qt&apos;s options for the window, given alone:
</source>
        <translation>
ウィンドウ用の Qt のオプション (他の引数なしで指定):
</translation>
    </message>
    <message>
        <source>Dry run: %1 would be converted into %2; nothing was changed.</source>
        <translation>予行: %1を %2 に変換します。何も変更していません。</translation>
    </message>
    <message>
        <source>
Without arguments, or with only Qt&apos;s options (--help-all), the window opens.
</source>
        <translation>
引数なし、または Qt のオプション (--help-all) だけのときはウィンドウが開きます。
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
例:
  plenwick --dpi 300 --output ~/Print ~/Scans
      ~/Scans の画像のコピーを 300 dpi にして ~/Print へ。
  plenwick --dpi 300 --output out a.jpg b.tif photos/
      2 枚の画像とフォルダー内の画像を、すべて out へ。
  plenwick --recursive --dpi 300 --output ~/Print ~/Photos
      サブフォルダーも: ~/Photos/2024/a.jpg は ~/Print/2024/a.jpg になります。
  plenwick --skip-existing --dpi 300 --output ~/Print ~/Scans
      コピーがまだ ~/Print にない画像だけ。
  plenwick --dry-run --recursive --dpi 300 --output ~/Print ~/Photos
      書き込むコピーと対象外のファイルを一覧表示します。
  plenwick --verbose --jobs 2 --dpi 300 --output ~/Print ~/Scans
      2 枚ずつ同時に変換し、対象外のファイルを理由とともに示します。

フォルダーへのリンクはたどらず、出力フォルダーの中には入りません。
名前から JPEG、PNG、TIFF 画像でないと分かるファイルは対象外とし、
まとめで数えます。
</translation>
    </message>
    <message>
        <source>
Exit status: 0 when every picture was converted, 1 when any was not (each is listed
with its reason), 2 when the command line is wrong (nothing is done).
</source>
        <translation>
終了ステータス: すべての画像を変換したときは 0、変換できない画像があったときは 1
(それぞれ理由を表示)、コマンドラインが誤っているときは 2 (何もしません)。
</translation>
    </message>
    <message>
        <source>Writes a copy of every JPEG, PNG and TIFF picture given, or found in a folder given,
into the output folder, recording the resolution given; the pixels stay as they are.</source>
        <translation>指定した、または指定したフォルダー内の JPEG、PNG、TIFF 画像ごとに、指定の解像度を
記録したコピーを出力フォルダーに書き込みます。ピクセルはそのままです。</translation>
    </message>
    <message>
        <source>Converts the pictures of every subfolder too, into the same subfolders of the output folder.</source>
        <translation>サブフォルダーの画像も、出力フォルダー内の同じサブフォルダーに変換します。</translation>
    </message>
    <message>
        <source>Leaves copies that are already there as they are; by default they are replaced.</source>
        <translation>既にあるコピーはそのままにします (既定では置き換えます)。</translation>
    </message>
    <message>
        <source>Prints the copies that would be written and the files left alone, and changes nothing.</source>
        <translation>書き込むコピーと対象外のファイルを表示し、何も変更しません。</translation>
    </message>
    <message>
        <source>Names every file left alone and every copy kept, with the reason.</source>
        <translation>対象外のファイルと残したコピーを、理由とともにすべて示します。</translation>
    </message>
    <message>
        <source>Folders holding the pictures, and single pictures; never changed.</source>
        <translation>画像を含むフォルダー、または個々の画像。変更されることはありません。</translation>
    </message>
    <message>
        <source>SOURCE is missing</source>
        <translation>SOURCE がありません</translation>
    </message>
    <message>
        <source>the source %1 does not exist</source>
        <translation>変換元 %1 が存在しません</translation>
    </message>
    <message>
        <source>%1 is skipped: its copy %2 is already there.</source>
        <translation>%1 をスキップしました: コピー %2 が既にあります。</translation>
    </message>
    <message>
        <source>The folder %1 would be made.</source>
        <translation>フォルダー %1 を作成します。</translation>
    </message>
    <message>
        <source>%1 would not be converted: %2.</source>
        <translation>%1 は変換されません: %2。</translation>
    </message>
    <message>
        <source>%1 would be replaced by a copy of %2.</source>
        <translation>%1 を %2 のコピーで置き換えます。</translation>
    </message>
    <message>
        <source>%1 would be written from %2.</source>
        <translation>%2 から %1 を書き込みます。</translation>
    </message>
    <message>
        <source>A dry run makes no probe file, so copy names are compared with their letter case even where the output folder would take two of them for one.</source>
        <translation>予行では確認用のファイルを作らないため、出力フォルダーが大文字と小文字を区別しない場合でも、コピーの名前は大文字と小文字を区別して比べます。</translation>
    </message>
    <message>
        <source>%1 is left alone: %2.</source>
        <translation>%1 は対象外です: %2。</translation>
    </message>
    <message>
        <source>1 picture was skipped: its copy is already there.</source>
        <translation>1 枚の画像をスキップしました: コピーが既にあります。</translation>
    </message>
    <message>
        <source>1 file was left alone: its name is not that of a JPEG, PNG or TIFF picture.</source>
        <translation>1 個のファイルを対象外にしました: 名前が JPEG、PNG、TIFF 画像のものではありません。</translation>
    </message>
    <message>
        <source>1 entry was left alone: it is not a regular file.</source>
        <translation>1 個の項目を対象外にしました: 通常のファイルではありません。</translation>
    </message>
    <message>
        <source>1 folder was not entered.</source>
        <translation>1 個のフォルダーには入りませんでした。</translation>
    </message>
    <message>
        <source>1 folder could not be listed.</source>
        <translation>1 個のフォルダーの内容を読み取れませんでした。</translation>
    </message>
    <message>
        <source>Run with --verbose to see each with its reason.</source>
        <translation>--verbose を付けて実行すると、それぞれの理由を表示します。</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures were skipped: their copies are already there.</source>
        <translation>
            <numerusform>%n 枚の画像をスキップしました: コピーが既にあります。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files were left alone: their names are not those of JPEG, PNG or TIFF pictures.</source>
        <translation>
            <numerusform>%n 個のファイルを対象外にしました: 名前が JPEG、PNG、TIFF 画像のものではありません。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries were left alone: they are not regular files.</source>
        <translation>
            <numerusform>%n 個の項目を対象外にしました: 通常のファイルではありません。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders were not entered.</source>
        <translation>
            <numerusform>%n 個のフォルダーには入りませんでした。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n folders could not be listed.</source>
        <translation>
            <numerusform>%n 個のフォルダーの内容を読み取れませんでした。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Harrowfenpanel</name>
    <message>
        <source>About Plenwick</source>
        <translation>Plenwick について</translation>
    </message>
    <message>
        <source>Plenwick icon</source>
        <translation>Plenwick のアイコン</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>バージョン</translation>
    </message>
    <message>
        <source>Sets the recorded resolution of every picture in a folder.</source>
        <translation>フォルダー内のすべての画像に記録される解像度を設定します。</translation>
    </message>
    <message>
        <source>What Plenwick does</source>
        <translation>Plenwick の機能</translation>
    </message>
    <message>
        <source>&amp;Show Plenwick in the task bar and its menu bar</source>
        <translation>タスクバーとメニューバーに Plenwick を表示(&amp;S)</translation>
    </message>
    <message>
        <source>When off, Plenwick&apos;s windows leave the task bar and the main window hides its menu bar</source>
        <translation>オフにすると、Plenwick のウィンドウはタスクバーから消え、メインウィンドウのメニューバーが隠れます</translation>
    </message>
    <message>
        <source>Support &amp;e-mail</source>
        <translation>サポートへのメール(&amp;E)</translation>
    </message>
    <message>
        <source>Support e-mail</source>
        <translation>サポートへのメール</translation>
    </message>
    <message>
        <source>Starts an e-mail to Harrowfen&apos;s support with your system&apos;s version filled in</source>
        <translation>システムのバージョンを記入済みの、Harrowfen サポート宛てのメールを作成します</translation>
    </message>
    <message>
        <source>&amp;Feature request…</source>
        <translation>機能のリクエスト(&amp;F)…</translation>
    </message>
    <message>
        <source>Feature request</source>
        <translation>機能のリクエスト</translation>
    </message>
    <message>
        <source>Asks whether to request a feature or to see Harrowfen&apos;s other programs</source>
        <translation>機能をリクエストするか、Harrowfen の他のプログラムを見るかを尋ねます</translation>
    </message>
    <message>
        <source>Open at &amp;login…</source>
        <translation>ログイン時に開く(&amp;L)…</translation>
    </message>
    <message>
        <source>Open at login tips</source>
        <translation>ログイン時に開くためのヒント</translation>
    </message>
    <message>
        <source>Shows how to make Plenwick open when you log in</source>
        <translation>ログイン時に Plenwick を開く方法を表示します</translation>
    </message>
    <message>
        <source>S&amp;tore</source>
        <translation>ストア(&amp;T)</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>ストア</translation>
    </message>
    <message>
        <source>Rate Plenwick or find Harrowfen&apos;s other programs in the store</source>
        <translation>ストアで Plenwick を評価したり、Harrowfen の他のプログラムを探したりします</translation>
    </message>
    <message>
        <source>Open at login, step by step</source>
        <translation>ログイン時に開く手順</translation>
    </message>
    <message>
        <source>Way A: in your desktop&apos;s Startup Applications or Autostart settings, choose Add and pick Plenwick. Way B: make the folder ~/.config/autostart and copy plenwick.desktop from /usr/local/share/applications into it; delete the copy to stop it.</source>
        <translation>方法 A: デスクトップの「自動起動するアプリケーション」または「自動起動」の設定で「追加」を選び、Plenwick を選択します。方法 B: フォルダー ~/.config/autostart を作成し、/usr/local/share/applications から plenwick.desktop をそこへコピーします。やめるときはコピーを削除します。</translation>
    </message>
    <message>
        <source>&amp;Apps by Harrowfen</source>
        <translation>Harrowfen のアプリ(&amp;A)</translation>
    </message>
    <message>
        <source>Apps by &amp;Harrowfen</source>
        <translation>Harrowfen のアプリ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Rate Plenwick</source>
        <translation>Plenwick を評価(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;More by Harrowfen</source>
        <translation>Harrowfen のその他のアプリ(&amp;M)</translation>
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
        <translation>フォルダー内のすべての JPEG、PNG、TIFF 画像のコピーを、選んだ解像度で書き出します。ピクセルはそのままです。</translation>
    </message>
    <message>
        <source>&amp;Resolution (DPI, 1 to 4000):</source>
        <translation>解像度 (DPI、1〜4000)(&amp;R):</translation>
    </message>
    <message>
        <source>A whole number from 1 to 4000, written into every converted picture</source>
        <translation>1〜4000 の整数。変換するすべての画像に書き込まれます</translation>
    </message>
    <message>
        <source>What is &amp;DPI?</source>
        <translation>DPI とは?(&amp;D)</translation>
    </message>
    <message>
        <source>What is DPI?</source>
        <translation>DPI とは?</translation>
    </message>
    <message>
        <source>Opens a web page that explains dots per inch</source>
        <translation>ドット・パー・インチを説明するウェブページを開きます</translation>
    </message>
    <message>
        <source>Select Destination (output) Folder First</source>
        <translation>最初に保存先 (出力) フォルダーを選択</translation>
    </message>
    <message>
        <source>Output folder: chooses the folder that receives the converted copies</source>
        <translation>出力フォルダー: 変換したコピーを受け取るフォルダーを選びます</translation>
    </message>
    <message>
        <source>&amp;Start: choose the source folder</source>
        <translation>開始: 変換元フォルダーを選択(&amp;S)</translation>
    </message>
    <message>
        <source>Asks for the source folder and converts its pictures</source>
        <translation>変換元フォルダーを尋ね、その中の画像を変換します</translation>
    </message>
    <message>
        <source>Converting pictures…</source>
        <translation>画像を変換しています…</translation>
    </message>
    <message>
        <source>Conversion progress</source>
        <translation>変換の進行状況</translation>
    </message>
    <message>
        <source>S&amp;top after the current pictures</source>
        <translation>現在の画像の後で停止(&amp;T)</translation>
    </message>
    <message>
        <source>Stop after the current pictures</source>
        <translation>現在の画像の後で停止</translation>
    </message>
    <message>
        <source>Finishes the pictures being converted, starts no other, then ends the run</source>
        <translation>変換中の画像を仕上げ、新しい画像は開始せずに実行を終了します</translation>
    </message>
    <message>
        <source>Startup &amp;Q&amp;&amp;A</source>
        <translation>起動時の Q&amp;&amp;A(&amp;Q)</translation>
    </message>
    <message>
        <source>Startup questions and answers: why converted pictures look unchanged</source>
        <translation>起動時の Q&amp;A: 変換した画像が変わっていないように見える理由</translation>
    </message>
    <message>
        <source>&amp;About Plenwick</source>
        <translation>Plenwick について(&amp;A)</translation>
    </message>
    <message>
        <source>About Plenwick</source>
        <translation>Plenwick について</translation>
    </message>
    <message>
        <source>Shows the information panel</source>
        <translation>情報パネルを表示します</translation>
    </message>
    <message>
        <source>&amp;Plenwick</source>
        <translation>Plenwick(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;X)</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>Tips for &apos;Auto open at login&apos;</source>
        <translation>「ログイン時に自動で開く」のヒント</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>了解</translation>
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
        <translation>サンドボックス下の macOS の予約リソースを節約するため、バージョン %1 から「ログイン時に自動で開く (自動起動)」機能の読み込みに隠れたヘルパーエージェントを使うのをやめました。どの Mac アプリも、次の 2 つの方法で簡単にログイン時に自動で開くようにできます:

方法 A:
次の順に開きます 
-&gt;システム環境設定 
-&gt; ユーザとグループ 
-&gt; 左下の鍵をクリックして変更できるようにする
-&gt; 左の列から自分のユーザ名を選ぶ
-&gt; 右側の「ログイン項目」タブを選ぶ
-&gt; + ボタンをクリックして「%2」を探して追加する
-&gt; 左下の鍵をクリックして変更できないようにする

方法 B:
Dock の「%2」のアイコンから
-&gt;アイコンを右クリックして「オプション」をクリック
-&gt;「ログイン時に開く」を選ぶ
(詳しくは添付のスクリーンショットを参照)</translation>
    </message>
    <message>
        <source>Plenwick v%1</source>
        <translation>Plenwick v%1</translation>
    </message>
    <message>
        <source>Need more functions? or have some ideas?</source>
        <translation>機能を追加してほしい、またはアイデアがありますか?</translation>
    </message>
    <message>
        <source>Plese visit app&apos;s home page and leave your request there. You may also drop us an email or check out all our apps up to now.</source>
        <translation>アプリのホームページにアクセスして、リクエストを残してください。メールを送っていただくことも、これまでに公開したすべてのアプリをご覧いただくこともできます。</translation>
    </message>
    <message>
        <source>feature request</source>
        <translation>機能をリクエスト</translation>
    </message>
    <message>
        <source>more by Harrowfen</source>
        <translation>Harrowfen のその他のアプリ</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Do not show this message again</source>
        <translation>今後このメッセージを表示しない</translation>
    </message>
</context>
<context>
    <name>WindowTexts</name>
    <message>
        <source>Select Destination (output) Folder First</source>
        <translation>最初に保存先 (出力) フォルダーを選択</translation>
    </message>
    <message>
        <source>Select Destination (output) Folder</source>
        <translation>保存先 (出力) フォルダーを選択</translation>
    </message>
    <message>
        <source>Select This Folder</source>
        <translation>このフォルダーを選択</translation>
    </message>
    <message>
        <source>File Saving Folder Confirmation</source>
        <translation>保存先フォルダーの確認</translation>
    </message>
    <message>
        <source>All DPI changed pictures will be copied and saved to this OUTPUT folder:

%1

Please double check the folder is which you selected, depending on the browsing mode you are using, sometimes you have to double clicking the folder and make it displaying in blue.
</source>
        <translation>DPI を変更したすべての画像は、この出力フォルダーにコピーして保存されます:

%1

選択したフォルダーで間違いないか、もう一度確認してください。使用している表示モードによっては、フォルダーをダブルクリックして青く表示させる必要があります。
</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Got it</source>
        <translation>了解</translation>
    </message>
    <message>
        <source>Select Source Files Folder</source>
        <translation>変換元ファイルのフォルダーを選択</translation>
    </message>
    <message>
        <source>Select this picture folder</source>
        <translation>この画像フォルダーを選択</translation>
    </message>
    <message>
        <source>Overwrite protection Alert</source>
        <translation>上書き防止の警告</translation>
    </message>
    <message>
        <source>Input folder can not be the same of your Output folder.
</source>
        <translation>入力フォルダーを出力フォルダーと同じにすることはできません。
</translation>
    </message>
    <message>
        <source>Startup Q&amp;A</source>
        <translation>起動時の Q&amp;A</translation>
    </message>
    <message>
        <source>Q: When Plenwick finishes conversion and takes me to the output folder, all the pictures look the same as before.

A: You may not notice the change with your eyes, the app changes the picture&apos;s DPI only. You may click the &apos;Show Inspector&apos; from your app &apos;Preview&apos; before and after convert to see the change of your picture&apos;s DPI.
</source>
        <translation>Q: Plenwick が変換を終えて出力フォルダーを開いても、画像がすべて以前と同じに見えます。

A: このアプリが変更するのは画像の DPI だけなので、見た目では変化に気づかないかもしれません。変換の前後に「プレビュー」アプリの「インスペクタを表示」をクリックすると、画像の DPI の変化を確認できます。
</translation>
    </message>
    <message>
        <source>Some pictures were not converted</source>
        <translation>変換されなかった画像があります</translation>
    </message>
    <message>
        <source>%1 of %2 pictures got no copy in the output folder:

%3
</source>
        <translation>%2 枚中 %1 枚の画像は出力フォルダーにコピーされませんでした:

%3
</translation>
    </message>
    <message>
        <source>Some pictures were converted with a note</source>
        <translation>注記付きで変換された画像があります</translation>
    </message>
    <message>
        <source>%1 of %2 pictures got their copy with a note:

%3
</source>
        <translation>%2 枚中 %1 枚の画像は注記付きでコピーされました:

%3
</translation>
    </message>
    <message>
        <source>Plenwick finished</source>
        <translation>Plenwick の処理が完了しました</translation>
    </message>
    <message>
        <source>1 picture converted.</source>
        <translation>1 枚の画像を変換しました。</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures converted.</source>
        <translation>
            <numerusform>%n 枚の画像を変換しました。</numerusform>
        </translation>
    </message>
    <message>
        <source>1 picture converted</source>
        <translation>1 枚の画像を変換</translation>
    </message>
    <message numerus="yes">
        <source>%n pictures converted</source>
        <translation>
            <numerusform>%n 枚の画像を変換</numerusform>
        </translation>
    </message>
    <message>
        <source>1 needs attention</source>
        <translation>1 枚は要確認</translation>
    </message>
    <message numerus="yes">
        <source>%n need attention</source>
        <translation>
            <numerusform>%n 枚は要確認</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2.</source>
        <extracomment>The notification&apos;s sentence: how many were converted, then how many need attention.</extracomment>
        <translation>%1、%2。</translation>
    </message>
    <message>
        <source>This cannot be converted</source>
        <translation>これは変換できません</translation>
    </message>
    <message>
        <source>Choose the output folder first, then drop the folder that holds your pictures.
</source>
        <translation>先に出力フォルダーを選んでから、画像の入ったフォルダーをドロップしてください。
</translation>
    </message>
    <message>
        <source>Drop one folder at a time: the folder that holds your pictures.
</source>
        <translation>フォルダーは 1 つずつ、画像の入ったフォルダーをドロップしてください。
</translation>
    </message>
    <message>
        <source>“%1” is not a folder. Drop the folder that holds your pictures.
</source>
        <translation>「%1」はフォルダーではありません。画像の入ったフォルダーをドロップしてください。
</translation>
    </message>
    <message>
        <source>The folder “%1” cannot be read.
</source>
        <translation>フォルダー「%1」を読み取れません。
</translation>
    </message>
</context>
</TS>
