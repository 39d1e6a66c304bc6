<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>AnalysisMessages</name>
    <message>
        <source>ピークは検出できませんでした</source>
        <translation>No peak was found</translation>
    </message>
    <message>
        <source>ピーク値の計算</source>
        <translation>Peak search</translation>
    </message>
    <message>
        <source>Re の値が正しくありません</source>
        <translation>The value of Re is not valid</translation>
    </message>
    <message>
        <source>Re の値の入力</source>
        <translation>Entering Re</translation>
    </message>
    <message>
        <source>Ts の計算</source>
        <translation>TS calculation</translation>
    </message>
    <message>
        <source>f1 が求まりませんでした</source>
        <translation>f1 could not be found</translation>
    </message>
    <message>
        <source>f2 が求まりませんでした</source>
        <translation>f2 could not be found</translation>
    </message>
    <message>
        <source>f1,f2 が正しく計算できませんでした</source>
        <translation>f1 and f2 could not be calculated correctly</translation>
    </message>
</context>
<context>
    <name>BandTable</name>
    <message>
        <source>20Hz～20kHz</source>
        <translation>20 Hz – 20 kHz</translation>
    </message>
    <message>
        <source>10Hz～100kHz</source>
        <translation>10 Hz – 100 kHz</translation>
    </message>
    <message>
        <source>10Hz～50Hz</source>
        <translation>10 Hz – 50 Hz</translation>
    </message>
    <message>
        <source>20Hz～250Hz</source>
        <translation>20 Hz – 250 Hz</translation>
    </message>
    <message>
        <source>250Hz～2kHz</source>
        <translation>250 Hz – 2 kHz</translation>
    </message>
    <message>
        <source>2kHz～20kHz</source>
        <translation>2 kHz – 20 kHz</translation>
    </message>
    <message>
        <source>10kHz～100kHz</source>
        <translation>10 kHz – 100 kHz</translation>
    </message>
    <message>
        <source>1kHz～100kHz</source>
        <translation>1 kHz – 100 kHz</translation>
    </message>
    <message>
        <source>10Hz～500Hz</source>
        <translation>10 Hz – 500 Hz</translation>
    </message>
</context>
<context>
    <name>DriverMessages</name>
    <message>
        <source>not a JSON text: %1</source>
        <translation>not a JSON text: %1</translation>
    </message>
    <message>
        <source>not a driver file (no &quot;format&quot;: &quot;velo2-driver&quot;)</source>
        <translation>not a driver file (no &quot;format&quot;: &quot;velo2-driver&quot;)</translation>
    </message>
    <message>
        <source>a driver file of version %1, newer than this program reads (1)</source>
        <translation>a driver file of version %1, newer than this program reads (1)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number of 0 or more</source>
        <translation>&quot;%1&quot; is not a number of 0 or more</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation>&quot;%1&quot; is missing</translation>
    </message>
    <message>
        <source>the curve&apos;s points must be [Hz, Ω, degrees]: Hz above 0, Ω 0 or more, degrees within ±180, at least 3 points</source>
        <translation>the curve&apos;s points must be [Hz, Ω, degrees]: Hz above 0, Ω 0 or more, degrees within ±180, at least 3 points</translation>
    </message>
    <message>
        <source>a %1 file needs Sd, Mms and Bl: give Sd and an added mass, two masses or a box</source>
        <translation>a %1 file needs Sd, Mms and Bl: give Sd and an added mass, two masses or a box</translation>
    </message>
    <message>
        <source>unknown driver format &quot;%1&quot; (json or hornresp)</source>
        <translation>unknown driver format &quot;%1&quot; (json or hornresp)</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 could not be written</translation>
    </message>
</context>
<context>
    <name>FitMessages</name>
    <message>
        <source>too few points to fit the %1 model: %2 in the range, it needs at least %3</source>
        <translation>too few points to fit the %1 model: %2 in the range, it needs at least %3</translation>
    </message>
    <message>
        <source>no resonance in the range: no peak of |Z| stands above the curve on both sides</source>
        <translation>no resonance in the range: no peak of |Z| stands above the curve on both sides</translation>
    </message>
    <message>
        <source>Re must be a number above 0 and below the resonance peak</source>
        <translation>Re must be a number above 0 and below the resonance peak</translation>
    </message>
    <message>
        <source>the %1 model does not converge on this curve</source>
        <translation>the %1 model does not converge on this curve</translation>
    </message>
    <message>
        <source>excellent</source>
        <translation>excellent</translation>
    </message>
    <message>
        <source>good</source>
        <translation>good</translation>
    </message>
    <message>
        <source>fair</source>
        <translation>fair</translation>
    </message>
    <message>
        <source>poor</source>
        <translation>poor</translation>
    </message>
    <message>
        <source>|Z| above %1 % or phase above %2°</source>
        <translation>|Z| above %1 % or phase above %2°</translation>
    </message>
    <message>
        <source>|Z| above %1 %</source>
        <translation>|Z| above %1 %</translation>
    </message>
    <message>
        <source>|Z| ≤ %1 % and phase ≤ %2°</source>
        <translation>|Z| ≤ %1 % and phase ≤ %2°</translation>
    </message>
    <message>
        <source>|Z| ≤ %1 %</source>
        <translation>|Z| ≤ %1 %</translation>
    </message>
    <message>
        <source>the curve does not determine %1 (standard error above %2 %)</source>
        <translation>the curve does not determine %1 (standard error above %2 %)</translation>
    </message>
    <message>
        <source>%1 with a standard error above %2 %</source>
        <translation>%1 with a standard error above %2 %</translation>
    </message>
    <message>
        <source>graded at most %1: %2</source>
        <translation>graded at most %1: %2</translation>
    </message>
    <message>
        <source>standard errors widened by √((1 + ρ)/(1 − ρ)) for residuals that follow each other, ρ = %1</source>
        <translation>standard errors widened by √((1 + ρ)/(1 − ρ)) for residuals that follow each other, ρ = %1</translation>
    </message>
    <message>
        <source>ran off (the curve has no use for it): held at its limit, not fitted</source>
        <translation>ran off (the curve has no use for it): held at its limit, not fitted</translation>
    </message>
    <message>
        <source>error widening</source>
        <translation>error widening</translation>
    </message>
    <message>
        <source>the curve has no phase: fitted on |Z| alone</source>
        <translation>the curve has no phase: fitted on |Z| alone</translation>
    </message>
    <message>
        <source>model</source>
        <translation>model</translation>
    </message>
    <message>
        <source>points</source>
        <translation>points</translation>
    </message>
    <message>
        <source>RMS error |Z|</source>
        <translation>RMS error |Z|</translation>
    </message>
    <message>
        <source>RMS error phase</source>
        <translation>RMS error phase</translation>
    </message>
    <message>
        <source>grade</source>
        <translation>grade</translation>
    </message>
    <message>
        <source>iterations</source>
        <translation>iterations</translation>
    </message>
    <message>
        <source>fixed</source>
        <translation>fixed</translation>
    </message>
    <message>
        <source>not determined</source>
        <translation>not determined</translation>
    </message>
</context>
<context>
    <name>GraphExportTexts</name>
    <message>
        <source>グラフをエクスポート...</source>
        <translation>Export Graph...</translation>
    </message>
    <message>
        <source>グラフをコピー</source>
        <translation>Copy Graph</translation>
    </message>
    <message>
        <source>グラフをエクスポート</source>
        <translation>Export Graph</translation>
    </message>
    <message>
        <source>SVG ファイル (*.svg);;PDF ファイル (*.pdf);;PNG ファイル (*.png)</source>
        <translation>SVG files (*.svg);;PDF files (*.pdf);;PNG files (*.png)</translation>
    </message>
    <message>
        <source>幅 (ピクセル):</source>
        <translation>Width (pixels):</translation>
    </message>
    <message>
        <source>高さ (ピクセル):</source>
        <translation>Height (pixels):</translation>
    </message>
    <message>
        <source>%1 は書き出せません。名前の末尾は .svg、.pdf、.png のいずれかにして下さい。</source>
        <translation>%1 cannot be exported. The name must end in .svg, .pdf or .png.</translation>
    </message>
    <message>
        <source>%1 に書き込めませんでした (%2)。ファイルは変更していません。</source>
        <translation>%1 could not be written (%2). No file was changed.</translation>
    </message>
    <message>
        <source>グラフを描けませんでした</source>
        <translation>The graph could not be drawn.</translation>
    </message>
    <message>
        <source>フォルダがありません</source>
        <translation>no such folder</translation>
    </message>
    <message>
        <source>書き込みが許可されていません</source>
        <translation>writing is not permitted</translation>
    </message>
    <message>
        <source>書き込みに失敗しました</source>
        <translation>the write failed</translation>
    </message>
</context>
<context>
    <name>HStatus</name>
    <message>
        <source>%1 が見つかりませんでした</source>
        <translation>%1 not found</translation>
    </message>
    <message>
        <source>HK-A, HK-A2 が見つかりませんでした</source>
        <translation>No HK-A or HK-A2 found</translation>
    </message>
    <message>
        <source>通信ポートが開けません</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <source>通信ポートが開けません（アクセス権がありません）</source>
        <translation>Cannot open the serial port (no permission)</translation>
    </message>
    <message>
        <source>データ受信エラーです</source>
        <translation>Receive error</translation>
    </message>
    <message>
        <source>コマンド送信エラーです</source>
        <translation>Command send error</translation>
    </message>
    <message>
        <source>%1 が測定周波数帯域を受け付けませんでした</source>
        <translation>%1 did not accept the frequency band</translation>
    </message>
    <message>
        <source>%1 応答エラーです</source>
        <translation>%1 reply error</translation>
    </message>
    <message>
        <source>%1 未校正です</source>
        <translation>%1 is not calibrated</translation>
    </message>
    <message>
        <source>測定中です</source>
        <translation>Measuring</translation>
    </message>
    <message>
        <source>データ受信中です</source>
        <translation>Receiving data</translation>
    </message>
    <message>
        <source>計算中です</source>
        <translation>Calculating</translation>
    </message>
    <message>
        <source>測定終了しました</source>
        <translation>Measurement finished</translation>
    </message>
    <message>
        <source>測定中止しました</source>
        <translation>Measurement stopped</translation>
    </message>
    <message>
        <source>データエラーで計算できませんでした</source>
        <translation>Data error: could not calculate</translation>
    </message>
    <message>
        <source>データ保存できませんでした</source>
        <translation>Data could not be saved</translation>
    </message>
    <message>
        <source>データ保存できませんでした：%1</source>
        <translation>Data could not be saved: %1</translation>
    </message>
    <message>
        <source>データ保存できました</source>
        <translation>Data saved</translation>
    </message>
    <message>
        <source>データ書き出し完了</source>
        <translation>Data exported</translation>
    </message>
    <message>
        <source>%1 を読み込みました（%2）</source>
        <translation>%1 read (%2)</translation>
    </message>
    <message>
        <source>&#x3000;周波数順に並べ替えました</source>
        <translation>, sorted by frequency</translation>
    </message>
    <message>
        <source>&#x3000;重複した周波数 %1 行を除きました</source>
        <translation>, %1 row(s) repeating a frequency left out</translation>
    </message>
    <message>
        <source>ZMA出力完了</source>
        <translation>ZMA table written</translation>
    </message>
    <message>
        <source>測定中です（%1／%2回目）</source>
        <translation>Measuring: sweep %1 of %2</translation>
    </message>
    <message>
        <source>途中まで：%1／%2回の平均です</source>
        <translation>Stopped early: mean of %1 of %2 sweeps</translation>
    </message>
    <message>
        <source>%1回の平均です</source>
        <translation>Mean of %1 sweeps</translation>
    </message>
    <message>
        <source>参照データのない%1点は比べていません</source>
        <translation>%1 points without reference data were not compared</translation>
    </message>
    <message>
        <source>この表示では表示できない曲線です</source>
        <translation>The chosen view cannot show this curve</translation>
    </message>
</context>
<context>
    <name>LogMessages</name>
    <message>
        <source>&apos;%1&apos; is not a results database: %2; give the path of an SQLite file or a PostgreSQL URI such as postgresql://user@host/db</source>
        <translation>&apos;%1&apos; is not a results database: %2; give the path of an SQLite file or a PostgreSQL URI such as postgresql://user@host/db</translation>
    </message>
    <message>
        <source>no target given</source>
        <translation>no target given</translation>
    </message>
    <message>
        <source>%1:// is not a PostgreSQL URI (postgresql://)</source>
        <translation>%1:// is not a PostgreSQL URI (postgresql://)</translation>
    </message>
    <message>
        <source>the URI cannot be read (a password with special characters must be percent-encoded)</source>
        <translation>the URI cannot be read (a password with special characters must be percent-encoded)</translation>
    </message>
    <message>
        <source>the port &apos;%1&apos; is not a number from 1 to 65535</source>
        <translation>the port &apos;%1&apos; is not a number from 1 to 65535</translation>
    </message>
    <message>
        <source>the URI names no database (postgresql://host/DATABASE)</source>
        <translation>the URI names no database (postgresql://host/DATABASE)</translation>
    </message>
    <message>
        <source>a database name holds no &apos;/&apos;</source>
        <translation>a database name holds no &apos;/&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a connection option the log passes on (host, port, user, password, dbname, %2)</source>
        <translation>&apos;%1&apos; is not a connection option the log passes on (host, port, user, password, dbname, %2)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no value for the connection option %2</source>
        <translation>&apos;%1&apos; is no value for the connection option %2</translation>
    </message>
    <message>
        <source>the connection option %1 cannot hold &apos;;&apos;</source>
        <translation>the connection option %1 cannot hold &apos;;&apos;</translation>
    </message>
    <message>
        <source>the Qt SQL driver %1 is not installed (Debian package %2)</source>
        <translation>the Qt SQL driver %1 is not installed (Debian package %2)</translation>
    </message>
    <message>
        <source>cannot open the results log %1: %2</source>
        <translation>cannot open the results log %1: %2</translation>
    </message>
    <message>
        <source>%1: no such results log</source>
        <translation>%1: no such results log</translation>
    </message>
    <message>
        <source>%1 holds no results log</source>
        <translation>%1 holds no results log</translation>
    </message>
    <message>
        <source>cannot reach the results database %1: %2</source>
        <translation>cannot reach the results database %1: %2</translation>
    </message>
    <message>
        <source>the results database %1 refused user &apos;%2&apos;: wrong password</source>
        <translation>the results database %1 refused user &apos;%2&apos;: wrong password</translation>
    </message>
    <message>
        <source>the results database %1 refused the connection: %2</source>
        <translation>the results database %1 refused the connection: %2</translation>
    </message>
    <message>
        <source>the results log %1 has schema version %2; this program knows versions up to %3</source>
        <translation>the results log %1 has schema version %2; this program knows versions up to %3</translation>
    </message>
    <message>
        <source>the results log %1 failed: %2</source>
        <translation>the results log %1 failed: %2</translation>
    </message>
    <message>
        <source>1 result waits in the station&apos;s spool %1 and goes on later</source>
        <translation>1 result waits in the station&apos;s spool %1 and goes on later</translation>
    </message>
    <message>
        <source>%1 results wait in the station&apos;s spool %2 and go on later</source>
        <translation>%1 results wait in the station&apos;s spool %2 and go on later</translation>
    </message>
    <message>
        <source>%1 result the server refused is set aside in the station&apos;s spool %2 (the README says how to send it again)</source>
        <translation>%1 result the server refused is set aside in the station&apos;s spool %2 (the README says how to send it again)</translation>
    </message>
    <message>
        <source>%1 results the server refused are set aside in the station&apos;s spool %2 (the README says how to send them again)</source>
        <translation>%1 results the server refused are set aside in the station&apos;s spool %2 (the README says how to send them again)</translation>
    </message>
    <message>
        <source>the file is empty (0 bytes)</source>
        <translation>the file is empty (0 bytes)</translation>
    </message>
    <message>
        <source>the station&apos;s spool %1 could not be read (%3); it was moved to %2 and a new spool started (the README says how to recover its results)</source>
        <translation>the station&apos;s spool %1 could not be read (%3); it was moved to %2 and a new spool started (the README says how to recover its results)</translation>
    </message>
    <message>
        <source>the station name has %1 characters; at most %2 are allowed</source>
        <translation>the station name has %1 characters; at most %2 are allowed</translation>
    </message>
    <message>
        <source>the serial has %1 characters; at most %2 are allowed</source>
        <translation>the serial has %1 characters; at most %2 are allowed</translation>
    </message>
    <message>
        <source>%1 result in the station&apos;s spool %3 was checked for %2 and waits for it: it goes only there</source>
        <translation>%1 result in the station&apos;s spool %3 was checked for %2 and waits for it: it goes only there</translation>
    </message>
    <message>
        <source>%1 results in the station&apos;s spool %3 were checked for %2 and wait for it: they go only there</source>
        <translation>%1 results in the station&apos;s spool %3 were checked for %2 and wait for it: they go only there</translation>
    </message>
    <message>
        <source>%1 result (serial %4) was refused by %2 and is set aside in the station&apos;s spool %3 (the README says how to send it again): %5</source>
        <translation>%1 result (serial %4) was refused by %2 and is set aside in the station&apos;s spool %3 (the README says how to send it again): %5</translation>
    </message>
    <message>
        <source>%1 results (serials %4) were refused by %2 and are set aside in the station&apos;s spool %3 (the README says how to send them again); the last reason: %5</source>
        <translation>%1 results (serials %4) were refused by %2 and are set aside in the station&apos;s spool %3 (the README says how to send them again); the last reason: %5</translation>
    </message>
    <message>
        <source>the log names this file but it is not there</source>
        <translation>the log names this file but it is not there</translation>
    </message>
    <message>
        <source>the log names this file but it is not a file</source>
        <translation>the log names this file but it is not a file</translation>
    </message>
</context>
<context>
    <name>PortResolver</name>
    <message>
        <source>（見つかりません）</source>
        <translation> (not found)</translation>
    </message>
</context>
<context>
    <name>QcMessages</name>
    <message>
        <source>no golden measurement given</source>
        <translation>no golden measurement given</translation>
    </message>
    <message>
        <source>%1 was measured on band %2, the first golden unit on band %3: measure every golden unit on the same band</source>
        <translation>%1 was measured on band %2, the first golden unit on band %3: measure every golden unit on the same band</translation>
    </message>
    <message>
        <source>%1 lacks points of its band: a golden unit needs the whole band</source>
        <translation>%1 lacks points of its band: a golden unit needs the whole band</translation>
    </message>
    <message>
        <source>%1 shows no resonance peak to take the parameters from</source>
        <translation>%1 shows no resonance peak to take the parameters from</translation>
    </message>
    <message>
        <source>Re %1 ohm gives no Thiele-Small values on %2: Re must lie between 0 and the peak |Z|</source>
        <translation>Re %1 ohm gives no Thiele-Small values on %2: Re must lie between 0 and the peak |Z|</translation>
    </message>
    <message>
        <source>%1: line %2: %3</source>
        <translation>%1: line %2: %3</translation>
    </message>
    <message>
        <source>not a QC limits file (the first item must be &quot;velo2-qc-limits 1&quot;)</source>
        <translation>not a QC limits file (the first item must be &quot;velo2-qc-limits 1&quot;)</translation>
    </message>
    <message>
        <source>limits file version %1 is not supported (this program reads version %2)</source>
        <translation>limits file version %1 is not supported (this program reads version %2)</translation>
    </message>
    <message>
        <source>unknown item &quot;%1&quot;</source>
        <translation>unknown item &quot;%1&quot;</translation>
    </message>
    <message>
        <source>bad value for &quot;%1&quot;</source>
        <translation>bad value for &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice</source>
        <translation>&quot;%1&quot; is given twice</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation>&quot;%1&quot; is missing</translation>
    </message>
    <message>
        <source>%1 needs two numbers LOW HIGH with LOW not above HIGH</source>
        <translation>%1 needs two numbers LOW HIGH with LOW not above HIGH</translation>
    </message>
    <message>
        <source>expected &quot;point %1 FREQUENCY LOW HIGH&quot; (one point per grid index of the band, rising)</source>
        <translation>expected &quot;point %1 FREQUENCY LOW HIGH&quot; (one point per grid index of the band, rising)</translation>
    </message>
    <message>
        <source>point %1 must be at the grid&apos;s frequency, %2 Hz</source>
        <translation>point %1 must be at the grid&apos;s frequency, %2 Hz</translation>
    </message>
    <message>
        <source>%1 points given, the band has %2</source>
        <translation>%1 points given, the band has %2</translation>
    </message>
    <message>
        <source>the file ends without &quot;end&quot; (cut short?)</source>
        <translation>the file ends without &quot;end&quot; (cut short?)</translation>
    </message>
    <message>
        <source>text after &quot;end&quot;</source>
        <translation>text after &quot;end&quot;</translation>
    </message>
    <message>
        <source>%1: cannot read the limits file (missing, unreadable or not a regular file of at most 1 MiB)</source>
        <translation>%1: cannot read the limits file (missing, unreadable or not a regular file of at most 1 MiB)</translation>
    </message>
    <message>
        <source>the limits are for band %1, the measurement is on band %2</source>
        <translation>the limits are for band %1, the measurement is on band %2</translation>
    </message>
    <message>
        <source>%1 %2%5 outside %3 ... %4%5</source>
        <translation>%1 %2%5 outside %3 ... %4%5</translation>
    </message>
    <message>
        <source>no resonance peak: Fs, Rmax, Qms, Qes, Qts and Zmin not measured</source>
        <translation>no resonance peak: Fs, Rmax, Qms, Qes, Qts and Zmin not measured</translation>
    </message>
    <message>
        <source>|Z| above the band at %1 Hz</source>
        <translation>|Z| above the band at %1 Hz</translation>
    </message>
    <message>
        <source>|Z| below the band at %1 Hz</source>
        <translation>|Z| below the band at %1 Hz</translation>
    </message>
    <message>
        <source>|Z| above the band at %1 ... %2 Hz</source>
        <translation>|Z| above the band at %1 ... %2 Hz</translation>
    </message>
    <message>
        <source>|Z| below the band at %1 ... %2 Hz</source>
        <translation>|Z| below the band at %1 ... %2 Hz</translation>
    </message>
    <message>
        <source>%1 points of the band were not measured</source>
        <translation>%1 points of the band were not measured</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a shift: give its start and end as HH:MM-HH:MM, shifts separated by commas (06:00-14:00,14:00-22:00,22:00-06:00)</source>
        <translation>&apos;%1&apos; is not a shift: give its start and end as HH:MM-HH:MM, shifts separated by commas (06:00-14:00,14:00-22:00,22:00-06:00)</translation>
    </message>
    <message>
        <source>the shift &apos;%1&apos; starts and ends at the same time</source>
        <translation>the shift &apos;%1&apos; starts and ends at the same time</translation>
    </message>
    <message>
        <source>the shifts %1 and %2 overlap (both hold %3); a unit must belong to one shift</source>
        <translation>the shifts %1 and %2 overlap (both hold %3); a unit must belong to one shift</translation>
    </message>
    <message>
        <source>the results log holds no unit checked since %1</source>
        <translation>the results log holds no unit checked since %1</translation>
    </message>
    <message>
        <source>the results log holds no unit yet</source>
        <translation>the results log holds no unit yet</translation>
    </message>
    <message>
        <source>1 point beyond 3σ</source>
        <translation>1 point beyond 3σ</translation>
    </message>
    <message>
        <source>2 of 3 beyond 2σ, same side</source>
        <translation>2 of 3 beyond 2σ, same side</translation>
    </message>
    <message>
        <source>4 of 5 beyond 1σ, same side</source>
        <translation>4 of 5 beyond 1σ, same side</translation>
    </message>
    <message>
        <source>8 in a row on one side</source>
        <translation>8 in a row on one side</translation>
    </message>
    <message>
        <source>sweep band %1 does not lie within band %2</source>
        <translation>sweep band %1 does not lie within band %2</translation>
    </message>
    <message>
        <source>the sweep leaves %1 ... %2 Hz out: its bands must join up from the first point of band %3, as a measurement file keeps no gap</source>
        <translation>the sweep leaves %1 ... %2 Hz out: its bands must join up from the first point of band %3, as a measurement file keeps no gap</translation>
    </message>
</context>
<context>
    <name>ReadoutFormat</name>
    <message>
        <source>周波数：</source>
        <translation>Frequency: </translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>VELOがすでに起動しています</source>
        <translation>VELO is already running</translation>
    </message>
    <message>
        <source>VELO2はすでに起動しています</source>
        <translation>VELO2 is already running</translation>
    </message>
</context>
<context>
    <name>TFormCalc</name>
    <message>
        <source>ピーク値１</source>
        <translation>Peak 1</translation>
    </message>
    <message>
        <source>ピーク値２</source>
        <translation>Peak 2</translation>
    </message>
    <message>
        <source>ピーク値３</source>
        <translation>Peak 3</translation>
    </message>
    <message>
        <source>ピーク値４</source>
        <translation>Peak 4</translation>
    </message>
    <message>
        <source>ピーク値５</source>
        <translation>Peak 5</translation>
    </message>
    <message>
        <source>VELO / 測定結果</source>
        <translation>VELO / Results</translation>
    </message>
    <message>
        <source>共振点</source>
        <translation>Resonances</translation>
    </message>
    <message>
        <source>周波数[Hz]</source>
        <translation>Frequency [Hz]</translation>
    </message>
    <message>
        <source>抵抗値[Ω]</source>
        <translation>Impedance [Ω]</translation>
    </message>
    <message>
        <source>Ts の計算</source>
        <translation>&amp;TS calculation</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Res [ Ω ]</source>
        <translation>Res [ Ω ]</translation>
    </message>
    <message>
        <source>fs [ Hz ]</source>
        <translation>fs [ Hz ]</translation>
    </message>
    <message>
        <source>fa [ Hz ]</source>
        <translation>fa [ Hz ]</translation>
    </message>
    <message>
        <source>fb [ Hz ]</source>
        <translation>fb [ Hz ]</translation>
    </message>
    <message>
        <source>Qms</source>
        <translation>Qms</translation>
    </message>
    <message>
        <source>残差 [ Ω ]</source>
        <translation>Residual [ Ω ]</translation>
    </message>
    <message>
        <source>共振点がないため、円を求められません。</source>
        <translation>No resonance: no circle can be fitted.</translation>
    </message>
    <message>
        <source>位相のない曲線のため、円を求められません。</source>
        <translation>The curve has no phase: no circle can be fitted.</translation>
    </message>
    <message>
        <source>共振付近の点が少なすぎるため、円を求められません。</source>
        <translation>Too few points around the resonance: no circle can be fitted.</translation>
    </message>
    <message>
        <source>共振付近の点が円に乗らないため、円を求められません。</source>
        <translation>The points around the resonance lie on no circle.</translation>
    </message>
    <message>
        <source>曲線が円の上端・右端・下端を順に通らないため、円を求められません。</source>
        <translation>The curve does not pass the circle&apos;s top, right end and bottom in turn.</translation>
    </message>
    <message>
        <source>動インピーダンス円</source>
        <translation>Motional circle</translation>
    </message>
</context>
<context>
    <name>TFormCompensation</name>
    <message>
        <source>VELO / 補正回路</source>
        <translation>VELO / Compensation networks</translation>
    </message>
    <message>
        <source>補正回路...</source>
        <translation>Compensation networks...</translation>
    </message>
    <message>
        <source>帯域の下限 [Hz]</source>
        <translation>Band from [Hz]</translation>
    </message>
    <message>
        <source>帯域の上限 [Hz]</source>
        <translation>Band to [Hz]</translation>
    </message>
    <message>
        <source>部品の系列</source>
        <translation>Part series</translation>
    </message>
    <message>
        <source>計算値のまま</source>
        <translation>Exact values</translation>
    </message>
    <message>
        <source>グラフとZMA出力の回路</source>
        <translation>Network drawn and exported</translation>
    </message>
    <message>
        <source>ゾーベル</source>
        <translation>Zobel</translation>
    </message>
    <message>
        <source>ノッチ</source>
        <translation>Notch</translation>
    </message>
    <message>
        <source>ゾーベルとノッチ</source>
        <translation>Zobel and notch</translation>
    </message>
    <message>
        <source>ゾーベル（直列 R-C、コイルのインダクタンスを補正）</source>
        <translation>Zobel (series R-C against the coil&apos;s inductance)</translation>
    </message>
    <message>
        <source>共振ノッチ（直列 R-L-C、共振の山を補正）</source>
        <translation>Resonance notch (series R-L-C against the resonance peak)</translation>
    </message>
    <message>
        <source>求め方</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>平坦度 [±%]</source>
        <translation>Flatness [±%]</translation>
    </message>
    <message>
        <source>曲線に合わせた値</source>
        <translation>Fitted to the curve</translation>
    </message>
    <message>
        <source>%1 に丸めた値</source>
        <translation>Snapped to %1</translation>
    </message>
    <message>
        <source>T/S からの教科書の値</source>
        <translation>Textbook values from T/S</translation>
    </message>
    <message>
        <source>曲線から Re %1 Ω、Le %2 mH。平坦度は %3～%4 Hz の |Z| の平均からの最大の差です。</source>
        <translation>From the curve: Re %1 Ω, Le %2 mH. Flatness is the largest deviation of |Z| from its mean over %3-%4 Hz.</translation>
    </message>
    <message>
        <source>曲線から fs %1 Hz、Qms %2、Qes %3。平坦度は %4～%5 Hz で求めます。</source>
        <translation>From the curve: fs %1 Hz, Qms %2, Qes %3. Flatness is taken over %4-%5 Hz.</translation>
    </message>
    <message>
        <source>計算中…</source>
        <translation>Computing…</translation>
    </message>
    <message>
        <source>測定データがありません。測定するか、ファイルを開いてください。</source>
        <translation>There is no measurement. Measure or open a file first.</translation>
    </message>
    <message>
        <source>%1 に正の数を入力してください。</source>
        <translation>Enter a positive number for %1.</translation>
    </message>
    <message>
        <source>測定値と補正後の |Z|</source>
        <translation>Measured and compensated |Z|</translation>
    </message>
    <message>
        <source>測定値</source>
        <translation>Measured</translation>
    </message>
    <message>
        <source>補正後</source>
        <translation>Compensated</translation>
    </message>
    <message>
        <source>補正後をZMA出力...</source>
        <translation>Export compensated as ZMA...</translation>
    </message>
    <message>
        <source>補正後の曲線をZMA出力</source>
        <translation>Export the compensated curve as ZMA</translation>
    </message>
    <message>
        <source>ZMAファイル (*.zma)</source>
        <translation>ZMA files (*.zma)</translation>
    </message>
    <message>
        <source>%1 に書き込めませんでした。</source>
        <translation>Could not write %1.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ゾーベルなし: 帯域の下限は上限より低くしてください。</source>
        <translation>No Zobel: the band&apos;s bottom must lie below its top.</translation>
    </message>
    <message>
        <source>ゾーベルなし: 帯域の測定点が %1 点より少なくなっています。</source>
        <translation>No Zobel: fewer than %1 measured points in the band.</translation>
    </message>
    <message>
        <source>ゾーベルなし: 曲線に位相がなく、補正するリアクタンスがわかりません。</source>
        <translation>No Zobel: the curve has no phase, so no reactance to compensate.</translation>
    </message>
    <message>
        <source>ゾーベルなし: この帯域では |Z| が上に向かって上がりません（補正するボイスコイルのインダクタンスがありません）。</source>
        <translation>No Zobel: |Z| does not rise toward the band&apos;s top (no voice-coil inductance to compensate in this band).</translation>
    </message>
    <message>
        <source>ノッチなし: 曲線に位相がなく、Re を求められません。</source>
        <translation>No notch: the curve has no phase, so no Re to start from.</translation>
    </message>
    <message>
        <source>ノッチなし: 曲線に -3 dB 点のそろった共振の山がありません。</source>
        <translation>No notch: the curve has no resonance peak with its -3 dB points.</translation>
    </message>
    <message>
        <source>2組目の R-C</source>
        <translation>Second R-C pair</translation>
    </message>
</context>
<context>
    <name>TFormDrivers</name>
    <message>
        <source>VELO / ドライバー一覧</source>
        <translation>VELO / Driver library</translation>
    </message>
    <message>
        <source>ドライバー一覧...</source>
        <translation>Driver library...</translation>
    </message>
    <message>
        <source>フォルダ:</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>再読込</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>検索:</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>曲線を開く</source>
        <translation>Open curve</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Fs[Hz]</source>
        <translation>Fs[Hz]</translation>
    </message>
    <message>
        <source>Qts</source>
        <translation>Qts</translation>
    </message>
    <message>
        <source>Vas[L]</source>
        <translation>Vas[L]</translation>
    </message>
    <message>
        <source>Re[Ω]</source>
        <translation>Re[Ω]</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>（読めません）</source>
        <translation>(unreadable)</translation>
    </message>
    <message>
        <source>%1 / %2 件</source>
        <translation>%1 / %2 files</translation>
    </message>
    <message>
        <source>読み込み中...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>ドライバー出力...</source>
        <translation>Export driver...</translation>
    </message>
    <message>
        <source>ドライバー読込...</source>
        <translation>Import driver...</translation>
    </message>
    <message>
        <source>ドライバーファイルの保存</source>
        <translation>Save driver file</translation>
    </message>
    <message>
        <source>ドライバーファイルを開く</source>
        <translation>Open driver file</translation>
    </message>
    <message>
        <source>ドライバーファイル (*.json);;Hornresp (*.txt)</source>
        <translation>Driver file (*.json);;Hornresp (*.txt)</translation>
    </message>
    <message>
        <source>ドライバーファイル (*.json)</source>
        <translation>Driver file (*.json)</translation>
    </message>
    <message>
        <source>Hornresp にはSdと付加質量（または箱）による Mms と Bl が必要です。</source>
        <translation>Hornresp needs Sd, and Mms and Bl from an added mass (or a box).</translation>
    </message>
    <message>
        <source>%1 に書き込めませんでした。</source>
        <translation>%1 could not be written.</translation>
    </message>
    <message>
        <source>%1 を読めませんでした。</source>
        <translation>%1 could not be read.</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>保存する(&amp;S)</source>
        <translation>&amp;Save...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>データをテキスト出力</source>
        <translation>&amp;Export data as text...</translation>
    </message>
    <message>
        <source>印刷設定</source>
        <translation>Print set&amp;up...</translation>
    </message>
    <message>
        <source>グラフ印刷(&amp;P)</source>
        <translation>&amp;Print graph...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>測定(&amp;M)</source>
        <translation>&amp;Measure</translation>
    </message>
    <message>
        <source>開始(&amp;S)</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>結果を分析</source>
        <translation>&amp;Analyse results...</translation>
    </message>
    <message>
        <source>グラフ(&amp;G)</source>
        <translation>&amp;Graph</translation>
    </message>
    <message>
        <source>抵抗値のみ表示</source>
        <translation>&amp;Impedance only</translation>
    </message>
    <message>
        <source>測定値は太線で描画</source>
        <translation>&amp;Thick lines for the measurement</translation>
    </message>
    <message>
        <source>平均処理</source>
        <translation>&amp;Averaging</translation>
    </message>
    <message>
        <source>参照データ(&amp;R)</source>
        <translation>&amp;Reference</translation>
    </message>
    <message>
        <source>読込み</source>
        <translation>&amp;Load...</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>&amp;Clear</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Se&amp;ttings</translation>
    </message>
    <message>
        <source>COMポート</source>
        <translation>&amp;COM port...</translation>
    </message>
    <message>
        <source>グラフの線色</source>
        <translation>Graph line c&amp;olours...</translation>
    </message>
    <message>
        <source>抵抗値150Ωのメッセージ</source>
        <translation>&amp;Warn above 150 Ω</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>バージョン(&amp;V)</source>
        <translation>&amp;Version</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>測定周波数帯域</source>
        <translation>Frequency band</translation>
    </message>
    <message>
        <source>データファイルを選んでください</source>
        <translation>Choose a data file</translation>
    </message>
    <message>
        <source>参照ファイルを選んでください(５個まで)</source>
        <translation>Choose reference files (up to 5)</translation>
    </message>
    <message>
        <source>データファイル (*.DTA)</source>
        <translation>Data files (*.DTA)</translation>
    </message>
    <message>
        <source>データファイル (*.txt)</source>
        <translation>Data files (*.txt)</translation>
    </message>
    <message>
        <source>デスクトップの言語に合わせる</source>
        <translation>Follow the desktop</translation>
    </message>
    <message>
        <source>ZMA出力</source>
        <translation>Export ZMA</translation>
    </message>
    <message>
        <source>ZMAファイル (*.zma)</source>
        <translation>ZMA files (*.zma)</translation>
    </message>
    <message>
        <source>ZMAファイル (*.zma *.ZMA);;FRDファイル (*.frd *.FRD);;テキストの表 (*.txt *.csv *.dat *.TXT *.CSV *.DAT);;すべてのファイル (*)</source>
        <translation>ZMA files (*.zma *.ZMA);;FRD files (*.frd *.FRD);;Text tables (*.txt *.csv *.dat *.TXT *.CSV *.DAT);;All files (*)</translation>
    </message>
    <message>
        <source>繰り返し測定...</source>
        <translation>Repeated sweeps...</translation>
    </message>
    <message>
        <source>繰り返し測定の±2σを表示</source>
        <translation>Show ±2σ of repeated sweeps</translation>
    </message>
    <message>
        <source>繰り返し測定</source>
        <translation>Repeated sweeps</translation>
    </message>
    <message>
        <source>掃引の回数（%1～%2）</source>
        <translation>Number of sweeps (%1 to %2)</translation>
    </message>
    <message>
        <source>|Z|と位相を表示</source>
        <translation>Show |Z| and phase</translation>
    </message>
    <message>
        <source>RとXを表示</source>
        <translation>Show R and X</translation>
    </message>
    <message>
        <source>ナイキスト線図を表示</source>
        <translation>Show Nyquist plot</translation>
    </message>
    <message>
        <source>参照データとの差を表示</source>
        <translation>Show difference from reference</translation>
    </message>
    <message>
        <source>参照データとの比を表示</source>
        <translation>Show ratio to reference</translation>
    </message>
    <message>
        <source>差を%で表示</source>
        <translation>Difference in %</translation>
    </message>
    <message>
        <source>凡例を表示</source>
        <translation>Show legend</translation>
    </message>
    <message>
        <source>|Z|を対数目盛で表示</source>
        <translation>Logarithmic |Z| axis</translation>
    </message>
    <message>
        <source>比べる参照データ</source>
        <translation>Reference to compare with</translation>
    </message>
    <message>
        <source>参照データ%1</source>
        <translation>Reference data %1</translation>
    </message>
</context>
<context>
    <name>TFormPrnInfo</name>
    <message>
        <source>VELO グラフ印刷</source>
        <translation>VELO Print graph</translation>
    </message>
    <message>
        <source>印刷する測定情報の設定</source>
        <translation>Measurement information to print</translation>
    </message>
    <message>
        <source>取消し</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>&amp;Print</translation>
    </message>
</context>
<context>
    <name>TFormQc</name>
    <message>
        <source>VELO / QCモード</source>
        <translation>VELO / QC mode</translation>
    </message>
    <message>
        <source>QCモード</source>
        <translation>&amp;QC mode...</translation>
    </message>
    <message>
        <source>限度ファイル</source>
        <translation>Limits file</translation>
    </message>
    <message>
        <source>選択...</source>
        <translation>Choose...</translation>
    </message>
    <message>
        <source>QC 限度ファイル (*.limits *.txt);;すべてのファイル (*)</source>
        <translation>QC limits files (*.limits *.txt);;All files (*)</translation>
    </message>
    <message>
        <source>保存先フォルダ</source>
        <translation>Save folder</translation>
    </message>
    <message>
        <source>空欄なら限度ファイルのフォルダ</source>
        <translation>empty: the limits file&apos;s folder</translation>
    </message>
    <message>
        <source>結果ログ</source>
        <translation>Results log</translation>
    </message>
    <message>
        <source>空欄なら保存先フォルダの SQLite ファイル、または postgresql://...</source>
        <translation>empty: an SQLite file in the save folder, or postgresql://...</translation>
    </message>
    <message>
        <source>シリアル番号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>測定開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>限度バンドと測定値のグラフ</source>
        <translation>Graph of the limit band and the measured curve</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>不合格の理由</source>
        <translation>Reasons for failing</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>PASS</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>FAIL</translation>
    </message>
    <message>
        <source>シリアル番号を入力してください</source>
        <translation>Enter a serial number</translation>
    </message>
    <message>
        <source>シリアル番号 &quot;%1&quot; はファイル名に使えません</source>
        <translation>The serial number &quot;%1&quot; cannot be used as a file name</translation>
    </message>
    <message>
        <source>シリアル番号が長すぎます（%1 文字、最大 %2 文字）</source>
        <translation>The serial number is too long (%1 characters, at most %2)</translation>
    </message>
    <message>
        <source>保存先フォルダ &quot;%1&quot; がありません</source>
        <translation>The save folder &quot;%1&quot; does not exist</translation>
    </message>
    <message>
        <source>%1 は測定しませんでした：%2 を測定中です。終わってからもう一度スキャンしてください</source>
        <translation>%1 was not measured: %2 is being measured. Scan it again when that has finished</translation>
    </message>
    <message>
        <source>%1 を測定中 %2/%3</source>
        <translation>Measuring %1 %2/%3</translation>
    </message>
    <message>
        <source>測定できませんでした：%1</source>
        <translation>Could not measure: %1</translation>
    </message>
    <message>
        <source>データが正しくありません</source>
        <translation>The data are not valid</translation>
    </message>
    <message>
        <source>保存しました：%1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>保存できませんでした：%1</source>
        <translation>Could not save: %1</translation>
    </message>
    <message>
        <source>測定を中止しました</source>
        <translation>Measurement stopped</translation>
    </message>
    <message>
        <source>シリアル番号を入力（またはスキャン）して Enter で測定します</source>
        <translation>Type (or scan) a serial number and press Enter to measure</translation>
    </message>
    <message>
        <source>%1 の結果を記録中…</source>
        <translation>Logging the result of %1…</translation>
    </message>
    <message>
        <source>記録しました：%1</source>
        <translation>Logged: %1</translation>
    </message>
    <message>
        <source>記録できませんでした：%1</source>
        <translation>Could not log: %1</translation>
    </message>
    <message>
        <source>サーバーに送れていません（ステーションのスプールに保存）：%1</source>
        <translation>Not sent to the server (kept in the station&apos;s spool): %1</translation>
    </message>
    <message>
        <source>ゲージスタディ...</source>
        <translation>Gauge study...</translation>
    </message>
    <message>
        <source>スタディ終了</source>
        <translation>End the study</translation>
    </message>
    <message>
        <source>ゲージスタディ（繰返し性・再現性）</source>
        <translation>Gauge study (repeatability and reproducibility)</translation>
    </message>
    <message>
        <source>スタディ名</source>
        <translation>Study name</translation>
    </message>
    <message>
        <source>部品の数</source>
        <translation>Parts</translation>
    </message>
    <message>
        <source>作業者</source>
        <translation>Operators</translation>
    </message>
    <message>
        <source>カンマ区切り（例：A, B, C）</source>
        <translation>separated by commas (e.g. A, B, C)</translation>
    </message>
    <message>
        <source>試行回数</source>
        <translation>Trials</translation>
    </message>
    <message>
        <source>部品 %1／作業者 %2／試行 %3</source>
        <translation>part %1 / operator %2 / trial %3</translation>
    </message>
    <message>
        <source>ゲージスタディ「%1」を準備中…</source>
        <translation>Setting up gauge study &quot;%1&quot;…</translation>
    </message>
    <message>
        <source>ゲージスタディを始められません：%1</source>
        <translation>Cannot start the gauge study: %1</translation>
    </message>
    <message>
        <source>ゲージスタディ「%1」：作業者 %2 が部品 %3 を測定してください（試行 %4/%5、測定済み %6/%7）</source>
        <translation>Gauge study &quot;%1&quot;: operator %2, measure part %3 (trial %4 of %5; %6 of %7 measured)</translation>
    </message>
    <message>
        <source>ゲージスタディ「%1」：全 %3 件のうち %2 件を測定、記録を待っています…</source>
        <translation>Gauge study &quot;%1&quot;: %2 of %3 measured, waiting for the log…</translation>
    </message>
    <message>
        <source>ゲージスタディ「%1」の測定が終わりました。計算中…</source>
        <translation>Gauge study &quot;%1&quot; is measured. Working it out…</translation>
    </message>
    <message>
        <source>ゲージスタディ「%1」完了：パラメータごとの結果は下のとおりです</source>
        <translation>Gauge study &quot;%1&quot; done: the result of each parameter is below</translation>
    </message>
    <message>
        <source>%1：%GRR %2 %、ndc %3、%4</source>
        <translation>%1: %GRR %2 %, ndc %3, %4</translation>
    </message>
    <message>
        <source>許容できる</source>
        <translation>acceptable</translation>
    </message>
    <message>
        <source>条件付きで許容</source>
        <translation>marginal</translation>
    </message>
    <message>
        <source>許容できない</source>
        <translation>not acceptable</translation>
    </message>
    <message>
        <source>%1：計算できません：%2</source>
        <translation>%1: cannot be worked out: %2</translation>
    </message>
    <message>
        <source>管理図...</source>
        <translation>Control charts...</translation>
    </message>
    <message>
        <source>VELO / 管理図と工程能力</source>
        <translation>VELO / Control charts and capability</translation>
    </message>
    <message>
        <source>工程能力の単位</source>
        <translation>Capability per</translation>
    </message>
    <message>
        <source>日</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>シフト</source>
        <translation>Shift</translation>
    </message>
    <message>
        <source>ステーション</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>パラメータ</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>期間</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>%1 を読んでいます…</source>
        <translation>Reading %1…</translation>
    </message>
    <message>
        <source>%1 台、歩留まり %2 %、Cpk %3、Ppk %4、ルール違反の点 %5</source>
        <translation>%1 units, yield %2 %, Cpk %3, Ppk %4, points breaking a rule %5</translation>
    </message>
</context>
<context>
    <name>TFormSetColor</name>
    <message>
        <source>グラフ線色設定</source>
        <translation>Graph line colours</translation>
    </message>
    <message>
        <source>測定データ</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>抵抗値グラフ</source>
        <translation>Impedance</translation>
    </message>
    <message>
        <source>位相角グラフ</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>参照データ</source>
        <translation>References</translation>
    </message>
    <message>
        <source>データ１</source>
        <translation>Data 1</translation>
    </message>
    <message>
        <source>データ２</source>
        <translation>Data 2</translation>
    </message>
    <message>
        <source>データ３</source>
        <translation>Data 3</translation>
    </message>
    <message>
        <source>データ４</source>
        <translation>Data 4</translation>
    </message>
    <message>
        <source>データ５</source>
        <translation>Data 5</translation>
    </message>
    <message>
        <source>取り消し</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>&amp;Set</translation>
    </message>
</context>
<context>
    <name>TFormSetting</name>
    <message>
        <source>COMポートの設定</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>取り消し</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>&amp;Set</translation>
    </message>
    <message>
        <source>接続されている機器：</source>
        <translation>Plugged-in devices:</translation>
    </message>
    <message>
        <source>接続されている機器</source>
        <translation>Plugged-in devices</translation>
    </message>
    <message>
        <source>機器の説明</source>
        <translation>Device description</translation>
    </message>
    <message>
        <source>（変更しない）</source>
        <translation>(leave as it is)</translation>
    </message>
</context>
<context>
    <name>TFormTS</name>
    <message>
        <source>TS の計算</source>
        <translation>TS calculation</translation>
    </message>
    <message>
        <source>±U (k=2)、%1回から</source>
        <translation>±U (k=2), from %1 sweeps</translation>
    </message>
</context>
<context>
    <name>TFormUnits</name>
    <message>
        <source>VELO / 複数ユニットの比較</source>
        <translation>VELO / Compare many units</translation>
    </message>
    <message>
        <source>複数ユニットの比較...</source>
        <translation>Compare many &amp;units...</translation>
    </message>
    <message>
        <source>ファイルを追加...</source>
        <translation>Add files...</translation>
    </message>
    <message>
        <source>フォルダを追加...</source>
        <translation>Add folder...</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>再計算</source>
        <translation>Recompute</translation>
    </message>
    <message>
        <source>比較するファイル</source>
        <translation>Files to compare</translation>
    </message>
    <message>
        <source>比較するファイルのフォルダ</source>
        <translation>Folder of the files to compare</translation>
    </message>
    <message>
        <source>ファイルごとの Re の一覧</source>
        <translation>Re of each file</translation>
    </message>
    <message>
        <source>測定データと表 (*.DTA *.dta *.zma *.frd);;すべてのファイル (*)</source>
        <translation>Data files and tables (*.DTA *.dta *.zma *.frd);;All files (*)</translation>
    </message>
    <message>
        <source>ファイル,Re の一覧 (*.csv *.txt);;すべてのファイル (*)</source>
        <translation>file,Re lists (*.csv *.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Re</source>
        <translation>Re</translation>
    </message>
    <message>
        <source>全ユニットに入力 [Ω]</source>
        <translation>Typed for all units [Ω]</translation>
    </message>
    <message>
        <source>ファイル,Re の一覧から</source>
        <translation>From a file,Re list</translation>
    </message>
    <message>
        <source>曲線から推定</source>
        <translation>Estimated from the curve</translation>
    </message>
    <message>
        <source>一覧を選ぶ...</source>
        <translation>Choose list...</translation>
    </message>
    <message>
        <source>（一覧なし）</source>
        <translation>(no list chosen)</translation>
    </message>
    <message>
        <source>Re には正の数を入力してください。</source>
        <translation>Type a positive number for Re.</translation>
    </message>
    <message>
        <source>Re の一覧 %1 を読めません。</source>
        <translation>Cannot read the Re list %1.</translation>
    </message>
    <message>
        <source>Re の一覧の %1 行目が「ファイル,Re」ではありません。</source>
        <translation>Line %1 of the Re list is not &quot;file,Re&quot;.</translation>
    </message>
    <message>
        <source>* 曲線から推定した Re（帯域内の |Z|·cos θ の最小値）</source>
        <translation>* Re estimated from the curve (the lowest |Z|·cos θ in the band)</translation>
    </message>
    <message>
        <source>読めないか、測定データではありません</source>
        <translation>unreadable or not a data file</translation>
    </message>
    <message>
        <source>測定データも表もないフォルダです</source>
        <translation>folder without data files or tables</translation>
    </message>
    <message>
        <source>Re の一覧にありません</source>
        <translation>not in the Re list</translation>
    </message>
    <message>
        <source>Re を推定できません</source>
        <translation>Re cannot be estimated</translation>
    </message>
    <message>
        <source>%1 / %2 ファイルを除きました:</source>
        <translation>%1 of %2 files left out:</translation>
    </message>
    <message>
        <source>値を求められるユニットがありません。</source>
        <translation>No unit gives values.</translation>
    </message>
    <message>
        <source>%1 は他のファイルと共通の帯域がありません。</source>
        <translation>%1 shares no band with the other files.</translation>
    </message>
    <message>
        <source>計算中...</source>
        <translation>Computing...</translation>
    </message>
    <message>
        <source>一覧</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>組分け</source>
        <translation>Matched sets</translation>
    </message>
    <message>
        <source>経時変化</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>σ (n−1)</source>
        <translation>σ (n−1)</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>k</source>
        <translation>k</translation>
    </message>
    <message>
        <source>%1 の分布</source>
        <translation>Distribution of %1</translation>
    </message>
    <message>
        <source>組の数</source>
        <translation>Sets</translation>
    </message>
    <message>
        <source>各組の数（空欄は均等）</source>
        <translation>Units per set (empty: even)</translation>
    </message>
    <message>
        <source>そろえる値</source>
        <translation>Match by</translation>
    </message>
    <message>
        <source>組</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>ばらつき</source>
        <translation>Spread</translation>
    </message>
    <message>
        <source>最大のばらつき %1（厳密解）</source>
        <translation>Worst spread %1 (exact)</translation>
    </message>
    <message>
        <source>最大のばらつき %1（近似解。最適解は %2 以上）</source>
        <translation>Worst spread %1 (heuristic; the best split is at least %2)</translation>
    </message>
    <message>
        <source>各組の数は正の整数を , で区切って入力してください。</source>
        <translation>Type the units per set as positive whole numbers separated by commas, one per set.</translation>
    </message>
    <message>
        <source>ユニット %1 個を %2 組には分けられません。</source>
        <translation>%1 units cannot be split into %2 sets.</translation>
    </message>
    <message>
        <source>各組の数の合計 %1 がユニットの数 %2 と合いません。</source>
        <translation>The sets hold %1 units in all, not the %2 loaded.</translation>
    </message>
    <message>
        <source>そろえる値を一つ以上選んでください。</source>
        <translation>Choose at least one value to match by.</translation>
    </message>
    <message>
        <source>測定日時</source>
        <translation>Measured</translation>
    </message>
    <message>
        <source>安定の判定 [%]</source>
        <translation>Settled below [%]</translation>
    </message>
    <message>
        <source>安定: 最後の二つの Fs の差は判定値未満です。</source>
        <translation>Settled: the last two Fs differ by less than the limit.</translation>
    </message>
    <message>
        <source>未安定: 最後の二つの Fs の差が判定値以上です。</source>
        <translation>Not settled: the last two Fs differ by the limit or more.</translation>
    </message>
    <message>
        <source>? 日と月のどちらが先か決められない日付です（月を先と読みました）。</source>
        <translation>? The day and month could be either way round (read month first).</translation>
    </message>
    <message>
        <source>~ 記録に日時がないため、ファイルの更新日時です。</source>
        <translation>~ No date in the record: the file&apos;s modification time.</translation>
    </message>
    <message>
        <source>そろえる値に数でないものがあります。</source>
        <translation>A value to match by is not a number.</translation>
    </message>
    <message>
        <source>メイングラフに |Z| と位相の範囲を表示</source>
        <translation>Show the range of |Z| and phase on the main graph</translation>
    </message>
    <message>
        <source>平均 ± kσ</source>
        <translation>Mean ± kσ</translation>
    </message>
    <message>
        <source>最小〜最大</source>
        <translation>Minimum to maximum</translation>
    </message>
    <message>
        <source>結果ログから追加...</source>
        <translation>Add from results log...</translation>
    </message>
    <message>
        <source>結果ログのユニット</source>
        <translation>Units of a results log</translation>
    </message>
    <message>
        <source>結果ログ:</source>
        <translation>Results log:</translation>
    </message>
    <message>
        <source>SQLite ファイルのパスまたは postgresql://user@host/db</source>
        <translation>Path of an SQLite file or postgresql://user@host/db</translation>
    </message>
    <message>
        <source>この日から:</source>
        <translation>From this day:</translation>
    </message>
    <message>
        <source>判定:</source>
        <translation>Verdict:</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>合格のみ</source>
        <translation>Passed only</translation>
    </message>
    <message>
        <source>不合格のみ</source>
        <translation>Failed only</translation>
    </message>
    <message>
        <source>ステーション:</source>
        <translation>Station:</translation>
    </message>
    <message>
        <source>（すべて）</source>
        <translation>(all)</translation>
    </message>
    <message>
        <source>条件に合う保存済みの測定がありません。</source>
        <translation>No saved measurement matches.</translation>
    </message>
</context>
<context>
    <name>TFormVersion</name>
    <message>
        <source>VELO バージョン情報</source>
        <translation>About VELO</translation>
    </message>
    <message>
        <source>スピーカのインピーダンス測定</source>
        <translation>Loudspeaker impedance measurement</translation>
    </message>
</context>
<context>
    <name>TFormWorksheet</name>
    <message>
        <source>VELO / T/S ワークシート</source>
        <translation>VELO / T/S worksheet</translation>
    </message>
    <message>
        <source>T/S ワークシート</source>
        <translation>T/S &amp;worksheet...</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Inputs</translation>
    </message>
    <message>
        <source>自由空間の測定に加える曲線（参照データ）</source>
        <translation>Curves added to the free-air measurement (references)</translation>
    </message>
    <message>
        <source>Re [Ω]</source>
        <translation>Re [Ω]</translation>
    </message>
    <message>
        <source>Sd [cm²]</source>
        <translation>Sd [cm²]</translation>
    </message>
    <message>
        <source>または振動板の直径 [mm]</source>
        <translation>or the cone diameter [mm]</translation>
    </message>
    <message>
        <source>気温 [°C]</source>
        <translation>Temperature [°C]</translation>
    </message>
    <message>
        <source>気圧 [hPa]</source>
        <translation>Pressure [hPa]</translation>
    </message>
    <message>
        <source>付加質量 m%1</source>
        <translation>Added mass m%1</translation>
    </message>
    <message>
        <source>密閉箱</source>
        <translation>Sealed box</translation>
    </message>
    <message>
        <source>質量 [g]</source>
        <translation>Mass [g]</translation>
    </message>
    <message>
        <source>容積 [L]</source>
        <translation>Volume [L]</translation>
    </message>
    <message>
        <source>曲線</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>（使わない）</source>
        <translation>(not used)</translation>
    </message>
    <message>
        <source>参照 %1: %2</source>
        <translation>Reference %1: %2</translation>
    </message>
    <message>
        <source>参照 %1: （空）</source>
        <translation>Reference %1: (empty)</translation>
    </message>
    <message>
        <source>この質量で測定</source>
        <translation>&amp;Measure with this mass</translation>
    </message>
    <message>
        <source>この箱で測定</source>
        <translation>Measure in this &amp;box</translation>
    </message>
    <message>
        <source>測定停止</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>テキストをコピー</source>
        <translation>&amp;Copy text</translation>
    </message>
    <message>
        <source>JSON 保存</source>
        <translation>Save &amp;JSON...</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>C&amp;lose</translation>
    </message>
    <message>
        <source>方法ごとの比較</source>
        <translation>Comparison of the methods</translation>
    </message>
    <message>
        <source>計算の過程</source>
        <translation>Working</translation>
    </message>
    <message>
        <source>区分</source>
        <translation>Section</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>単位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>式と数値</source>
        <translation>Formula and numbers</translation>
    </message>
    <message>
        <source>計算の状態</source>
        <translation>Calculation state</translation>
    </message>
    <message>
        <source>自由空間の測定データがありません。測定するかファイルを開いてください。</source>
        <translation>There is no free-air measurement. Measure or open a file.</translation>
    </message>
    <message>
        <source>%1 に数値を入力してください。</source>
        <translation>Enter a number in %1.</translation>
    </message>
    <message>
        <source>Re [Ω] を入力してください。</source>
        <translation>Enter Re [Ω].</translation>
    </message>
    <message>
        <source>%1 の質量 [g] を入力してください。</source>
        <translation>Enter the mass [g] of %1.</translation>
    </message>
    <message>
        <source>密閉箱の容積 [L] を入力してください。</source>
        <translation>Enter the volume [L] of the sealed box.</translation>
    </message>
    <message>
        <source>密閉箱の容積は 0 より大きい数で入力してください（&quot;%1&quot;）。</source>
        <translation>Enter a box volume above 0 litres (&quot;%1&quot;).</translation>
    </message>
    <message>
        <source>参照 %1 は空です。参照データを読み込むか別の参照を選んでください。</source>
        <translation>Reference %1 is empty. Load a reference or choose another one.</translation>
    </message>
    <message>
        <source>%1: %2 は参照データから外れたので使いません。</source>
        <translation>%1: %2 is no longer among the references and is left out.</translation>
    </message>
    <message>
        <source>自由空間の測定をファイルに保存してから%1の測定をしてください（その曲線は自由空間のファイルの横に保存されます）。</source>
        <translation>Save the free-air measurement to a file before measuring “%1” (its curve is saved beside the free-air file).</translation>
    </message>
    <message>
        <source>参照データの空きがありません。参照データをクリアしてから測定してください。</source>
        <translation>No reference slot is free. Clear the references before measuring.</translation>
    </message>
    <message>
        <source>%1 g で測定中: %2 / %3 点</source>
        <translation>Measuring with %1 g: %2 / %3 points</translation>
    </message>
    <message>
        <source>%1の測定ができませんでした: %2
参照データと自由空間の測定はそのままです。</source>
        <translation>The measurement for “%1” failed: %2
The references and the free-air measurement are unchanged.</translation>
    </message>
    <message>
        <source>密閉箱 %1 L で測定中: %2 / %3 点</source>
        <translation>Measuring in the %1 L box: %2 / %3 points</translation>
    </message>
    <message>
        <source>%1 に保存できませんでした</source>
        <translation>Could not save to %1</translation>
    </message>
    <message>
        <source>%1 を参照データに読み込めませんでした</source>
        <translation>Could not load %1 as a reference</translation>
    </message>
    <message>
        <source>%1 に保存し、参照 %2 に読み込みました。</source>
        <translation>Saved to %1 and loaded as reference %2.</translation>
    </message>
    <message>
        <source>ワークシートの測定を停止しました。</source>
        <translation>The worksheet&apos;s measurement was stopped.</translation>
    </message>
    <message>
        <source>T/S ワークシートはいまの測定を自由空間の曲線として使っています。新しい測定はそれを置き換え、ワークシートの値はすべて新しい曲線から計算されます。
密閉箱や付加質量の曲線はワークシートの「この箱で測定」「この質量で測定」で測ってください。

測定を始めますか？</source>
        <translation>The T/S worksheet uses the present measurement as its free-air curve. A new measurement replaces it, and every value of the worksheet is then computed from the new curve.
Measure the sealed-box and added-mass curves with “Measure in this box” and “Measure with this mass” in the worksheet.

Start the measurement?</translation>
    </message>
    <message>
        <source>ワークシートを JSON で保存</source>
        <translation>Save the worksheet as JSON</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>%1 に保存できませんでした。</source>
        <translation>Could not save to %1.</translation>
    </message>
    <message>
        <source>印刷できませんでした。</source>
        <translation>Could not print.</translation>
    </message>
    <message>
        <source>表をテキストでコピーしました。</source>
        <translation>The table was copied as text.</translation>
    </message>
    <message>
        <source>モデルフィット</source>
        <translation>Model fit</translation>
    </message>
    <message>
        <source>モデル</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>古典 (Re + Le + 共振)</source>
        <translation>Classic (Re + Le + resonance)</translation>
    </message>
    <message>
        <source>LR-2</source>
        <translation>LR-2</translation>
    </message>
    <message>
        <source>セミインダクタンス + クリープ</source>
        <translation>Semi-inductance + creep</translation>
    </message>
    <message>
        <source>Re もフィットする（外すと入力の Re に固定）</source>
        <translation>Fit Re too (unchecked: held at the Re above)</translation>
    </message>
    <message>
        <source>グラフに表示</source>
        <translation>Show on the graph</translation>
    </message>
    <message>
        <source>フィット曲線の色</source>
        <translation>Colour of the fitted curve</translation>
    </message>
    <message>
        <source>フィットの結果</source>
        <translation>Fit results</translation>
    </message>
    <message>
        <source>フィット中…</source>
        <translation>Fitting…</translation>
    </message>
    <message>
        <source>標準誤差</source>
        <translation>Std. error</translation>
    </message>
    <message>
        <source>古典的方法</source>
        <translation>Classic method</translation>
    </message>
    <message>
        <source>湿度 [%]</source>
        <translation>Humidity [%]</translation>
    </message>
    <message>
        <source>または空気密度 ρ [kg/m³]</source>
        <translation>or air density ρ [kg/m³]</translation>
    </message>
    <message>
        <source>音速 c [m/s]</source>
        <translation>Speed of sound c [m/s]</translation>
    </message>
    <message>
        <source>計算に使う空気: ρ = %1 kg/m³、c = %2 m/s</source>
        <translation>Air used: ρ = %1 kg/m³, c = %2 m/s</translation>
    </message>
    <message>
        <source>ボイスコイル温度 [°C]</source>
        <translation>Voice-coil temperature [°C]</translation>
    </message>
    <message>
        <source>コイルの材料</source>
        <translation>Coil material</translation>
    </message>
    <message>
        <source>アルミニウム (α = 0.00403 /K)</source>
        <translation>Aluminium (α = 0.00403 /K)</translation>
    </message>
    <message>
        <source>銅 (α = 0.00393 /K)</source>
        <translation>Copper (α = 0.00393 /K)</translation>
    </message>
    <message>
        <source>数値から計算（曲線を使わない）</source>
        <translation>From numbers (no curves)</translation>
    </message>
    <message>
        <source>Fs [Hz]</source>
        <translation>Fs [Hz]</translation>
    </message>
    <message>
        <source>Qms</source>
        <translation>Qms</translation>
    </message>
    <message>
        <source>Qes</source>
        <translation>Qes</translation>
    </message>
    <message>
        <source>m%1 を付けた Fs&apos; [Hz]</source>
        <translation>Fs&apos; with m%1 [Hz]</translation>
    </message>
    <message>
        <source>数値から計算するには %1 を入力してください。</source>
        <translation>To compute from numbers, enter %1.</translation>
    </message>
    <message>
        <source>数値から計算するときはモデルフィットを使いません。</source>
        <translation>The model fit is not used when computing from numbers.</translation>
    </message>
    <message>
        <source>不確かさを表示 (x ± U, k=2)</source>
        <translation>Show the uncertainty (x ± U, k=2)</translation>
    </message>
    <message>
        <source>内訳を表示</source>
        <translation>Show the budget</translation>
    </message>
    <message>
        <source>Re の ± [Ω]</source>
        <translation>± of Re [Ω]</translation>
    </message>
    <message>
        <source>はかりの分解能 [g]</source>
        <translation>Scale resolution [g]</translation>
    </message>
    <message>
        <source>Sd の ± [%]</source>
        <translation>± of Sd [%]</translation>
    </message>
    <message>
        <source>直径の ± [mm]</source>
        <translation>± of the diameter [mm]</translation>
    </message>
    <message>
        <source>ρ の ± [kg/m³]</source>
        <translation>± of ρ [kg/m³]</translation>
    </message>
    <message>
        <source>c の ± [m/s]</source>
        <translation>± of c [m/s]</translation>
    </message>
    <message>
        <source>気温の ± [°C]</source>
        <translation>± of the temperature [°C]</translation>
    </message>
    <message>
        <source>気圧の ± [hPa]</source>
        <translation>± of the pressure [hPa]</translation>
    </message>
    <message>
        <source>湿度の ± [%]</source>
        <translation>± of the humidity [%]</translation>
    </message>
    <message>
        <source>コイル温度の ± [°C]</source>
        <translation>± of the coil temperature [°C]</translation>
    </message>
    <message>
        <source>バスレフ箱</source>
        <translation>Vented box</translation>
    </message>
    <message>
        <source>箱の曲線</source>
        <translation>Box curve</translation>
    </message>
    <message>
        <source>バスレフ箱の値</source>
        <translation>Vented box values</translation>
    </message>
    <message>
        <source>箱の曲線とモデル</source>
        <translation>Box curve and model</translation>
    </message>
    <message>
        <source>教科書の式</source>
        <translation>Textbook</translation>
    </message>
    <message>
        <source>フィット</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>fL（下のピーク）</source>
        <translation>fL (lower peak)</translation>
    </message>
    <message>
        <source>fM（谷）</source>
        <translation>fM (minimum)</translation>
    </message>
    <message>
        <source>fH（上のピーク）</source>
        <translation>fH (upper peak)</translation>
    </message>
    <message>
        <source>Fb（ポートの共振）</source>
        <translation>Fb (port tuning)</translation>
    </message>
    <message>
        <source>α = Vas / Vb</source>
        <translation>α = Vas / Vb</translation>
    </message>
    <message>
        <source>fs（自由空間）</source>
        <translation>fs (free air)</translation>
    </message>
    <message>
        <source>Vas</source>
        <translation>Vas</translation>
    </message>
    <message>
        <source>QL（漏れ）</source>
        <translation>QL (leakage)</translation>
    </message>
    <message>
        <source>QA（吸音）</source>
        <translation>QA (absorption)</translation>
    </message>
    <message>
        <source>QP（ポートの損失）</source>
        <translation>QP (port loss)</translation>
    </message>
    <message>
        <source>残差 |Z| RMS</source>
        <translation>Residual |Z| RMS</translation>
    </message>
    <message>
        <source>見られない</source>
        <translation>none seen</translation>
    </message>
    <message>
        <source>fL 下のピーク</source>
        <translation>fL lower peak</translation>
    </message>
    <message>
        <source>fM ≈ Fb 谷</source>
        <translation>fM ≈ Fb minimum</translation>
    </message>
    <message>
        <source>fH 上のピーク</source>
        <translation>fH upper peak</translation>
    </message>
    <message>
        <source>箱の測定</source>
        <translation>Box measured</translation>
    </message>
    <message>
        <source>損失のある箱のモデル</source>
        <translation>Lossy box model</translation>
    </message>
    <message>
        <source>バスレフ箱の曲線を参照データから選び、箱の正味の容積を入れてください。</source>
        <translation>Choose the vented box&apos;s curve from the references and type the box&apos;s net volume.</translation>
    </message>
    <message>
        <source>バスレフ箱の容積 %1 L: 0 L より大きい値を入れてください。</source>
        <translation>Vented box volume %1 L: type a value above 0 L.</translation>
    </message>
    <message>
        <source>箱の曲線はバンド %1、自由空間の曲線はバンド %2 です。同じバンドで測定してください。</source>
        <translation>The box curve is on band %1, the free-air curve on band %2. Measure both on the same band.</translation>
    </message>
    <message>
        <source>箱の曲線のバンドに測定点がありません。</source>
        <translation>The box curve&apos;s band holds no measured point.</translation>
    </message>
    <message>
        <source>箱の曲線にインピーダンスのピークが一つしかありません（密閉箱か、ふさがったポート）。密閉箱なら、上の「密閉箱」にこの曲線と容積を選んで密閉箱の解析を使ってください。</source>
        <translation>The box curve has only one impedance peak (a sealed box or a blocked port). For a sealed box, choose this curve and its volume under &quot;Sealed box&quot; above and use the sealed-box analysis.</translation>
    </message>
    <message>
        <source>自由空間の曲線からドライバーのモデルが求まりません: %1</source>
        <translation>The free-air curve gives no driver model: %1</translation>
    </message>
    <message>
        <source>損失のある箱のモデルが箱の曲線に合いません。教科書の式の値だけを示します。</source>
        <translation>No lossy box model follows the box curve. Only the textbook values are shown.</translation>
    </message>
    <message>
        <source>フィット: ドライバーは自由空間の %1 モデル、箱の損失は %2</source>
        <translation>Fit: the driver is the free-air %1 model; box losses: %2</translation>
    </message>
    <message>
        <source>漏れ</source>
        <translation>leakage</translation>
    </message>
    <message>
        <source>吸音</source>
        <translation>absorption</translation>
    </message>
    <message>
        <source>ポート</source>
        <translation>port</translation>
    </message>
</context>
<context>
    <name>TForm_Re</name>
    <message>
        <source>TS の計算</source>
        <translation>TS calculation</translation>
    </message>
    <message>
        <source>Re [Ω] の値を入力してください</source>
        <translation>Enter the value of Re [Ω]</translation>
    </message>
    <message>
        <source>例&#x3000;：&#x3000;2.31&#x3000;(数値のみ)</source>
        <translation>Example: 2.31 (a number only)</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>&amp;Enter</translation>
    </message>
    <message>
        <source>取消し</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TH_Message</name>
    <message>
        <source>致命的なメモリエラーです:%1</source>
        <translation>Fatal memory error: %1</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>不正なCOM指定です</source>
        <translation>Not a valid COM port name</translation>
    </message>
    <message>
        <source>COMポートを機器に結び付けられませんでした
%1</source>
        <translation>The COM port could not be linked to the device
%1</translation>
    </message>
    <message>
        <source>COM番号エラーです</source>
        <translation>Not a valid COM port number</translation>
    </message>
    <message>
        <source>初期設定ファイルを保存できませんでした</source>
        <translation>The settings file could not be saved</translation>
    </message>
    <message>
        <source>データファイルの内容が正しくありませんでした</source>
        <translation>The data file is not valid</translation>
    </message>
    <message>
        <source>%1 が見つかりません</source>
        <translation>%1 not found</translation>
    </message>
    <message>
        <source>COMポートが開けませんでした。COM番号を確認して下さい。</source>
        <translation>The COM port could not be opened. Please check the COM port number.</translation>
    </message>
    <message>
        <source>%1ユニットが見つかりませんでした。COM番号を確認して下さい。</source>
        <translation>No %1 unit was found. Please check the COM port number.</translation>
    </message>
    <message>
        <source>データエラーで計算できませんでした</source>
        <translation>Data error: could not calculate</translation>
    </message>
    <message>
        <source>データがありません</source>
        <translation>There is no data</translation>
    </message>
    <message>
        <source>測定データを保存していません。破棄して新しい測定を開始しますか？</source>
        <translation>The measurement has not been saved. Discard it and start a new measurement?</translation>
    </message>
    <message>
        <source>測定データを保存していません。データを破棄しますか？</source>
        <translation>The measurement has not been saved. Discard the data?</translation>
    </message>
    <message>
        <source>測定データを保存していません。終了しますか？</source>
        <translation>The measurement has not been saved. Exit anyway?</translation>
    </message>
    <message>
        <source>測定データを保存していません。破棄しますか？</source>
        <translation>The measurement has not been saved. Discard it?</translation>
    </message>
    <message>
        <source>ファイル：%1があります。
上書きしますか</source>
        <translation>The file %1 exists.
Overwrite it?</translation>
    </message>
    <message>
        <source>ＨＫ－Ａ２／ＶＥＬＯ２のデータファイルとして保存しますか&#x3000;</source>
        <translation>Save as an HK-A2 / VELO2 data file?</translation>
    </message>
    <message>
        <source>ユニットとアプリケーションのバージョンがミスマッチです</source>
        <translation>The versions of the unit and the program do not match</translation>
    </message>
    <message>
        <source>参照データは５個までにしてください</source>
        <translation>Up to five references can be loaded</translation>
    </message>
    <message>
        <source>抵抗値の最大値が150Ωを越えています</source>
        <translation>The highest impedance is above 150 Ω</translation>
    </message>
    <message>
        <source>HK-Aが対応していない測定周波数帯域です</source>
        <translation>The HK-A does not support this frequency band</translation>
    </message>
    <message>
        <source>印刷できませんでした</source>
        <translation>Could not print</translation>
    </message>
    <message>
        <source>前回の終了時に保存されていなかった測定データを次のファイルに保存しました
%1</source>
        <translation>The measurement left unsaved at the last exit was saved to this file:
%1</translation>
    </message>
    <message>
        <source>言語の変更は次回の起動から有効になります</source>
        <translation>The new language applies from the next start</translation>
    </message>
    <message>
        <source>言語の設定を保存できませんでした</source>
        <translation>The language setting could not be saved</translation>
    </message>
    <message>
        <source>%1行目: </source>
        <translation>line %1: </translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（%1MiBまで）</source>
        <translation>the file is too large (at most %1 MiB)</translation>
    </message>
    <message>
        <source>ファイルを読めませんでした</source>
        <translation>the file could not be read</translation>
    </message>
    <message>
        <source>テキストの表ではありません（%1行目にバイナリデータ）</source>
        <translation>not a text table (binary data at line %1)</translation>
    </message>
    <message>
        <source>周波数とインピーダンスの表がありません</source>
        <translation>no table of frequency and impedance</translation>
    </message>
    <message>
        <source>先頭の%1行に表の行がありません</source>
        <translation>no table row within the first %1 lines</translation>
    </message>
    <message>
        <source>点が%1点未満です</source>
        <translation>fewer than %1 points</translation>
    </message>
    <message>
        <source>数値の行ではありません（周波数、インピーダンス、位相）</source>
        <translation>not a row of numbers (frequency, impedance, phase)</translation>
    </message>
    <message>
        <source>周波数は0Hzより大きい値でなければなりません</source>
        <translation>the frequency must be above 0 Hz</translation>
    </message>
    <message>
        <source>インピーダンスが負の値です</source>
        <translation>negative impedance</translation>
    </message>
    <message>
        <source>UTF-16のテキストです。UTF-8またはShift_JISで保存してください</source>
        <translation>UTF-16 text; save it as UTF-8 or Shift_JIS</translation>
    </message>
    <message>
        <source>行末がCRだけです。LFまたはCR LFで保存してください</source>
        <translation>the lines end in CR alone; save it with LF or CR LF line ends</translation>
    </message>
    <message>
        <source>有限の数値ではないか、範囲外の値です</source>
        <translation>a value is not a finite number or is out of range</translation>
    </message>
    <message>
        <source>位相が±%1°の範囲外です</source>
        <translation>the phase lies outside ±%1°</translation>
    </message>
    <message>
        <source>コンマが小数点か区切りか判断できません</source>
        <translation>a comma could be a decimal comma or a separator</translation>
    </message>
    <message>
        <source>%1点のインピーダンスが%2Ωを超えています。データファイルには%2Ωとして保存しました（%3）。解析には元の値を使います</source>
        <translation>%1 points have an impedance above %2 Ω. The data file holds them as %2 Ω (%3); the analysis uses the original values</translation>
    </message>
    <message>
        <source>帯域 %1 に入る点がありません</source>
        <translation>no point lies within the band %1</translation>
    </message>
    <message>
        <source>どの帯域にも入る点がありません</source>
        <translation>no point lies within any band</translation>
    </message>
    <message>
        <source>インピーダンスの表を読み込めませんでした
</source>
        <translation>The impedance table could not be read
</translation>
    </message>
    <message>
        <source>他のツールから読み込んだ曲線です。
帯域 %1 のデータファイルとして保存しますか</source>
        <translation>This curve was read from another tool.
Save it as a data file of the band %1?</translation>
    </message>
    <message>
        <source>繰り返し測定の各回のファイルを読めませんでした。平均だけを開きました
%1</source>
        <translation>The file of the single sweeps could not be read. Only their mean was opened.
%1</translation>
    </message>
    <message>
        <source>%1行目が壊れています</source>
        <translation>Line %1 is damaged.</translation>
    </message>
    <message>
        <source>平均は保存しましたが、各回のファイルを保存できませんでした
%1</source>
        <translation>The mean was saved, but the file of the single sweeps could not be saved.
%1</translation>
    </message>
    <message>
        <source>別の測定器の測定は繰り返し測定に加えられません。それまでの回の平均にします</source>
        <translation>A sweep from another unit cannot join the repeated sweeps. The mean is that of the sweeps before it.</translation>
    </message>
    <message>
        <source>この表示には位相が必要ですが、位相のない曲線があります</source>
        <translation>This view needs the phase, and a curve has none</translation>
    </message>
    <message>
        <source>この表示は参照データと比べます。参照データを読み込んでください</source>
        <translation>This view compares with reference data. Load reference data first</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>VELO2 スピーカのインピーダンス測定</source>
        <translation>VELO2 Loudspeaker impedance measurement</translation>
    </message>
    <message>
        <source>測定開始</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>測定停止</source>
        <translation>&amp;Stop</translation>
    </message>
</context>
<context>
    <name>UnitTexts</name>
    <message>
        <source>測定器との接続が切れました</source>
        <translation>the connection to the unit was lost</translation>
    </message>
    <message>
        <source>測定器は%1で測定中です。終わってから測定してください。</source>
        <translation>The unit is measuring for the %1. Measure when it has finished.</translation>
    </message>
    <message>
        <source>メインウィンドウ</source>
        <translation>main window</translation>
    </message>
    <message>
        <source>T/S ワークシート</source>
        <translation>T/S worksheet</translation>
    </message>
    <message>
        <source>QCモード</source>
        <translation>QC station</translation>
    </message>
</context>
<context>
    <name>ViewReadout</name>
    <message>
        <source>R：</source>
        <translation>R: </translation>
    </message>
    <message>
        <source>X：</source>
        <translation>X: </translation>
    </message>
    <message>
        <source>|Z|：</source>
        <translation>|Z|: </translation>
    </message>
    <message>
        <source>θ：</source>
        <translation>θ: </translation>
    </message>
    <message>
        <source>Δ|Z|：</source>
        <translation>Δ|Z|: </translation>
    </message>
    <message>
        <source>Δθ：</source>
        <translation>Δθ: </translation>
    </message>
    <message>
        <source>|Zm/Zref|：</source>
        <translation>|Zm/Zref|: </translation>
    </message>
</context>
<context>
    <name>WorksheetMessages</name>
    <message>
        <source>the added mass must be above 0 g (given: %1 g)</source>
        <translation>the added mass must be above 0 g (given: %1 g)</translation>
    </message>
    <message>
        <source>the added-mass and box methods need Sd: give Sd or the piston diameter</source>
        <translation>the added-mass and box methods need Sd: give Sd or the piston diameter</translation>
    </message>
    <message>
        <source>Sd and the piston diameter must be above 0</source>
        <translation>Sd and the piston diameter must be above 0</translation>
    </message>
    <message>
        <source>the box volume must be above 0 L (given: %1 L)</source>
        <translation>the box volume must be above 0 L (given: %1 L)</translation>
    </message>
    <message>
        <source>air at %1 °C and %2 hPa is outside -40..60 °C, 500..1100 hPa</source>
        <translation>air at %1 °C and %2 hPa is outside -40..60 °C, 500..1100 hPa</translation>
    </message>
    <message>
        <source>%1 holds no measured point</source>
        <translation>%1 holds no measured point</translation>
    </message>
    <message>
        <source>%1 was measured on band %2, the free-air curve on band %3: measure both on the same band</source>
        <translation>%1 was measured on band %2, the free-air curve on band %3: measure both on the same band</translation>
    </message>
    <message>
        <source>%1 does not cover the same points as the free-air curve</source>
        <translation>%1 does not cover the same points as the free-air curve</translation>
    </message>
    <message>
        <source>no resonance found in %1</source>
        <translation>no resonance found in %1</translation>
    </message>
    <message>
        <source>%1 resonates at %2 Hz, not below the free-air %3 Hz: is the mass on the cone, and is it the right file?</source>
        <translation>%1 resonates at %2 Hz, not below the free-air %3 Hz: is the mass on the cone, and is it the right file?</translation>
    </message>
    <message>
        <source>%1 resonates at %2 Hz, not above the free-air %3 Hz: is it the right file?</source>
        <translation>%1 resonates at %2 Hz, not above the free-air %3 Hz: is it the right file?</translation>
    </message>
    <message>
        <source>both masses are %1 g: the dual added-mass method needs two different masses</source>
        <translation>both masses are %1 g: the dual added-mass method needs two different masses</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>the free-air curve</source>
        <translation>the free-air curve</translation>
    </message>
    <message>
        <source>the curve with %1 g</source>
        <translation>the curve with %1 g</translation>
    </message>
    <message>
        <source>the curve in the %1 L box</source>
        <translation>the curve in the %1 L box</translation>
    </message>
    <message>
        <source>%1 g moves Fs by only %2 % (under 15 %): about %3 g would move it by 30 %</source>
        <translation>%1 g moves Fs by only %2 % (under 15 %): about %3 g would move it by 30 %</translation>
    </message>
    <message>
        <source>%1 g moves Fs by %2 % (over 50 %): about %3 g would move it by 30 %</source>
        <translation>%1 g moves Fs by %2 % (over 50 %): about %3 g would move it by 30 %</translation>
    </message>
    <message>
        <source>√(f1·f2) = %1 Hz lies %3 % from Fs = %2 Hz: an asymmetric resonance, the classic Q and the single-mass Mms are less reliable</source>
        <translation>√(f1·f2) = %1 Hz lies %3 % from Fs = %2 Hz: an asymmetric resonance, the classic Q and the single-mass Mms are less reliable</translation>
    </message>
    <message>
        <source>with %1 g the single-mass Mms %2 g and the dual-mass %3 g disagree by %4 %, beyond the methods&apos; own scatter (±%5 %): suspension creep makes a single mass read low, or a mass is not what was typed</source>
        <translation>with %1 g the single-mass Mms %2 g and the dual-mass %3 g disagree by %4 %, beyond the methods&apos; own scatter (±%5 %): suspension creep makes a single mass read low, or a mass is not what was typed</translation>
    </message>
    <message>
        <source>the heavier mass is only %1 times the lighter (under 1.5): the two curves differ too little for the dual method, its values are unreliable; use about %2 g as the heavier mass</source>
        <translation>the heavier mass is only %1 times the lighter (under 1.5): the two curves differ too little for the dual method, its values are unreliable; use about %2 g as the heavier mass</translation>
    </message>
    <message>
        <source>the resonance is only %1 Hz wide (Fs / Qms), under three grid steps (%2 Hz): the three-point Qms reads low; the model fit gives Qms from the whole curve</source>
        <translation>the resonance is only %1 Hz wide (Fs / Qms), under three grid steps (%2 Hz): the three-point Qms reads low; the model fit gives Qms from the whole curve</translation>
    </message>
    <message>
        <source>the resonance is only %1 Hz wide (Fs / Qms), under three grid steps (%2 Hz): the analysis window&apos;s Qms reads low; here Fs, Rmax and Qms come from a Lorentzian through %3 points, and the model fit gives Qms from the whole curve</source>
        <translation>the resonance is only %1 Hz wide (Fs / Qms), under three grid steps (%2 Hz): the analysis window&apos;s Qms reads low; here Fs, Rmax and Qms come from a Lorentzian through %3 points, and the model fit gives Qms from the whole curve</translation>
    </message>
    <message>
        <source>the analysis window&apos;s first peak at %1 Hz is not the main resonance, which lies at %2 Hz (%3 Ω): the worksheet takes the main resonance</source>
        <translation>the analysis window&apos;s first peak at %1 Hz is not the main resonance, which lies at %2 Hz (%3 Ω): the worksheet takes the main resonance</translation>
    </message>
    <message>
        <source>運動インピーダンス (motional, Z − Ze of the %1 fit)</source>
        <translation>Motional impedance (Z − Ze of the %1 fit)</translation>
    </message>
    <message>
        <source>Lorentzian |Z|² − Re² = K / (1 + Q²·(f/Fs − Fs/f)²) through %1 grid points</source>
        <translation>Lorentzian |Z|² − Re² = K / (1 + Q²·(f/Fs − Fs/f)²) through %1 grid points</translation>
    </message>
    <message>
        <source>standard uncertainty from the residuals of the 1/Zm and Bl² fits (white noise assumed)</source>
        <translation>standard uncertainty from the residuals of the 1/Zm and Bl² fits (white noise assumed)</translation>
    </message>
    <message>
        <source>on Re + Z − Ze, Ze the coil of the %1 fit</source>
        <translation>on Re + Z − Ze, Ze the coil of the %1 fit</translation>
    </message>
    <message>
        <source>methods use</source>
        <translation>methods use</translation>
    </message>
    <message>
        <source>the classic values of |Z| itself: no model fit with phase takes the coil out</source>
        <translation>the classic values of |Z| itself: no model fit with phase takes the coil out</translation>
    </message>
    <message>
        <source>the motional impedance Z − Ze, Ze the coil of the %1 fit: free of the coil&apos;s inductance</source>
        <translation>the motional impedance Z − Ze, Ze the coil of the %1 fit: free of the coil&apos;s inductance</translation>
    </message>
    <message>
        <source>the fitted motional impedance gives the masses back only within %1 % (over 2 %): the dual-mass values are less reliable</source>
        <translation>the fitted motional impedance gives the masses back only within %1 % (over 2 %): the dual-mass values are less reliable</translation>
    </message>
    <message>
        <source>the dual added-mass method found no usable motional impedance (%1 points in 0.8-1.2 Fs)</source>
        <translation>the dual added-mass method found no usable motional impedance (%1 points in 0.8-1.2 Fs)</translation>
    </message>
    <message>
        <source>the frequencies of %1 differ from the free-air curve&apos;s by up to %2 %: the dual method compares the curves point by point</source>
        <translation>the frequencies of %1 differ from the free-air curve&apos;s by up to %2 %: the dual method compares the curves point by point</translation>
    </message>
    <message>
        <source>Re = %1 Ω is above the curve&apos;s minimum of %2 Ω: check Re</source>
        <translation>Re = %1 Ω is above the curve&apos;s minimum of %2 Ω: check Re</translation>
    </message>
    <message>
        <source>入力 (inputs)</source>
        <translation>Inputs</translation>
    </message>
    <message>
        <source>フリーエア (free air, refined)</source>
        <translation>Free air (refined)</translation>
    </message>
    <message>
        <source>付加質量 %1 g (added mass)</source>
        <translation>Added mass %1 g</translation>
    </message>
    <message>
        <source>二重付加質量 %1 g + %2 g (dual added mass)</source>
        <translation>Dual added mass %1 g + %2 g</translation>
    </message>
    <message>
        <source>密閉箱 %1 L (sealed box)</source>
        <translation>Sealed box %1 L</translation>
    </message>
    <message>
        <source>注意 (flags)</source>
        <translation>Flags</translation>
    </message>
    <message>
        <source>parabola through the 3 grid points around the |Z| maximum, on log f</source>
        <translation>parabola through the 3 grid points around the |Z| maximum, on log f</translation>
    </message>
    <message>
        <source>maximum of |Zm|, Zm = (1 − μ)·ΔZ1·ΔZ2 / (ΔZ2 − μ·ΔZ1)</source>
        <translation>maximum of |Zm|, Zm = (1 − μ)·ΔZ1·ΔZ2 / (ΔZ2 − μ·ΔZ1)</translation>
    </message>
    <message>
        <source>least squares 1/Zm = jω·a + b + j·c/(ω·(1 − β·ln jω)), β = %1, %2 points</source>
        <translation>least squares 1/Zm = jω·a + b + j·c/(ω·(1 − β·ln jω)), β = %1, %2 points</translation>
    </message>
    <message>
        <source>Fs shift</source>
        <translation>Fs shift</translation>
    </message>
    <message>
        <source>fit from</source>
        <translation>fit from</translation>
    </message>
    <message>
        <source>fit to</source>
        <translation>fit to</translation>
    </message>
    <message>
        <source>points</source>
        <translation>points</translation>
    </message>
    <message>
        <source>m1 (fit)</source>
        <translation>m1 (fit)</translation>
    </message>
    <message>
        <source>m2 (fit)</source>
        <translation>m2 (fit)</translation>
    </message>
    <message>
        <source>mass consistency</source>
        <translation>mass consistency</translation>
    </message>
    <message>
        <source>temperature</source>
        <translation>temperature</translation>
    </message>
    <message>
        <source>pressure</source>
        <translation>pressure</translation>
    </message>
    <message>
        <source>%1 of the box curve</source>
        <translation>%1 of the box curve</translation>
    </message>
    <message>
        <source>%1, m1 and m2, %2-%3 Hz</source>
        <translation>%1, m1 and m2, %2-%3 Hz</translation>
    </message>
    <message>
        <source>mean %1</source>
        <translation>mean %1</translation>
    </message>
    <message>
        <source>motional</source>
        <translation>motional</translation>
    </message>
    <message>
        <source>classic</source>
        <translation>classic</translation>
    </message>
    <message>
        <source>ρ = %1 kg/m³ and c = %2 m/s are outside 0.5..2 kg/m³, 250..450 m/s</source>
        <translation>ρ = %1 kg/m³ and c = %2 m/s are outside 0.5..2 kg/m³, 250..450 m/s</translation>
    </message>
    <message>
        <source>the relative humidity must be 0..100 % (given: %1 %)</source>
        <translation>the relative humidity must be 0..100 % (given: %1 %)</translation>
    </message>
    <message>
        <source>the coil temperature must be -40..250 °C (given: %1 °C)</source>
        <translation>the coil temperature must be -40..250 °C (given: %1 °C)</translation>
    </message>
    <message>
        <source>the typed %1 must be above 0 (given: %2)</source>
        <translation>the typed %1 must be above 0 (given: %2)</translation>
    </message>
    <message>
        <source>%1 needs measured curves: the typed values give the added-mass method only</source>
        <translation>%1 needs measured curves: the typed values give the added-mass method only</translation>
    </message>
    <message>
        <source>the typed values: Fs, Qms, Qes and Re as given</source>
        <translation>the typed values: Fs, Qms, Qes and Re as given</translation>
    </message>
    <message>
        <source>typed</source>
        <translation>typed</translation>
    </message>
    <message>
        <source>humid air at %1 % relative humidity (vapour pressure after Buck)</source>
        <translation>humid air at %1 % relative humidity (vapour pressure after Buck)</translation>
    </message>
    <message>
        <source>aluminium, α = 0.00403 /K</source>
        <translation>aluminium, α = 0.00403 /K</translation>
    </message>
    <message>
        <source>copper, α = 0.00393 /K</source>
        <translation>copper, α = 0.00393 /K</translation>
    </message>
    <message>
        <source>the tolerance of %1 must be a number of 0 or above (given: %2)</source>
        <translation>the tolerance of %1 must be a number of 0 or above (given: %2)</translation>
    </message>
    <message>
        <source>the tolerance of %1 is so large that the worksheet refuses its own inputs</source>
        <translation>the tolerance of %1 is so large that the worksheet refuses its own inputs</translation>
    </message>
    <message>
        <source>%1 needs at least two repeated values (given: %2)</source>
        <translation>%1 needs at least two repeated values (given: %2)</translation>
    </message>
    <message>
        <source>a repeated value of %1 is not a number</source>
        <translation>a repeated value of %1 is not a number</translation>
    </message>
    <message>
        <source>repeated values were given for %1, which the worksheet does not compute</source>
        <translation>repeated values were given for %1, which the worksheet does not compute</translation>
    </message>
    <message>
        <source>%1 ± %2 (k=%3)</source>
        <translation>%1 ± %2 (k=%3)</translation>
    </message>
    <message>
        <source>  from %1</source>
        <translation>  from %1</translation>
    </message>
    <message>
        <source>%1 % of u²</source>
        <translation>%1 % of u²</translation>
    </message>
    <message>
        <source>scale resolution</source>
        <translation>scale resolution</translation>
    </message>
    <message>
        <source>scale, mass 1</source>
        <translation>scale, mass 1</translation>
    </message>
    <message>
        <source>scale, mass 2</source>
        <translation>scale, mass 2</translation>
    </message>
    <message>
        <source>diameter</source>
        <translation>diameter</translation>
    </message>
    <message>
        <source>air temperature</source>
        <translation>air temperature</translation>
    </message>
    <message>
        <source>air pressure</source>
        <translation>air pressure</translation>
    </message>
    <message>
        <source>humidity</source>
        <translation>humidity</translation>
    </message>
    <message>
        <source>coil temperature</source>
        <translation>coil temperature</translation>
    </message>
    <message>
        <source>grid step, free air</source>
        <translation>grid step, free air</translation>
    </message>
    <message>
        <source>grid step, mass 1</source>
        <translation>grid step, mass 1</translation>
    </message>
    <message>
        <source>grid step, mass 2</source>
        <translation>grid step, mass 2</translation>
    </message>
    <message>
        <source>grid step, box</source>
        <translation>grid step, box</translation>
    </message>
    <message>
        <source>repeats (type A)</source>
        <translation>repeats (type A)</translation>
    </message>
    <message>
        <source>noise, free air</source>
        <translation>noise, free air</translation>
    </message>
    <message>
        <source>noise, mass 1</source>
        <translation>noise, mass 1</translation>
    </message>
    <message>
        <source>noise, mass 2</source>
        <translation>noise, mass 2</translation>
    </message>
    <message>
        <source>noise, box</source>
        <translation>noise, box</translation>
    </message>
</context>
<context>
    <name>WorkspaceTexts</name>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直す(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>ワークスペースを開く...</source>
        <translation>Open workspace...</translation>
    </message>
    <message>
        <source>ワークスペースを保存...</source>
        <translation>Save workspace...</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>ワークスペースを選んでください</source>
        <translation>Choose a workspace</translation>
    </message>
    <message>
        <source>ワークスペースの保存先</source>
        <translation>Save the workspace as</translation>
    </message>
    <message>
        <source>ワークスペース (*.velo2ws)</source>
        <translation>Workspaces (*.velo2ws)</translation>
    </message>
    <message>
        <source>ワークスペース %1 を保存しました</source>
        <translation>Workspace %1 saved</translation>
    </message>
    <message>
        <source>ワークスペース %1 を開きました</source>
        <translation>Workspace %1 opened</translation>
    </message>
    <message>
        <source>%1 はワークスペースではありません。何も変えていません。</source>
        <translation>%1 is not a workspace. Nothing was changed.</translation>
    </message>
    <message>
        <source>%1 は新しい版のプログラムで書かれたワークスペースです。何も変えていません。</source>
        <translation>%1 is a workspace written by a newer version of the program. Nothing was changed.</translation>
    </message>
    <message>
        <source>ワークスペース %1 の %2 行目が読めません。何も変えていません。</source>
        <translation>Line %2 of workspace %1 cannot be read. Nothing was changed.</translation>
    </message>
    <message>
        <source>ワークスペース %1 が読めません。何も変えていません。</source>
        <translation>Workspace %1 cannot be read. Nothing was changed.</translation>
    </message>
    <message>
        <source>ワークスペース %1 を保存できませんでした。</source>
        <translation>Workspace %1 could not be saved.</translation>
    </message>
    <message>
        <source>ワークスペース %1 を保存できませんでした（%2）。</source>
        <translation>Workspace %1 could not be saved (%2).</translation>
    </message>
    <message>
        <source>測定データ</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>参照データ%1</source>
        <translation>Reference data %1</translation>
    </message>
    <message>
        <source>%1：%2 が見つからないため、ワークスペースに入っている写しを使いました。</source>
        <translation>%1: %2 was not found, so the copy kept in the workspace was used.</translation>
    </message>
    <message>
        <source>%1：%2 はワークスペースを保存した後に変わっているため、ワークスペースに入っている写しを使いました。</source>
        <translation>%1: %2 has changed since the workspace was saved, so the copy kept in the workspace was used.</translation>
    </message>
    <message>
        <source>%1：ワークスペースの中の写しが壊れているため、%2 から読み込みました。</source>
        <translation>%1: the copy in the workspace is damaged, so it was read from %2.</translation>
    </message>
    <message>
        <source>%1：ワークスペースの中の写しも %2 も読めないため、読み込みませんでした。</source>
        <translation>%1: neither the copy in the workspace nor %2 can be read, so it was not loaded.</translation>
    </message>
    <message>
        <source>%1 が見つかりません。最近使ったファイルの一覧から外しました。</source>
        <translation>%1 was not found. It has been removed from the recent files.</translation>
    </message>
    <message>
        <source>%1 はフォルダーです。データファイルか表を一つドロップしてください。何も変えていません。</source>
        <translation>%1 is a folder. Drop one data file or table. Nothing was changed.</translation>
    </message>
    <message>
        <source>%1 は開けるファイルではありません（データファイル .DTA、ZMA・FRD・テキストの表、ワークスペース .velo2ws）。何も変えていません。</source>
        <translation>%1 is not a file the program opens (data files .DTA, ZMA, FRD and text tables, workspaces .velo2ws). Nothing was changed.</translation>
    </message>
    <message>
        <source>ファイルは一つずつドロップしてください（Ctrl を押しながらなら参照データとして５個まで）。何も変えていません。</source>
        <translation>Drop one file at a time (with Ctrl held, up to five as reference data). Nothing was changed.</translation>
    </message>
</context>
</TS>
