<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AnalysisMessages</name>
    <message>
        <source>ピークは検出できませんでした</source>
        <translation>ピークは検出できませんでした</translation>
    </message>
    <message>
        <source>ピーク値の計算</source>
        <translation>ピーク値の計算</translation>
    </message>
    <message>
        <source>Re の値が正しくありません</source>
        <translation>Re の値が正しくありません</translation>
    </message>
    <message>
        <source>Re の値の入力</source>
        <translation>Re の値の入力</translation>
    </message>
    <message>
        <source>Ts の計算</source>
        <translation>Ts の計算</translation>
    </message>
    <message>
        <source>f1 が求まりませんでした</source>
        <translation>f1 が求まりませんでした</translation>
    </message>
    <message>
        <source>f2 が求まりませんでした</source>
        <translation>f2 が求まりませんでした</translation>
    </message>
    <message>
        <source>f1,f2 が正しく計算できませんでした</source>
        <translation>f1,f2 が正しく計算できませんでした</translation>
    </message>
</context>
<context>
    <name>BandTable</name>
    <message>
        <source>20Hz～20kHz</source>
        <translation>20Hz～20kHz</translation>
    </message>
    <message>
        <source>10Hz～100kHz</source>
        <translation>10Hz～100kHz</translation>
    </message>
    <message>
        <source>10Hz～50Hz</source>
        <translation>10Hz～50Hz</translation>
    </message>
    <message>
        <source>20Hz～250Hz</source>
        <translation>20Hz～250Hz</translation>
    </message>
    <message>
        <source>250Hz～2kHz</source>
        <translation>250Hz～2kHz</translation>
    </message>
    <message>
        <source>2kHz～20kHz</source>
        <translation>2kHz～20kHz</translation>
    </message>
    <message>
        <source>10kHz～100kHz</source>
        <translation>10kHz～100kHz</translation>
    </message>
    <message>
        <source>1kHz～100kHz</source>
        <translation>1kHz～100kHz</translation>
    </message>
    <message>
        <source>10Hz～500Hz</source>
        <translation>10Hz～500Hz</translation>
    </message>
</context>
<context>
    <name>DriverMessages</name>
    <message>
        <source>not a JSON text: %1</source>
        <translation>JSON のテキストではありません：%1</translation>
    </message>
    <message>
        <source>not a driver file (no &quot;format&quot;: &quot;velo2-driver&quot;)</source>
        <translation>ドライバーファイルではありません（&quot;format&quot;: &quot;velo2-driver&quot; がありません）</translation>
    </message>
    <message>
        <source>a driver file of version %1, newer than this program reads (1)</source>
        <translation>バージョン %1 のドライバーファイルです。このプログラムが読めるのは 1 までです</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number of 0 or more</source>
        <translation>&quot;%1&quot; が 0 以上の数ではありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation>&quot;%1&quot; がありません</translation>
    </message>
    <message>
        <source>the curve&apos;s points must be [Hz, Ω, degrees]: Hz above 0, Ω 0 or more, degrees within ±180, at least 3 points</source>
        <translation>曲線の点は [Hz, Ω, 度] で、Hz は 0 より大きく、Ω は 0 以上、度は ±180 以内、3 点以上が必要です</translation>
    </message>
    <message>
        <source>a %1 file needs Sd, Mms and Bl: give Sd and an added mass, two masses or a box</source>
        <translation>%1 ファイルには Sd、Mms、Bl が必要です：Sd と付加質量（2 つの質量または箱）を入力してください</translation>
    </message>
    <message>
        <source>unknown driver format &quot;%1&quot; (json or hornresp)</source>
        <translation>不明なドライバー形式 &quot;%1&quot;（json または hornresp）</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 に書き込めませんでした</translation>
    </message>
</context>
<context>
    <name>FitMessages</name>
    <message>
        <source>too few points to fit the %1 model: %2 in the range, it needs at least %3</source>
        <translation>%1 モデルのフィットには測定点が足りません：範囲内に %2 点、必要なのは %3 点以上です</translation>
    </message>
    <message>
        <source>no resonance in the range: no peak of |Z| stands above the curve on both sides</source>
        <translation>範囲内に共振がありません：両側より高くなる |Z| のピークがありません</translation>
    </message>
    <message>
        <source>Re must be a number above 0 and below the resonance peak</source>
        <translation>Re は 0 より大きく、共振のピークより小さい数値にしてください</translation>
    </message>
    <message>
        <source>the %1 model does not converge on this curve</source>
        <translation>この曲線では %1 モデルのフィットが収束しません</translation>
    </message>
    <message>
        <source>excellent</source>
        <translation>優</translation>
    </message>
    <message>
        <source>good</source>
        <translation>良</translation>
    </message>
    <message>
        <source>fair</source>
        <translation>可</translation>
    </message>
    <message>
        <source>poor</source>
        <translation>不可</translation>
    </message>
    <message>
        <source>|Z| above %1 % or phase above %2°</source>
        <translation>|Z| が %1 % 超、または位相が %2° 超</translation>
    </message>
    <message>
        <source>|Z| above %1 %</source>
        <translation>|Z| が %1 % 超</translation>
    </message>
    <message>
        <source>|Z| ≤ %1 % and phase ≤ %2°</source>
        <translation>|Z| ≤ %1 %、位相 ≤ %2°</translation>
    </message>
    <message>
        <source>|Z| ≤ %1 %</source>
        <translation>|Z| ≤ %1 %</translation>
    </message>
    <message>
        <source>the curve does not determine %1 (standard error above %2 %)</source>
        <translation>この曲線では %1 が定まりません（標準誤差が %2 % 超）</translation>
    </message>
    <message>
        <source>%1 with a standard error above %2 %</source>
        <translation>%1 の標準誤差が %2 % 超</translation>
    </message>
    <message>
        <source>graded at most %1: %2</source>
        <translation>評価は「%1」までです：%2</translation>
    </message>
    <message>
        <source>standard errors widened by √((1 + ρ)/(1 − ρ)) for residuals that follow each other, ρ = %1</source>
        <translation>残差に相関があるため、標準誤差を √((1 + ρ)/(1 − ρ)) 倍に広げています（ρ = %1）</translation>
    </message>
    <message>
        <source>ran off (the curve has no use for it): held at its limit, not fitted</source>
        <translation>発散しました（この曲線には不要な要素です）：限界値に固定し、フィットしていません</translation>
    </message>
    <message>
        <source>error widening</source>
        <translation>誤差の拡大</translation>
    </message>
    <message>
        <source>the curve has no phase: fitted on |Z| alone</source>
        <translation>曲線に位相がありません：|Z| だけでフィットしました</translation>
    </message>
    <message>
        <source>model</source>
        <translation>モデル</translation>
    </message>
    <message>
        <source>points</source>
        <translation>点数</translation>
    </message>
    <message>
        <source>RMS error |Z|</source>
        <translation>RMS 誤差 |Z|</translation>
    </message>
    <message>
        <source>RMS error phase</source>
        <translation>RMS 誤差 位相</translation>
    </message>
    <message>
        <source>grade</source>
        <translation>評価</translation>
    </message>
    <message>
        <source>iterations</source>
        <translation>反復回数</translation>
    </message>
    <message>
        <source>fixed</source>
        <translation>固定</translation>
    </message>
    <message>
        <source>not determined</source>
        <translation>不定</translation>
    </message>
</context>
<context>
    <name>GraphExportTexts</name>
    <message>
        <source>グラフをエクスポート...</source>
        <translation>グラフをエクスポート...</translation>
    </message>
    <message>
        <source>グラフをコピー</source>
        <translation>グラフをコピー</translation>
    </message>
    <message>
        <source>グラフをエクスポート</source>
        <translation>グラフをエクスポート</translation>
    </message>
    <message>
        <source>SVG ファイル (*.svg);;PDF ファイル (*.pdf);;PNG ファイル (*.png)</source>
        <translation>SVG ファイル (*.svg);;PDF ファイル (*.pdf);;PNG ファイル (*.png)</translation>
    </message>
    <message>
        <source>幅 (ピクセル):</source>
        <translation>幅 (ピクセル):</translation>
    </message>
    <message>
        <source>高さ (ピクセル):</source>
        <translation>高さ (ピクセル):</translation>
    </message>
    <message>
        <source>%1 は書き出せません。名前の末尾は .svg、.pdf、.png のいずれかにして下さい。</source>
        <translation>%1 は書き出せません。名前の末尾は .svg、.pdf、.png のいずれかにして下さい。</translation>
    </message>
    <message>
        <source>%1 に書き込めませんでした (%2)。ファイルは変更していません。</source>
        <translation>%1 に書き込めませんでした (%2)。ファイルは変更していません。</translation>
    </message>
    <message>
        <source>グラフを描けませんでした</source>
        <translation>グラフを描けませんでした</translation>
    </message>
    <message>
        <source>フォルダがありません</source>
        <translation>フォルダがありません</translation>
    </message>
    <message>
        <source>書き込みが許可されていません</source>
        <translation>書き込みが許可されていません</translation>
    </message>
    <message>
        <source>書き込みに失敗しました</source>
        <translation>書き込みに失敗しました</translation>
    </message>
</context>
<context>
    <name>HStatus</name>
    <message>
        <source>%1 が見つかりませんでした</source>
        <translation>%1 が見つかりませんでした</translation>
    </message>
    <message>
        <source>HK-A, HK-A2 が見つかりませんでした</source>
        <translation>HK-A, HK-A2 が見つかりませんでした</translation>
    </message>
    <message>
        <source>通信ポートが開けません</source>
        <translation>通信ポートが開けません</translation>
    </message>
    <message>
        <source>通信ポートが開けません（アクセス権がありません）</source>
        <translation>通信ポートが開けません（アクセス権がありません）</translation>
    </message>
    <message>
        <source>データ受信エラーです</source>
        <translation>データ受信エラーです</translation>
    </message>
    <message>
        <source>コマンド送信エラーです</source>
        <translation>コマンド送信エラーです</translation>
    </message>
    <message>
        <source>%1 が測定周波数帯域を受け付けませんでした</source>
        <translation>%1 が測定周波数帯域を受け付けませんでした</translation>
    </message>
    <message>
        <source>%1 応答エラーです</source>
        <translation>%1 応答エラーです</translation>
    </message>
    <message>
        <source>%1 未校正です</source>
        <translation>%1 未校正です</translation>
    </message>
    <message>
        <source>測定中です</source>
        <translation>測定中です</translation>
    </message>
    <message>
        <source>データ受信中です</source>
        <translation>データ受信中です</translation>
    </message>
    <message>
        <source>計算中です</source>
        <translation>計算中です</translation>
    </message>
    <message>
        <source>測定終了しました</source>
        <translation>測定終了しました</translation>
    </message>
    <message>
        <source>測定中止しました</source>
        <translation>測定中止しました</translation>
    </message>
    <message>
        <source>データエラーで計算できませんでした</source>
        <translation>データエラーで計算できませんでした</translation>
    </message>
    <message>
        <source>データ保存できませんでした</source>
        <translation>データ保存できませんでした</translation>
    </message>
    <message>
        <source>データ保存できませんでした：%1</source>
        <translation>データ保存できませんでした：%1</translation>
    </message>
    <message>
        <source>データ保存できました</source>
        <translation>データ保存できました</translation>
    </message>
    <message>
        <source>データ書き出し完了</source>
        <translation>データ書き出し完了</translation>
    </message>
    <message>
        <source>%1 を読み込みました（%2）</source>
        <translation>%1 を読み込みました（%2）</translation>
    </message>
    <message>
        <source>&#x3000;周波数順に並べ替えました</source>
        <translation>&#x3000;周波数順に並べ替えました</translation>
    </message>
    <message>
        <source>&#x3000;重複した周波数 %1 行を除きました</source>
        <translation>&#x3000;重複した周波数 %1 行を除きました</translation>
    </message>
    <message>
        <source>ZMA出力完了</source>
        <translation>ZMA出力完了</translation>
    </message>
    <message>
        <source>測定中です（%1／%2回目）</source>
        <translation>測定中です（%1／%2回目）</translation>
    </message>
    <message>
        <source>途中まで：%1／%2回の平均です</source>
        <translation>途中まで：%1／%2回の平均です</translation>
    </message>
    <message>
        <source>%1回の平均です</source>
        <translation>%1回の平均です</translation>
    </message>
    <message>
        <source>参照データのない%1点は比べていません</source>
        <translation>参照データのない%1点は比べていません</translation>
    </message>
    <message>
        <source>この表示では表示できない曲線です</source>
        <translation>この表示では表示できない曲線です</translation>
    </message>
</context>
<context>
    <name>LogMessages</name>
    <message>
        <source>&apos;%1&apos; is not a results database: %2; give the path of an SQLite file or a PostgreSQL URI such as postgresql://user@host/db</source>
        <translation>&apos;%1&apos; は結果データベースではありません：%2。SQLite ファイルのパスか、postgresql://user@host/db のような PostgreSQL の URI を指定してください</translation>
    </message>
    <message>
        <source>no target given</source>
        <translation>記録先が指定されていません</translation>
    </message>
    <message>
        <source>%1:// is not a PostgreSQL URI (postgresql://)</source>
        <translation>%1:// は PostgreSQL の URI（postgresql://）ではありません</translation>
    </message>
    <message>
        <source>the URI cannot be read (a password with special characters must be percent-encoded)</source>
        <translation>URI を読み取れません（記号を含むパスワードはパーセントエンコードしてください）</translation>
    </message>
    <message>
        <source>the port &apos;%1&apos; is not a number from 1 to 65535</source>
        <translation>ポート &apos;%1&apos; は 1 から 65535 までの数値ではありません</translation>
    </message>
    <message>
        <source>the URI names no database (postgresql://host/DATABASE)</source>
        <translation>URI にデータベース名がありません（postgresql://host/DATABASE）</translation>
    </message>
    <message>
        <source>a database name holds no &apos;/&apos;</source>
        <translation>データベース名に &apos;/&apos; は使えません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a connection option the log passes on (host, port, user, password, dbname, %2)</source>
        <translation>&apos;%1&apos; は結果ログが扱う接続オプションではありません（host, port, user, password, dbname, %2）</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no value for the connection option %2</source>
        <translation>&apos;%1&apos; は接続オプション %2 の値として使えません</translation>
    </message>
    <message>
        <source>the connection option %1 cannot hold &apos;;&apos;</source>
        <translation>接続オプション %1 には &apos;;&apos; を使えません</translation>
    </message>
    <message>
        <source>the Qt SQL driver %1 is not installed (Debian package %2)</source>
        <translation>Qt SQL ドライバ %1 がインストールされていません（Debian パッケージ %2）</translation>
    </message>
    <message>
        <source>cannot open the results log %1: %2</source>
        <translation>結果ログ %1 を開けません：%2</translation>
    </message>
    <message>
        <source>%1: no such results log</source>
        <translation>%1：結果ログがありません</translation>
    </message>
    <message>
        <source>%1 holds no results log</source>
        <translation>%1 には結果ログがありません</translation>
    </message>
    <message>
        <source>cannot reach the results database %1: %2</source>
        <translation>結果データベース %1 に接続できません：%2</translation>
    </message>
    <message>
        <source>the results database %1 refused user &apos;%2&apos;: wrong password</source>
        <translation>結果データベース %1 がユーザー &apos;%2&apos; を拒否しました：パスワードが違います</translation>
    </message>
    <message>
        <source>the results database %1 refused the connection: %2</source>
        <translation>結果データベース %1 が接続を拒否しました：%2</translation>
    </message>
    <message>
        <source>the results log %1 has schema version %2; this program knows versions up to %3</source>
        <translation>結果ログ %1 のスキーマはバージョン %2 です。このプログラムが扱えるのはバージョン %3 までです</translation>
    </message>
    <message>
        <source>the results log %1 failed: %2</source>
        <translation>結果ログ %1 でエラーが起きました：%2</translation>
    </message>
    <message>
        <source>1 result waits in the station&apos;s spool %1 and goes on later</source>
        <translation>1 件の結果がステーションのスプール %1 にあり、あとで送られます</translation>
    </message>
    <message>
        <source>%1 results wait in the station&apos;s spool %2 and go on later</source>
        <translation>%1 件の結果がステーションのスプール %2 にあり、あとで送られます</translation>
    </message>
    <message>
        <source>%1 result the server refused is set aside in the station&apos;s spool %2 (the README says how to send it again)</source>
        <translation>サーバーが受け付けなかった %1 件の結果をステーションのスプール %2 に取り分けました（送り直す方法は README にあります）</translation>
    </message>
    <message>
        <source>%1 results the server refused are set aside in the station&apos;s spool %2 (the README says how to send them again)</source>
        <translation>サーバーが受け付けなかった %1 件の結果をステーションのスプール %2 に取り分けました（送り直す方法は README にあります）</translation>
    </message>
    <message>
        <source>the file is empty (0 bytes)</source>
        <translation>ファイルが空です（0 バイト）</translation>
    </message>
    <message>
        <source>the station&apos;s spool %1 could not be read (%3); it was moved to %2 and a new spool started (the README says how to recover its results)</source>
        <translation>ステーションのスプール %1 を読めませんでした（%3）。%2 に移し、新しいスプールを始めました（その結果を取り戻す方法は README にあります）</translation>
    </message>
    <message>
        <source>the station name has %1 characters; at most %2 are allowed</source>
        <translation>ステーション名が %1 文字あります。使えるのは %2 文字までです</translation>
    </message>
    <message>
        <source>the serial has %1 characters; at most %2 are allowed</source>
        <translation>シリアル番号が %1 文字あります。使えるのは %2 文字までです</translation>
    </message>
    <message>
        <source>%1 result in the station&apos;s spool %3 was checked for %2 and waits for it: it goes only there</source>
        <translation>ステーションのスプール %3 にある %1 件の結果は %2 向けに判定したもので、その記録先だけに送られるのを待っています</translation>
    </message>
    <message>
        <source>%1 results in the station&apos;s spool %3 were checked for %2 and wait for it: they go only there</source>
        <translation>ステーションのスプール %3 にある %1 件の結果は %2 向けに判定したもので、その記録先だけに送られるのを待っています</translation>
    </message>
    <message>
        <source>%1 result (serial %4) was refused by %2 and is set aside in the station&apos;s spool %3 (the README says how to send it again): %5</source>
        <translation>%1 件の結果（シリアル番号 %4）が %2 に拒否され、ステーションのスプール %3 に取り分けました（送り直す方法は README にあります）：%5</translation>
    </message>
    <message>
        <source>%1 results (serials %4) were refused by %2 and are set aside in the station&apos;s spool %3 (the README says how to send them again); the last reason: %5</source>
        <translation>%1 件の結果（シリアル番号 %4）が %2 に拒否され、ステーションのスプール %3 に取り分けました（送り直す方法は README にあります）。最後の理由：%5</translation>
    </message>
    <message>
        <source>the log names this file but it is not there</source>
        <translation>結果ログにあるファイルが見つかりません</translation>
    </message>
    <message>
        <source>the log names this file but it is not a file</source>
        <translation>結果ログにあるパスはファイルではありません</translation>
    </message>
</context>
<context>
    <name>PortResolver</name>
    <message>
        <source>（見つかりません）</source>
        <translation>（見つかりません）</translation>
    </message>
</context>
<context>
    <name>QcMessages</name>
    <message>
        <source>no golden measurement given</source>
        <translation>ゴールデンサンプルの測定データが指定されていません</translation>
    </message>
    <message>
        <source>%1 was measured on band %2, the first golden unit on band %3: measure every golden unit on the same band</source>
        <translation>%1 は帯域 %2、最初のゴールデンサンプルは帯域 %3 で測定されています：ゴールデンサンプルはすべて同じ帯域で測定してください</translation>
    </message>
    <message>
        <source>%1 lacks points of its band: a golden unit needs the whole band</source>
        <translation>%1 は帯域の測定点が欠けています：ゴールデンサンプルには帯域全体の測定が必要です</translation>
    </message>
    <message>
        <source>%1 shows no resonance peak to take the parameters from</source>
        <translation>%1 にはパラメータを求める共振のピークがありません</translation>
    </message>
    <message>
        <source>Re %1 ohm gives no Thiele-Small values on %2: Re must lie between 0 and the peak |Z|</source>
        <translation>Re %1 Ω では %2 の Thiele-Small パラメータが求まりません：Re は 0 とピークの |Z| の間にしてください</translation>
    </message>
    <message>
        <source>%1: line %2: %3</source>
        <translation>%1：%2 行目：%3</translation>
    </message>
    <message>
        <source>not a QC limits file (the first item must be &quot;velo2-qc-limits 1&quot;)</source>
        <translation>QC 限度ファイルではありません（最初の項目は &quot;velo2-qc-limits 1&quot; です）</translation>
    </message>
    <message>
        <source>limits file version %1 is not supported (this program reads version %2)</source>
        <translation>限度ファイルのバージョン %1 には対応していません（このプログラムが読めるのはバージョン %2 です）</translation>
    </message>
    <message>
        <source>unknown item &quot;%1&quot;</source>
        <translation>不明な項目 &quot;%1&quot;</translation>
    </message>
    <message>
        <source>bad value for &quot;%1&quot;</source>
        <translation>&quot;%1&quot; の値が正しくありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is given twice</source>
        <translation>&quot;%1&quot; が 2 回指定されています</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation>&quot;%1&quot; がありません</translation>
    </message>
    <message>
        <source>%1 needs two numbers LOW HIGH with LOW not above HIGH</source>
        <translation>%1 には 2 つの数値 LOW HIGH が必要です（LOW は HIGH 以下）</translation>
    </message>
    <message>
        <source>expected &quot;point %1 FREQUENCY LOW HIGH&quot; (one point per grid index of the band, rising)</source>
        <translation>&quot;point %1 FREQUENCY LOW HIGH&quot; が必要です（帯域の測定点ごとに 1 行、周波数の低い順）</translation>
    </message>
    <message>
        <source>point %1 must be at the grid&apos;s frequency, %2 Hz</source>
        <translation>point %1 の周波数は測定点の周波数 %2 Hz にしてください</translation>
    </message>
    <message>
        <source>%1 points given, the band has %2</source>
        <translation>%1 点が指定されていますが、帯域の測定点は %2 点です</translation>
    </message>
    <message>
        <source>the file ends without &quot;end&quot; (cut short?)</source>
        <translation>ファイルが &quot;end&quot; なしで終わっています（途中で切れていませんか？）</translation>
    </message>
    <message>
        <source>text after &quot;end&quot;</source>
        <translation>&quot;end&quot; のあとにテキストがあります</translation>
    </message>
    <message>
        <source>%1: cannot read the limits file (missing, unreadable or not a regular file of at most 1 MiB)</source>
        <translation>%1：限度ファイルを読めません（ファイルがない、読めない、または 1 MiB 以下の通常のファイルではありません）</translation>
    </message>
    <message>
        <source>the limits are for band %1, the measurement is on band %2</source>
        <translation>限度は帯域 %1 用ですが、測定は帯域 %2 です</translation>
    </message>
    <message>
        <source>%1 %2%5 outside %3 ... %4%5</source>
        <translation>%1 %2%5 が %3 ... %4%5 の範囲外です</translation>
    </message>
    <message>
        <source>no resonance peak: Fs, Rmax, Qms, Qes, Qts and Zmin not measured</source>
        <translation>共振のピークがありません：Fs、Rmax、Qms、Qes、Qts、Zmin は測定できませんでした</translation>
    </message>
    <message>
        <source>|Z| above the band at %1 Hz</source>
        <translation>%1 Hz で |Z| が限度バンドより上です</translation>
    </message>
    <message>
        <source>|Z| below the band at %1 Hz</source>
        <translation>%1 Hz で |Z| が限度バンドより下です</translation>
    </message>
    <message>
        <source>|Z| above the band at %1 ... %2 Hz</source>
        <translation>%1 ... %2 Hz で |Z| が限度バンドより上です</translation>
    </message>
    <message>
        <source>|Z| below the band at %1 ... %2 Hz</source>
        <translation>%1 ... %2 Hz で |Z| が限度バンドより下です</translation>
    </message>
    <message>
        <source>%1 points of the band were not measured</source>
        <translation>帯域の %1 点が測定されていません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a shift: give its start and end as HH:MM-HH:MM, shifts separated by commas (06:00-14:00,14:00-22:00,22:00-06:00)</source>
        <translation>&apos;%1&apos; はシフトではありません：開始と終了を HH:MM-HH:MM で、シフトをカンマで区切って指定してください（06:00-14:00,14:00-22:00,22:00-06:00）</translation>
    </message>
    <message>
        <source>the shift &apos;%1&apos; starts and ends at the same time</source>
        <translation>シフト &apos;%1&apos; の開始と終了が同じ時刻です</translation>
    </message>
    <message>
        <source>the shifts %1 and %2 overlap (both hold %3); a unit must belong to one shift</source>
        <translation>シフト %1 と %2 が重なっています（どちらも %3 を含みます）。ユニットはひとつのシフトに属する必要があります</translation>
    </message>
    <message>
        <source>the results log holds no unit checked since %1</source>
        <translation>結果ログに %1 以降に検査したユニットがありません</translation>
    </message>
    <message>
        <source>the results log holds no unit yet</source>
        <translation>結果ログにユニットがまだありません</translation>
    </message>
    <message>
        <source>1 point beyond 3σ</source>
        <translation>3σ を超える点 1 つ</translation>
    </message>
    <message>
        <source>2 of 3 beyond 2σ, same side</source>
        <translation>3 点中 2 点が同じ側で 2σ 超</translation>
    </message>
    <message>
        <source>4 of 5 beyond 1σ, same side</source>
        <translation>5 点中 4 点が同じ側で 1σ 超</translation>
    </message>
    <message>
        <source>8 in a row on one side</source>
        <translation>中心線の片側に 8 点連続</translation>
    </message>
    <message>
        <source>sweep band %1 does not lie within band %2</source>
        <translation>スイープ帯域 %1 は帯域 %2 の中にありません</translation>
    </message>
    <message>
        <source>the sweep leaves %1 ... %2 Hz out: its bands must join up from the first point of band %3, as a measurement file keeps no gap</source>
        <translation>スイープは %1 ... %2 Hz を測定しません。測定ファイルには途中の欠けを保存できないため、帯域は帯域 %3 の最初の点から切れ目なくつながっている必要があります</translation>
    </message>
</context>
<context>
    <name>ReadoutFormat</name>
    <message>
        <source>周波数：</source>
        <translation>周波数：</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>VELOがすでに起動しています</source>
        <translation>VELOがすでに起動しています</translation>
    </message>
    <message>
        <source>VELO2はすでに起動しています</source>
        <translation>VELO2はすでに起動しています</translation>
    </message>
</context>
<context>
    <name>TFormCalc</name>
    <message>
        <source>ピーク値１</source>
        <translation>ピーク値１</translation>
    </message>
    <message>
        <source>ピーク値２</source>
        <translation>ピーク値２</translation>
    </message>
    <message>
        <source>ピーク値３</source>
        <translation>ピーク値３</translation>
    </message>
    <message>
        <source>ピーク値４</source>
        <translation>ピーク値４</translation>
    </message>
    <message>
        <source>ピーク値５</source>
        <translation>ピーク値５</translation>
    </message>
    <message>
        <source>VELO / 測定結果</source>
        <translation>VELO / 測定結果</translation>
    </message>
    <message>
        <source>共振点</source>
        <translation>共振点</translation>
    </message>
    <message>
        <source>周波数[Hz]</source>
        <translation>周波数[Hz]</translation>
    </message>
    <message>
        <source>抵抗値[Ω]</source>
        <translation>抵抗値[Ω]</translation>
    </message>
    <message>
        <source>Ts の計算</source>
        <translation>Ts の計算</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>閉じる</translation>
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
        <translation>残差 [ Ω ]</translation>
    </message>
    <message>
        <source>共振点がないため、円を求められません。</source>
        <translation>共振点がないため、円を求められません。</translation>
    </message>
    <message>
        <source>位相のない曲線のため、円を求められません。</source>
        <translation>位相のない曲線のため、円を求められません。</translation>
    </message>
    <message>
        <source>共振付近の点が少なすぎるため、円を求められません。</source>
        <translation>共振付近の点が少なすぎるため、円を求められません。</translation>
    </message>
    <message>
        <source>共振付近の点が円に乗らないため、円を求められません。</source>
        <translation>共振付近の点が円に乗らないため、円を求められません。</translation>
    </message>
    <message>
        <source>曲線が円の上端・右端・下端を順に通らないため、円を求められません。</source>
        <translation>曲線が円の上端・右端・下端を順に通らないため、円を求められません。</translation>
    </message>
    <message>
        <source>動インピーダンス円</source>
        <translation>動インピーダンス円</translation>
    </message>
</context>
<context>
    <name>TFormCompensation</name>
    <message>
        <source>VELO / 補正回路</source>
        <translation>VELO / 補正回路</translation>
    </message>
    <message>
        <source>補正回路...</source>
        <translation>補正回路...</translation>
    </message>
    <message>
        <source>帯域の下限 [Hz]</source>
        <translation>帯域の下限 [Hz]</translation>
    </message>
    <message>
        <source>帯域の上限 [Hz]</source>
        <translation>帯域の上限 [Hz]</translation>
    </message>
    <message>
        <source>部品の系列</source>
        <translation>部品の系列</translation>
    </message>
    <message>
        <source>計算値のまま</source>
        <translation>計算値のまま</translation>
    </message>
    <message>
        <source>グラフとZMA出力の回路</source>
        <translation>グラフとZMA出力の回路</translation>
    </message>
    <message>
        <source>ゾーベル</source>
        <translation>ゾーベル</translation>
    </message>
    <message>
        <source>ノッチ</source>
        <translation>ノッチ</translation>
    </message>
    <message>
        <source>ゾーベルとノッチ</source>
        <translation>ゾーベルとノッチ</translation>
    </message>
    <message>
        <source>ゾーベル（直列 R-C、コイルのインダクタンスを補正）</source>
        <translation>ゾーベル（直列 R-C、コイルのインダクタンスを補正）</translation>
    </message>
    <message>
        <source>共振ノッチ（直列 R-L-C、共振の山を補正）</source>
        <translation>共振ノッチ（直列 R-L-C、共振の山を補正）</translation>
    </message>
    <message>
        <source>求め方</source>
        <translation>求め方</translation>
    </message>
    <message>
        <source>平坦度 [±%]</source>
        <translation>平坦度 [±%]</translation>
    </message>
    <message>
        <source>曲線に合わせた値</source>
        <translation>曲線に合わせた値</translation>
    </message>
    <message>
        <source>%1 に丸めた値</source>
        <translation>%1 に丸めた値</translation>
    </message>
    <message>
        <source>T/S からの教科書の値</source>
        <translation>T/S からの教科書の値</translation>
    </message>
    <message>
        <source>曲線から Re %1 Ω、Le %2 mH。平坦度は %3～%4 Hz の |Z| の平均からの最大の差です。</source>
        <translation>曲線から Re %1 Ω、Le %2 mH。平坦度は %3～%4 Hz の |Z| の平均からの最大の差です。</translation>
    </message>
    <message>
        <source>曲線から fs %1 Hz、Qms %2、Qes %3。平坦度は %4～%5 Hz で求めます。</source>
        <translation>曲線から fs %1 Hz、Qms %2、Qes %3。平坦度は %4～%5 Hz で求めます。</translation>
    </message>
    <message>
        <source>計算中…</source>
        <translation>計算中…</translation>
    </message>
    <message>
        <source>測定データがありません。測定するか、ファイルを開いてください。</source>
        <translation>測定データがありません。測定するか、ファイルを開いてください。</translation>
    </message>
    <message>
        <source>%1 に正の数を入力してください。</source>
        <translation>%1 に正の数を入力してください。</translation>
    </message>
    <message>
        <source>測定値と補正後の |Z|</source>
        <translation>測定値と補正後の |Z|</translation>
    </message>
    <message>
        <source>測定値</source>
        <translation>測定値</translation>
    </message>
    <message>
        <source>補正後</source>
        <translation>補正後</translation>
    </message>
    <message>
        <source>補正後をZMA出力...</source>
        <translation>補正後をZMA出力...</translation>
    </message>
    <message>
        <source>補正後の曲線をZMA出力</source>
        <translation>補正後の曲線をZMA出力</translation>
    </message>
    <message>
        <source>ZMAファイル (*.zma)</source>
        <translation>ZMAファイル (*.zma)</translation>
    </message>
    <message>
        <source>%1 に書き込めませんでした。</source>
        <translation>%1 に書き込めませんでした。</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>ゾーベルなし: 帯域の下限は上限より低くしてください。</source>
        <translation>ゾーベルなし: 帯域の下限は上限より低くしてください。</translation>
    </message>
    <message>
        <source>ゾーベルなし: 帯域の測定点が %1 点より少なくなっています。</source>
        <translation>ゾーベルなし: 帯域の測定点が %1 点より少なくなっています。</translation>
    </message>
    <message>
        <source>ゾーベルなし: 曲線に位相がなく、補正するリアクタンスがわかりません。</source>
        <translation>ゾーベルなし: 曲線に位相がなく、補正するリアクタンスがわかりません。</translation>
    </message>
    <message>
        <source>ゾーベルなし: この帯域では |Z| が上に向かって上がりません（補正するボイスコイルのインダクタンスがありません）。</source>
        <translation>ゾーベルなし: この帯域では |Z| が上に向かって上がりません（補正するボイスコイルのインダクタンスがありません）。</translation>
    </message>
    <message>
        <source>ノッチなし: 曲線に位相がなく、Re を求められません。</source>
        <translation>ノッチなし: 曲線に位相がなく、Re を求められません。</translation>
    </message>
    <message>
        <source>ノッチなし: 曲線に -3 dB 点のそろった共振の山がありません。</source>
        <translation>ノッチなし: 曲線に -3 dB 点のそろった共振の山がありません。</translation>
    </message>
    <message>
        <source>2組目の R-C</source>
        <translation>2組目の R-C</translation>
    </message>
</context>
<context>
    <name>TFormDrivers</name>
    <message>
        <source>VELO / ドライバー一覧</source>
        <translation>VELO / ドライバー一覧</translation>
    </message>
    <message>
        <source>ドライバー一覧...</source>
        <translation>ドライバー一覧...</translation>
    </message>
    <message>
        <source>フォルダ:</source>
        <translation>フォルダ:</translation>
    </message>
    <message>
        <source>参照...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>再読込</source>
        <translation>再読込</translation>
    </message>
    <message>
        <source>検索:</source>
        <translation>検索:</translation>
    </message>
    <message>
        <source>曲線を開く</source>
        <translation>曲線を開く</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>名前</translation>
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
        <translation>ファイル</translation>
    </message>
    <message>
        <source>（読めません）</source>
        <translation>（読めません）</translation>
    </message>
    <message>
        <source>%1 / %2 件</source>
        <translation>%1 / %2 件</translation>
    </message>
    <message>
        <source>読み込み中...</source>
        <translation>読み込み中...</translation>
    </message>
    <message>
        <source>ドライバー出力...</source>
        <translation>ドライバー出力...</translation>
    </message>
    <message>
        <source>ドライバー読込...</source>
        <translation>ドライバー読込...</translation>
    </message>
    <message>
        <source>ドライバーファイルの保存</source>
        <translation>ドライバーファイルの保存</translation>
    </message>
    <message>
        <source>ドライバーファイルを開く</source>
        <translation>ドライバーファイルを開く</translation>
    </message>
    <message>
        <source>ドライバーファイル (*.json);;Hornresp (*.txt)</source>
        <translation>ドライバーファイル (*.json);;Hornresp (*.txt)</translation>
    </message>
    <message>
        <source>ドライバーファイル (*.json)</source>
        <translation>ドライバーファイル (*.json)</translation>
    </message>
    <message>
        <source>Hornresp にはSdと付加質量（または箱）による Mms と Bl が必要です。</source>
        <translation>Hornresp にはSdと付加質量（または箱）による Mms と Bl が必要です。</translation>
    </message>
    <message>
        <source>%1 に書き込めませんでした。</source>
        <translation>%1 に書き込めませんでした。</translation>
    </message>
    <message>
        <source>%1 を読めませんでした。</source>
        <translation>%1 を読めませんでした。</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>保存する(&amp;S)</source>
        <translation>保存する(&amp;S)</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>データをテキスト出力</source>
        <translation>データをテキスト出力</translation>
    </message>
    <message>
        <source>ZMA出力</source>
        <translation>ZMA出力</translation>
    </message>
    <message>
        <source>印刷設定</source>
        <translation>印刷設定</translation>
    </message>
    <message>
        <source>グラフ印刷(&amp;P)</source>
        <translation>グラフ印刷(&amp;P)</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>測定(&amp;M)</source>
        <translation>測定(&amp;M)</translation>
    </message>
    <message>
        <source>開始(&amp;S)</source>
        <translation>開始(&amp;S)</translation>
    </message>
    <message>
        <source>結果を分析</source>
        <translation>結果を分析</translation>
    </message>
    <message>
        <source>グラフ(&amp;G)</source>
        <translation>グラフ(&amp;G)</translation>
    </message>
    <message>
        <source>抵抗値のみ表示</source>
        <translation>抵抗値のみ表示</translation>
    </message>
    <message>
        <source>測定値は太線で描画</source>
        <translation>測定値は太線で描画</translation>
    </message>
    <message>
        <source>平均処理</source>
        <translation>平均処理</translation>
    </message>
    <message>
        <source>参照データ(&amp;R)</source>
        <translation>参照データ(&amp;R)</translation>
    </message>
    <message>
        <source>読込み</source>
        <translation>読込み</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>COMポート</source>
        <translation>COMポート</translation>
    </message>
    <message>
        <source>グラフの線色</source>
        <translation>グラフの線色</translation>
    </message>
    <message>
        <source>抵抗値150Ωのメッセージ</source>
        <translation>抵抗値150Ωのメッセージ</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>バージョン(&amp;V)</source>
        <translation>バージョン(&amp;V)</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>グラフ</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>測定周波数帯域</source>
        <translation>測定周波数帯域</translation>
    </message>
    <message>
        <source>データファイルを選んでください</source>
        <translation>データファイルを選んでください</translation>
    </message>
    <message>
        <source>参照ファイルを選んでください(５個まで)</source>
        <translation>参照ファイルを選んでください(５個まで)</translation>
    </message>
    <message>
        <source>データファイル (*.DTA)</source>
        <translation>データファイル (*.DTA)</translation>
    </message>
    <message>
        <source>データファイル (*.txt)</source>
        <translation>データファイル (*.txt)</translation>
    </message>
    <message>
        <source>ZMAファイル (*.zma)</source>
        <translation>ZMAファイル (*.zma)</translation>
    </message>
    <message>
        <source>ZMAファイル (*.zma *.ZMA);;FRDファイル (*.frd *.FRD);;テキストの表 (*.txt *.csv *.dat *.TXT *.CSV *.DAT);;すべてのファイル (*)</source>
        <translation>ZMAファイル (*.zma *.ZMA);;FRDファイル (*.frd *.FRD);;テキストの表 (*.txt *.csv *.dat *.TXT *.CSV *.DAT);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>デスクトップの言語に合わせる</source>
        <translation>デスクトップの言語に合わせる</translation>
    </message>
    <message>
        <source>繰り返し測定...</source>
        <translation>繰り返し測定...</translation>
    </message>
    <message>
        <source>繰り返し測定の±2σを表示</source>
        <translation>繰り返し測定の±2σを表示</translation>
    </message>
    <message>
        <source>繰り返し測定</source>
        <translation>繰り返し測定</translation>
    </message>
    <message>
        <source>掃引の回数（%1～%2）</source>
        <translation>掃引の回数（%1～%2）</translation>
    </message>
    <message>
        <source>|Z|と位相を表示</source>
        <translation>|Z|と位相を表示</translation>
    </message>
    <message>
        <source>RとXを表示</source>
        <translation>RとXを表示</translation>
    </message>
    <message>
        <source>ナイキスト線図を表示</source>
        <translation>ナイキスト線図を表示</translation>
    </message>
    <message>
        <source>参照データとの差を表示</source>
        <translation>参照データとの差を表示</translation>
    </message>
    <message>
        <source>参照データとの比を表示</source>
        <translation>参照データとの比を表示</translation>
    </message>
    <message>
        <source>差を%で表示</source>
        <translation>差を%で表示</translation>
    </message>
    <message>
        <source>凡例を表示</source>
        <translation>凡例を表示</translation>
    </message>
    <message>
        <source>|Z|を対数目盛で表示</source>
        <translation>|Z|を対数目盛で表示</translation>
    </message>
    <message>
        <source>比べる参照データ</source>
        <translation>比べる参照データ</translation>
    </message>
    <message>
        <source>参照データ%1</source>
        <translation>参照データ%1</translation>
    </message>
</context>
<context>
    <name>TFormPrnInfo</name>
    <message>
        <source>VELO グラフ印刷</source>
        <translation>VELO グラフ印刷</translation>
    </message>
    <message>
        <source>印刷する測定情報の設定</source>
        <translation>印刷する測定情報の設定</translation>
    </message>
    <message>
        <source>取消し</source>
        <translation>取消し</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>印刷</translation>
    </message>
</context>
<context>
    <name>TFormQc</name>
    <message>
        <source>VELO / QCモード</source>
        <translation>VELO / QCモード</translation>
    </message>
    <message>
        <source>QCモード</source>
        <translation>QCモード</translation>
    </message>
    <message>
        <source>限度ファイル</source>
        <translation>限度ファイル</translation>
    </message>
    <message>
        <source>選択...</source>
        <translation>選択...</translation>
    </message>
    <message>
        <source>QC 限度ファイル (*.limits *.txt);;すべてのファイル (*)</source>
        <translation>QC 限度ファイル (*.limits *.txt);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>保存先フォルダ</source>
        <translation>保存先フォルダ</translation>
    </message>
    <message>
        <source>空欄なら限度ファイルのフォルダ</source>
        <translation>空欄なら限度ファイルのフォルダ</translation>
    </message>
    <message>
        <source>結果ログ</source>
        <translation>結果ログ</translation>
    </message>
    <message>
        <source>空欄なら保存先フォルダの SQLite ファイル、または postgresql://...</source>
        <translation>空欄なら保存先フォルダの SQLite ファイル、または postgresql://...</translation>
    </message>
    <message>
        <source>シリアル番号</source>
        <translation>シリアル番号</translation>
    </message>
    <message>
        <source>測定開始</source>
        <translation>測定開始</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>限度バンドと測定値のグラフ</source>
        <translation>限度バンドと測定値のグラフ</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>判定</translation>
    </message>
    <message>
        <source>不合格の理由</source>
        <translation>不合格の理由</translation>
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
        <translation>シリアル番号を入力してください</translation>
    </message>
    <message>
        <source>シリアル番号 &quot;%1&quot; はファイル名に使えません</source>
        <translation>シリアル番号 &quot;%1&quot; はファイル名に使えません</translation>
    </message>
    <message>
        <source>シリアル番号が長すぎます（%1 文字、最大 %2 文字）</source>
        <translation>シリアル番号が長すぎます（%1 文字、最大 %2 文字）</translation>
    </message>
    <message>
        <source>保存先フォルダ &quot;%1&quot; がありません</source>
        <translation>保存先フォルダ &quot;%1&quot; がありません</translation>
    </message>
    <message>
        <source>%1 は測定しませんでした：%2 を測定中です。終わってからもう一度スキャンしてください</source>
        <translation>%1 は測定しませんでした：%2 を測定中です。終わってからもう一度スキャンしてください</translation>
    </message>
    <message>
        <source>%1 を測定中 %2/%3</source>
        <translation>%1 を測定中 %2/%3</translation>
    </message>
    <message>
        <source>測定できませんでした：%1</source>
        <translation>測定できませんでした：%1</translation>
    </message>
    <message>
        <source>データが正しくありません</source>
        <translation>データが正しくありません</translation>
    </message>
    <message>
        <source>保存しました：%1</source>
        <translation>保存しました：%1</translation>
    </message>
    <message>
        <source>保存できませんでした：%1</source>
        <translation>保存できませんでした：%1</translation>
    </message>
    <message>
        <source>測定を中止しました</source>
        <translation>測定を中止しました</translation>
    </message>
    <message>
        <source>シリアル番号を入力（またはスキャン）して Enter で測定します</source>
        <translation>シリアル番号を入力（またはスキャン）して Enter で測定します</translation>
    </message>
    <message>
        <source>%1 の結果を記録中…</source>
        <translation>%1 の結果を記録中…</translation>
    </message>
    <message>
        <source>記録しました：%1</source>
        <translation>記録しました：%1</translation>
    </message>
    <message>
        <source>記録できませんでした：%1</source>
        <translation>記録できませんでした：%1</translation>
    </message>
    <message>
        <source>サーバーに送れていません（ステーションのスプールに保存）：%1</source>
        <translation>サーバーに送れていません（ステーションのスプールに保存）：%1</translation>
    </message>
    <message>
        <source>ゲージスタディ...</source>
        <translation>ゲージスタディ...</translation>
    </message>
    <message>
        <source>スタディ終了</source>
        <translation>スタディ終了</translation>
    </message>
    <message>
        <source>ゲージスタディ（繰返し性・再現性）</source>
        <translation>ゲージスタディ（繰返し性・再現性）</translation>
    </message>
    <message>
        <source>スタディ名</source>
        <translation>スタディ名</translation>
    </message>
    <message>
        <source>部品の数</source>
        <translation>部品の数</translation>
    </message>
    <message>
        <source>作業者</source>
        <translation>作業者</translation>
    </message>
    <message>
        <source>カンマ区切り（例：A, B, C）</source>
        <translation>カンマ区切り（例：A, B, C）</translation>
    </message>
    <message>
        <source>試行回数</source>
        <translation>試行回数</translation>
    </message>
    <message>
        <source>部品 %1／作業者 %2／試行 %3</source>
        <translation>部品 %1／作業者 %2／試行 %3</translation>
    </message>
    <message>
        <source>ゲージスタディ「%1」を準備中…</source>
        <translation>ゲージスタディ「%1」を準備中…</translation>
    </message>
    <message>
        <source>ゲージスタディを始められません：%1</source>
        <translation>ゲージスタディを始められません：%1</translation>
    </message>
    <message>
        <source>ゲージスタディ「%1」：作業者 %2 が部品 %3 を測定してください（試行 %4/%5、測定済み %6/%7）</source>
        <translation>ゲージスタディ「%1」：作業者 %2 が部品 %3 を測定してください（試行 %4/%5、測定済み %6/%7）</translation>
    </message>
    <message>
        <source>ゲージスタディ「%1」：全 %3 件のうち %2 件を測定、記録を待っています…</source>
        <translation>ゲージスタディ「%1」：全 %3 件のうち %2 件を測定、記録を待っています…</translation>
    </message>
    <message>
        <source>ゲージスタディ「%1」の測定が終わりました。計算中…</source>
        <translation>ゲージスタディ「%1」の測定が終わりました。計算中…</translation>
    </message>
    <message>
        <source>ゲージスタディ「%1」完了：パラメータごとの結果は下のとおりです</source>
        <translation>ゲージスタディ「%1」完了：パラメータごとの結果は下のとおりです</translation>
    </message>
    <message>
        <source>%1：%GRR %2 %、ndc %3、%4</source>
        <translation>%1：%GRR %2 %、ndc %3、%4</translation>
    </message>
    <message>
        <source>許容できる</source>
        <translation>許容できる</translation>
    </message>
    <message>
        <source>条件付きで許容</source>
        <translation>条件付きで許容</translation>
    </message>
    <message>
        <source>許容できない</source>
        <translation>許容できない</translation>
    </message>
    <message>
        <source>%1：計算できません：%2</source>
        <translation>%1：計算できません：%2</translation>
    </message>
    <message>
        <source>管理図...</source>
        <translation>管理図...</translation>
    </message>
    <message>
        <source>VELO / 管理図と工程能力</source>
        <translation>VELO / 管理図と工程能力</translation>
    </message>
    <message>
        <source>工程能力の単位</source>
        <translation>工程能力の単位</translation>
    </message>
    <message>
        <source>日</source>
        <translation>日</translation>
    </message>
    <message>
        <source>シフト</source>
        <translation>シフト</translation>
    </message>
    <message>
        <source>ステーション</source>
        <translation>ステーション</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>パラメータ</source>
        <translation>パラメータ</translation>
    </message>
    <message>
        <source>期間</source>
        <translation>期間</translation>
    </message>
    <message>
        <source>%1 を読んでいます…</source>
        <translation>%1 を読んでいます…</translation>
    </message>
    <message>
        <source>%1 台、歩留まり %2 %、Cpk %3、Ppk %4、ルール違反の点 %5</source>
        <translation>%1 台、歩留まり %2 %、Cpk %3、Ppk %4、ルール違反の点 %5</translation>
    </message>
</context>
<context>
    <name>TFormSetColor</name>
    <message>
        <source>グラフ線色設定</source>
        <translation>グラフ線色設定</translation>
    </message>
    <message>
        <source>測定データ</source>
        <translation>測定データ</translation>
    </message>
    <message>
        <source>抵抗値グラフ</source>
        <translation>抵抗値グラフ</translation>
    </message>
    <message>
        <source>位相角グラフ</source>
        <translation>位相角グラフ</translation>
    </message>
    <message>
        <source>参照データ</source>
        <translation>参照データ</translation>
    </message>
    <message>
        <source>データ１</source>
        <translation>データ１</translation>
    </message>
    <message>
        <source>データ２</source>
        <translation>データ２</translation>
    </message>
    <message>
        <source>データ３</source>
        <translation>データ３</translation>
    </message>
    <message>
        <source>データ４</source>
        <translation>データ４</translation>
    </message>
    <message>
        <source>データ５</source>
        <translation>データ５</translation>
    </message>
    <message>
        <source>取り消し</source>
        <translation>取り消し</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>設定</translation>
    </message>
</context>
<context>
    <name>TFormSetting</name>
    <message>
        <source>COMポートの設定</source>
        <translation>COMポートの設定</translation>
    </message>
    <message>
        <source>取り消し</source>
        <translation>取り消し</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>接続されている機器：</source>
        <translation>接続されている機器：</translation>
    </message>
    <message>
        <source>接続されている機器</source>
        <translation>接続されている機器</translation>
    </message>
    <message>
        <source>機器の説明</source>
        <translation>機器の説明</translation>
    </message>
    <message>
        <source>（変更しない）</source>
        <translation>（変更しない）</translation>
    </message>
</context>
<context>
    <name>TFormTS</name>
    <message>
        <source>TS の計算</source>
        <translation>TS の計算</translation>
    </message>
    <message>
        <source>±U (k=2)、%1回から</source>
        <translation>±U (k=2)、%1回から</translation>
    </message>
</context>
<context>
    <name>TFormUnits</name>
    <message>
        <source>VELO / 複数ユニットの比較</source>
        <translation>VELO / 複数ユニットの比較</translation>
    </message>
    <message>
        <source>複数ユニットの比較...</source>
        <translation>複数ユニットの比較...</translation>
    </message>
    <message>
        <source>ファイルを追加...</source>
        <translation>ファイルを追加...</translation>
    </message>
    <message>
        <source>フォルダを追加...</source>
        <translation>フォルダを追加...</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>再計算</source>
        <translation>再計算</translation>
    </message>
    <message>
        <source>比較するファイル</source>
        <translation>比較するファイル</translation>
    </message>
    <message>
        <source>比較するファイルのフォルダ</source>
        <translation>比較するファイルのフォルダ</translation>
    </message>
    <message>
        <source>ファイルごとの Re の一覧</source>
        <translation>ファイルごとの Re の一覧</translation>
    </message>
    <message>
        <source>測定データと表 (*.DTA *.dta *.zma *.frd);;すべてのファイル (*)</source>
        <translation>測定データと表 (*.DTA *.dta *.zma *.frd);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>ファイル,Re の一覧 (*.csv *.txt);;すべてのファイル (*)</source>
        <translation>ファイル,Re の一覧 (*.csv *.txt);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Re</source>
        <translation>Re</translation>
    </message>
    <message>
        <source>全ユニットに入力 [Ω]</source>
        <translation>全ユニットに入力 [Ω]</translation>
    </message>
    <message>
        <source>ファイル,Re の一覧から</source>
        <translation>ファイル,Re の一覧から</translation>
    </message>
    <message>
        <source>曲線から推定</source>
        <translation>曲線から推定</translation>
    </message>
    <message>
        <source>一覧を選ぶ...</source>
        <translation>一覧を選ぶ...</translation>
    </message>
    <message>
        <source>（一覧なし）</source>
        <translation>（一覧なし）</translation>
    </message>
    <message>
        <source>Re には正の数を入力してください。</source>
        <translation>Re には正の数を入力してください。</translation>
    </message>
    <message>
        <source>Re の一覧 %1 を読めません。</source>
        <translation>Re の一覧 %1 を読めません。</translation>
    </message>
    <message>
        <source>Re の一覧の %1 行目が「ファイル,Re」ではありません。</source>
        <translation>Re の一覧の %1 行目が「ファイル,Re」ではありません。</translation>
    </message>
    <message>
        <source>* 曲線から推定した Re（帯域内の |Z|·cos θ の最小値）</source>
        <translation>* 曲線から推定した Re（帯域内の |Z|·cos θ の最小値）</translation>
    </message>
    <message>
        <source>読めないか、測定データではありません</source>
        <translation>読めないか、測定データではありません</translation>
    </message>
    <message>
        <source>測定データも表もないフォルダです</source>
        <translation>測定データも表もないフォルダです</translation>
    </message>
    <message>
        <source>Re の一覧にありません</source>
        <translation>Re の一覧にありません</translation>
    </message>
    <message>
        <source>Re を推定できません</source>
        <translation>Re を推定できません</translation>
    </message>
    <message>
        <source>%1 / %2 ファイルを除きました:</source>
        <translation>%1 / %2 ファイルを除きました:</translation>
    </message>
    <message>
        <source>値を求められるユニットがありません。</source>
        <translation>値を求められるユニットがありません。</translation>
    </message>
    <message>
        <source>%1 は他のファイルと共通の帯域がありません。</source>
        <translation>%1 は他のファイルと共通の帯域がありません。</translation>
    </message>
    <message>
        <source>計算中...</source>
        <translation>計算中...</translation>
    </message>
    <message>
        <source>一覧</source>
        <translation>一覧</translation>
    </message>
    <message>
        <source>組分け</source>
        <translation>組分け</translation>
    </message>
    <message>
        <source>経時変化</source>
        <translation>経時変化</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>平均</translation>
    </message>
    <message>
        <source>σ (n−1)</source>
        <translation>σ (n−1)</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>k</source>
        <translation>k</translation>
    </message>
    <message>
        <source>%1 の分布</source>
        <translation>%1 の分布</translation>
    </message>
    <message>
        <source>組の数</source>
        <translation>組の数</translation>
    </message>
    <message>
        <source>各組の数（空欄は均等）</source>
        <translation>各組の数（空欄は均等）</translation>
    </message>
    <message>
        <source>そろえる値</source>
        <translation>そろえる値</translation>
    </message>
    <message>
        <source>組</source>
        <translation>組</translation>
    </message>
    <message>
        <source>ばらつき</source>
        <translation>ばらつき</translation>
    </message>
    <message>
        <source>最大のばらつき %1（厳密解）</source>
        <translation>最大のばらつき %1（厳密解）</translation>
    </message>
    <message>
        <source>最大のばらつき %1（近似解。最適解は %2 以上）</source>
        <translation>最大のばらつき %1（近似解。最適解は %2 以上）</translation>
    </message>
    <message>
        <source>各組の数は正の整数を , で区切って入力してください。</source>
        <translation>各組の数は正の整数を , で区切って入力してください。</translation>
    </message>
    <message>
        <source>ユニット %1 個を %2 組には分けられません。</source>
        <translation>ユニット %1 個を %2 組には分けられません。</translation>
    </message>
    <message>
        <source>各組の数の合計 %1 がユニットの数 %2 と合いません。</source>
        <translation>各組の数の合計 %1 がユニットの数 %2 と合いません。</translation>
    </message>
    <message>
        <source>そろえる値を一つ以上選んでください。</source>
        <translation>そろえる値を一つ以上選んでください。</translation>
    </message>
    <message>
        <source>測定日時</source>
        <translation>測定日時</translation>
    </message>
    <message>
        <source>安定の判定 [%]</source>
        <translation>安定の判定 [%]</translation>
    </message>
    <message>
        <source>安定: 最後の二つの Fs の差は判定値未満です。</source>
        <translation>安定: 最後の二つの Fs の差は判定値未満です。</translation>
    </message>
    <message>
        <source>未安定: 最後の二つの Fs の差が判定値以上です。</source>
        <translation>未安定: 最後の二つの Fs の差が判定値以上です。</translation>
    </message>
    <message>
        <source>? 日と月のどちらが先か決められない日付です（月を先と読みました）。</source>
        <translation>? 日と月のどちらが先か決められない日付です（月を先と読みました）。</translation>
    </message>
    <message>
        <source>~ 記録に日時がないため、ファイルの更新日時です。</source>
        <translation>~ 記録に日時がないため、ファイルの更新日時です。</translation>
    </message>
    <message>
        <source>そろえる値に数でないものがあります。</source>
        <translation>そろえる値に数でないものがあります。</translation>
    </message>
    <message>
        <source>メイングラフに |Z| と位相の範囲を表示</source>
        <translation>メイングラフに |Z| と位相の範囲を表示</translation>
    </message>
    <message>
        <source>平均 ± kσ</source>
        <translation>平均 ± kσ</translation>
    </message>
    <message>
        <source>最小〜最大</source>
        <translation>最小〜最大</translation>
    </message>
    <message>
        <source>結果ログから追加...</source>
        <translation>結果ログから追加...</translation>
    </message>
    <message>
        <source>結果ログのユニット</source>
        <translation>結果ログのユニット</translation>
    </message>
    <message>
        <source>結果ログ:</source>
        <translation>結果ログ:</translation>
    </message>
    <message>
        <source>SQLite ファイルのパスまたは postgresql://user@host/db</source>
        <translation>SQLite ファイルのパスまたは postgresql://user@host/db</translation>
    </message>
    <message>
        <source>この日から:</source>
        <translation>この日から:</translation>
    </message>
    <message>
        <source>判定:</source>
        <translation>判定:</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>合格のみ</source>
        <translation>合格のみ</translation>
    </message>
    <message>
        <source>不合格のみ</source>
        <translation>不合格のみ</translation>
    </message>
    <message>
        <source>ステーション:</source>
        <translation>ステーション:</translation>
    </message>
    <message>
        <source>（すべて）</source>
        <translation>（すべて）</translation>
    </message>
    <message>
        <source>条件に合う保存済みの測定がありません。</source>
        <translation>条件に合う保存済みの測定がありません。</translation>
    </message>
</context>
<context>
    <name>TFormVersion</name>
    <message>
        <source>VELO バージョン情報</source>
        <translation>VELO バージョン情報</translation>
    </message>
    <message>
        <source>スピーカのインピーダンス測定</source>
        <translation>スピーカのインピーダンス測定</translation>
    </message>
</context>
<context>
    <name>TFormWorksheet</name>
    <message>
        <source>VELO / T/S ワークシート</source>
        <translation>VELO / T/S ワークシート</translation>
    </message>
    <message>
        <source>T/S ワークシート</source>
        <translation>T/S ワークシート</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>入力</translation>
    </message>
    <message>
        <source>自由空間の測定に加える曲線（参照データ）</source>
        <translation>自由空間の測定に加える曲線（参照データ）</translation>
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
        <translation>または振動板の直径 [mm]</translation>
    </message>
    <message>
        <source>気温 [°C]</source>
        <translation>気温 [°C]</translation>
    </message>
    <message>
        <source>気圧 [hPa]</source>
        <translation>気圧 [hPa]</translation>
    </message>
    <message>
        <source>付加質量 m%1</source>
        <translation>付加質量 m%1</translation>
    </message>
    <message>
        <source>密閉箱</source>
        <translation>密閉箱</translation>
    </message>
    <message>
        <source>質量 [g]</source>
        <translation>質量 [g]</translation>
    </message>
    <message>
        <source>容積 [L]</source>
        <translation>容積 [L]</translation>
    </message>
    <message>
        <source>曲線</source>
        <translation>曲線</translation>
    </message>
    <message>
        <source>（使わない）</source>
        <translation>（使わない）</translation>
    </message>
    <message>
        <source>参照 %1: %2</source>
        <translation>参照 %1: %2</translation>
    </message>
    <message>
        <source>参照 %1: （空）</source>
        <translation>参照 %1: （空）</translation>
    </message>
    <message>
        <source>この箱で測定</source>
        <translation>この箱で測定</translation>
    </message>
    <message>
        <source>この質量で測定</source>
        <translation>この質量で測定</translation>
    </message>
    <message>
        <source>測定停止</source>
        <translation>測定停止</translation>
    </message>
    <message>
        <source>テキストをコピー</source>
        <translation>テキストをコピー</translation>
    </message>
    <message>
        <source>JSON 保存</source>
        <translation>JSON 保存</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>印刷</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>方法ごとの比較</source>
        <translation>方法ごとの比較</translation>
    </message>
    <message>
        <source>計算の過程</source>
        <translation>計算の過程</translation>
    </message>
    <message>
        <source>区分</source>
        <translation>区分</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>値</source>
        <translation>値</translation>
    </message>
    <message>
        <source>単位</source>
        <translation>単位</translation>
    </message>
    <message>
        <source>式と数値</source>
        <translation>式と数値</translation>
    </message>
    <message>
        <source>計算の状態</source>
        <translation>計算の状態</translation>
    </message>
    <message>
        <source>自由空間の測定データがありません。測定するかファイルを開いてください。</source>
        <translation>自由空間の測定データがありません。測定するかファイルを開いてください。</translation>
    </message>
    <message>
        <source>%1 に数値を入力してください。</source>
        <translation>%1 に数値を入力してください。</translation>
    </message>
    <message>
        <source>Re [Ω] を入力してください。</source>
        <translation>Re [Ω] を入力してください。</translation>
    </message>
    <message>
        <source>%1 の質量 [g] を入力してください。</source>
        <translation>%1 の質量 [g] を入力してください。</translation>
    </message>
    <message>
        <source>密閉箱の容積 [L] を入力してください。</source>
        <translation>密閉箱の容積 [L] を入力してください。</translation>
    </message>
    <message>
        <source>密閉箱の容積は 0 より大きい数で入力してください（&quot;%1&quot;）。</source>
        <translation>密閉箱の容積は 0 より大きい数で入力してください（&quot;%1&quot;）。</translation>
    </message>
    <message>
        <source>参照 %1 は空です。参照データを読み込むか別の参照を選んでください。</source>
        <translation>参照 %1 は空です。参照データを読み込むか別の参照を選んでください。</translation>
    </message>
    <message>
        <source>%1: %2 は参照データから外れたので使いません。</source>
        <translation>%1: %2 は参照データから外れたので使いません。</translation>
    </message>
    <message>
        <source>自由空間の測定をファイルに保存してから%1の測定をしてください（その曲線は自由空間のファイルの横に保存されます）。</source>
        <translation>自由空間の測定をファイルに保存してから%1の測定をしてください（その曲線は自由空間のファイルの横に保存されます）。</translation>
    </message>
    <message>
        <source>参照データの空きがありません。参照データをクリアしてから測定してください。</source>
        <translation>参照データの空きがありません。参照データをクリアしてから測定してください。</translation>
    </message>
    <message>
        <source>%1 g で測定中: %2 / %3 点</source>
        <translation>%1 g で測定中: %2 / %3 点</translation>
    </message>
    <message>
        <source>密閉箱 %1 L で測定中: %2 / %3 点</source>
        <translation>密閉箱 %1 L で測定中: %2 / %3 点</translation>
    </message>
    <message>
        <source>%1の測定ができませんでした: %2
参照データと自由空間の測定はそのままです。</source>
        <translation>%1の測定ができませんでした: %2
参照データと自由空間の測定はそのままです。</translation>
    </message>
    <message>
        <source>%1 に保存できませんでした</source>
        <translation>%1 に保存できませんでした</translation>
    </message>
    <message>
        <source>%1 を参照データに読み込めませんでした</source>
        <translation>%1 を参照データに読み込めませんでした</translation>
    </message>
    <message>
        <source>%1 に保存し、参照 %2 に読み込みました。</source>
        <translation>%1 に保存し、参照 %2 に読み込みました。</translation>
    </message>
    <message>
        <source>ワークシートの測定を停止しました。</source>
        <translation>ワークシートの測定を停止しました。</translation>
    </message>
    <message>
        <source>T/S ワークシートはいまの測定を自由空間の曲線として使っています。新しい測定はそれを置き換え、ワークシートの値はすべて新しい曲線から計算されます。
密閉箱や付加質量の曲線はワークシートの「この箱で測定」「この質量で測定」で測ってください。

測定を始めますか？</source>
        <translation>T/S ワークシートはいまの測定を自由空間の曲線として使っています。新しい測定はそれを置き換え、ワークシートの値はすべて新しい曲線から計算されます。
密閉箱や付加質量の曲線はワークシートの「この箱で測定」「この質量で測定」で測ってください。

測定を始めますか？</translation>
    </message>
    <message>
        <source>ワークシートを JSON で保存</source>
        <translation>ワークシートを JSON で保存</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>%1 に保存できませんでした。</source>
        <translation>%1 に保存できませんでした。</translation>
    </message>
    <message>
        <source>印刷できませんでした。</source>
        <translation>印刷できませんでした。</translation>
    </message>
    <message>
        <source>表をテキストでコピーしました。</source>
        <translation>表をテキストでコピーしました。</translation>
    </message>
    <message>
        <source>モデルフィット</source>
        <translation>モデルフィット</translation>
    </message>
    <message>
        <source>モデル</source>
        <translation>モデル</translation>
    </message>
    <message>
        <source>古典 (Re + Le + 共振)</source>
        <translation>古典 (Re + Le + 共振)</translation>
    </message>
    <message>
        <source>LR-2</source>
        <translation>LR-2</translation>
    </message>
    <message>
        <source>セミインダクタンス + クリープ</source>
        <translation>セミインダクタンス + クリープ</translation>
    </message>
    <message>
        <source>Re もフィットする（外すと入力の Re に固定）</source>
        <translation>Re もフィットする（外すと入力の Re に固定）</translation>
    </message>
    <message>
        <source>グラフに表示</source>
        <translation>グラフに表示</translation>
    </message>
    <message>
        <source>フィット曲線の色</source>
        <translation>フィット曲線の色</translation>
    </message>
    <message>
        <source>フィットの結果</source>
        <translation>フィットの結果</translation>
    </message>
    <message>
        <source>フィット中…</source>
        <translation>フィット中…</translation>
    </message>
    <message>
        <source>標準誤差</source>
        <translation>標準誤差</translation>
    </message>
    <message>
        <source>古典的方法</source>
        <translation>古典的方法</translation>
    </message>
    <message>
        <source>湿度 [%]</source>
        <translation>湿度 [%]</translation>
    </message>
    <message>
        <source>または空気密度 ρ [kg/m³]</source>
        <translation>または空気密度 ρ [kg/m³]</translation>
    </message>
    <message>
        <source>音速 c [m/s]</source>
        <translation>音速 c [m/s]</translation>
    </message>
    <message>
        <source>計算に使う空気: ρ = %1 kg/m³、c = %2 m/s</source>
        <translation>計算に使う空気: ρ = %1 kg/m³、c = %2 m/s</translation>
    </message>
    <message>
        <source>ボイスコイル温度 [°C]</source>
        <translation>ボイスコイル温度 [°C]</translation>
    </message>
    <message>
        <source>コイルの材料</source>
        <translation>コイルの材料</translation>
    </message>
    <message>
        <source>アルミニウム (α = 0.00403 /K)</source>
        <translation>アルミニウム (α = 0.00403 /K)</translation>
    </message>
    <message>
        <source>銅 (α = 0.00393 /K)</source>
        <translation>銅 (α = 0.00393 /K)</translation>
    </message>
    <message>
        <source>数値から計算（曲線を使わない）</source>
        <translation>数値から計算（曲線を使わない）</translation>
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
        <translation>m%1 を付けた Fs&apos; [Hz]</translation>
    </message>
    <message>
        <source>数値から計算するには %1 を入力してください。</source>
        <translation>数値から計算するには %1 を入力してください。</translation>
    </message>
    <message>
        <source>数値から計算するときはモデルフィットを使いません。</source>
        <translation>数値から計算するときはモデルフィットを使いません。</translation>
    </message>
    <message>
        <source>不確かさを表示 (x ± U, k=2)</source>
        <translation>不確かさを表示 (x ± U, k=2)</translation>
    </message>
    <message>
        <source>内訳を表示</source>
        <translation>内訳を表示</translation>
    </message>
    <message>
        <source>Re の ± [Ω]</source>
        <translation>Re の ± [Ω]</translation>
    </message>
    <message>
        <source>はかりの分解能 [g]</source>
        <translation>はかりの分解能 [g]</translation>
    </message>
    <message>
        <source>Sd の ± [%]</source>
        <translation>Sd の ± [%]</translation>
    </message>
    <message>
        <source>直径の ± [mm]</source>
        <translation>直径の ± [mm]</translation>
    </message>
    <message>
        <source>ρ の ± [kg/m³]</source>
        <translation>ρ の ± [kg/m³]</translation>
    </message>
    <message>
        <source>c の ± [m/s]</source>
        <translation>c の ± [m/s]</translation>
    </message>
    <message>
        <source>気温の ± [°C]</source>
        <translation>気温の ± [°C]</translation>
    </message>
    <message>
        <source>気圧の ± [hPa]</source>
        <translation>気圧の ± [hPa]</translation>
    </message>
    <message>
        <source>湿度の ± [%]</source>
        <translation>湿度の ± [%]</translation>
    </message>
    <message>
        <source>コイル温度の ± [°C]</source>
        <translation>コイル温度の ± [°C]</translation>
    </message>
    <message>
        <source>バスレフ箱</source>
        <translation>バスレフ箱</translation>
    </message>
    <message>
        <source>箱の曲線</source>
        <translation>箱の曲線</translation>
    </message>
    <message>
        <source>バスレフ箱の値</source>
        <translation>バスレフ箱の値</translation>
    </message>
    <message>
        <source>箱の曲線とモデル</source>
        <translation>箱の曲線とモデル</translation>
    </message>
    <message>
        <source>教科書の式</source>
        <translation>教科書の式</translation>
    </message>
    <message>
        <source>フィット</source>
        <translation>フィット</translation>
    </message>
    <message>
        <source>fL（下のピーク）</source>
        <translation>fL（下のピーク）</translation>
    </message>
    <message>
        <source>fM（谷）</source>
        <translation>fM（谷）</translation>
    </message>
    <message>
        <source>fH（上のピーク）</source>
        <translation>fH（上のピーク）</translation>
    </message>
    <message>
        <source>Fb（ポートの共振）</source>
        <translation>Fb（ポートの共振）</translation>
    </message>
    <message>
        <source>α = Vas / Vb</source>
        <translation>α = Vas / Vb</translation>
    </message>
    <message>
        <source>fs（自由空間）</source>
        <translation>fs（自由空間）</translation>
    </message>
    <message>
        <source>Vas</source>
        <translation>Vas</translation>
    </message>
    <message>
        <source>QL（漏れ）</source>
        <translation>QL（漏れ）</translation>
    </message>
    <message>
        <source>QA（吸音）</source>
        <translation>QA（吸音）</translation>
    </message>
    <message>
        <source>QP（ポートの損失）</source>
        <translation>QP（ポートの損失）</translation>
    </message>
    <message>
        <source>残差 |Z| RMS</source>
        <translation>残差 |Z| RMS</translation>
    </message>
    <message>
        <source>見られない</source>
        <translation>見られない</translation>
    </message>
    <message>
        <source>fL 下のピーク</source>
        <translation>fL 下のピーク</translation>
    </message>
    <message>
        <source>fM ≈ Fb 谷</source>
        <translation>fM ≈ Fb 谷</translation>
    </message>
    <message>
        <source>fH 上のピーク</source>
        <translation>fH 上のピーク</translation>
    </message>
    <message>
        <source>箱の測定</source>
        <translation>箱の測定</translation>
    </message>
    <message>
        <source>損失のある箱のモデル</source>
        <translation>損失のある箱のモデル</translation>
    </message>
    <message>
        <source>バスレフ箱の曲線を参照データから選び、箱の正味の容積を入れてください。</source>
        <translation>バスレフ箱の曲線を参照データから選び、箱の正味の容積を入れてください。</translation>
    </message>
    <message>
        <source>バスレフ箱の容積 %1 L: 0 L より大きい値を入れてください。</source>
        <translation>バスレフ箱の容積 %1 L: 0 L より大きい値を入れてください。</translation>
    </message>
    <message>
        <source>箱の曲線はバンド %1、自由空間の曲線はバンド %2 です。同じバンドで測定してください。</source>
        <translation>箱の曲線はバンド %1、自由空間の曲線はバンド %2 です。同じバンドで測定してください。</translation>
    </message>
    <message>
        <source>箱の曲線のバンドに測定点がありません。</source>
        <translation>箱の曲線のバンドに測定点がありません。</translation>
    </message>
    <message>
        <source>箱の曲線にインピーダンスのピークが一つしかありません（密閉箱か、ふさがったポート）。密閉箱なら、上の「密閉箱」にこの曲線と容積を選んで密閉箱の解析を使ってください。</source>
        <translation>箱の曲線にインピーダンスのピークが一つしかありません（密閉箱か、ふさがったポート）。密閉箱なら、上の「密閉箱」にこの曲線と容積を選んで密閉箱の解析を使ってください。</translation>
    </message>
    <message>
        <source>自由空間の曲線からドライバーのモデルが求まりません: %1</source>
        <translation>自由空間の曲線からドライバーのモデルが求まりません: %1</translation>
    </message>
    <message>
        <source>損失のある箱のモデルが箱の曲線に合いません。教科書の式の値だけを示します。</source>
        <translation>損失のある箱のモデルが箱の曲線に合いません。教科書の式の値だけを示します。</translation>
    </message>
    <message>
        <source>フィット: ドライバーは自由空間の %1 モデル、箱の損失は %2</source>
        <translation>フィット: ドライバーは自由空間の %1 モデル、箱の損失は %2</translation>
    </message>
    <message>
        <source>漏れ</source>
        <translation>漏れ</translation>
    </message>
    <message>
        <source>吸音</source>
        <translation>吸音</translation>
    </message>
    <message>
        <source>ポート</source>
        <translation>ポート</translation>
    </message>
</context>
<context>
    <name>TForm_Re</name>
    <message>
        <source>TS の計算</source>
        <translation>TS の計算</translation>
    </message>
    <message>
        <source>Re [Ω] の値を入力してください</source>
        <translation>Re [Ω] の値を入力してください</translation>
    </message>
    <message>
        <source>例&#x3000;：&#x3000;2.31&#x3000;(数値のみ)</source>
        <translation>例&#x3000;：&#x3000;2.31&#x3000;(数値のみ)</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>入力</translation>
    </message>
    <message>
        <source>取消し</source>
        <translation>取消し</translation>
    </message>
</context>
<context>
    <name>TH_Message</name>
    <message>
        <source>致命的なメモリエラーです:%1</source>
        <translation>致命的なメモリエラーです:%1</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>不正なCOM指定です</source>
        <translation>不正なCOM指定です</translation>
    </message>
    <message>
        <source>COM番号エラーです</source>
        <translation>COM番号エラーです</translation>
    </message>
    <message>
        <source>COMポートを機器に結び付けられませんでした
%1</source>
        <translation>COMポートを機器に結び付けられませんでした
%1</translation>
    </message>
    <message>
        <source>初期設定ファイルを保存できませんでした</source>
        <translation>初期設定ファイルを保存できませんでした</translation>
    </message>
    <message>
        <source>データファイルの内容が正しくありませんでした</source>
        <translation>データファイルの内容が正しくありませんでした</translation>
    </message>
    <message>
        <source>%1 が見つかりません</source>
        <translation>%1 が見つかりません</translation>
    </message>
    <message>
        <source>COMポートが開けませんでした。COM番号を確認して下さい。</source>
        <translation>COMポートが開けませんでした。COM番号を確認して下さい。</translation>
    </message>
    <message>
        <source>%1ユニットが見つかりませんでした。COM番号を確認して下さい。</source>
        <translation>%1ユニットが見つかりませんでした。COM番号を確認して下さい。</translation>
    </message>
    <message>
        <source>データエラーで計算できませんでした</source>
        <translation>データエラーで計算できませんでした</translation>
    </message>
    <message>
        <source>データがありません</source>
        <translation>データがありません</translation>
    </message>
    <message>
        <source>測定データを保存していません。破棄して新しい測定を開始しますか？</source>
        <translation>測定データを保存していません。破棄して新しい測定を開始しますか？</translation>
    </message>
    <message>
        <source>測定データを保存していません。データを破棄しますか？</source>
        <translation>測定データを保存していません。データを破棄しますか？</translation>
    </message>
    <message>
        <source>測定データを保存していません。終了しますか？</source>
        <translation>測定データを保存していません。終了しますか？</translation>
    </message>
    <message>
        <source>測定データを保存していません。破棄しますか？</source>
        <translation>測定データを保存していません。破棄しますか？</translation>
    </message>
    <message>
        <source>ファイル：%1があります。
上書きしますか</source>
        <translation>ファイル：%1があります。
上書きしますか</translation>
    </message>
    <message>
        <source>ＨＫ－Ａ２／ＶＥＬＯ２のデータファイルとして保存しますか&#x3000;</source>
        <translation>ＨＫ－Ａ２／ＶＥＬＯ２のデータファイルとして保存しますか&#x3000;</translation>
    </message>
    <message>
        <source>ユニットとアプリケーションのバージョンがミスマッチです</source>
        <translation>ユニットとアプリケーションのバージョンがミスマッチです</translation>
    </message>
    <message>
        <source>参照データは５個までにしてください</source>
        <translation>参照データは５個までにしてください</translation>
    </message>
    <message>
        <source>抵抗値の最大値が150Ωを越えています</source>
        <translation>抵抗値の最大値が150Ωを越えています</translation>
    </message>
    <message>
        <source>HK-Aが対応していない測定周波数帯域です</source>
        <translation>HK-Aが対応していない測定周波数帯域です</translation>
    </message>
    <message>
        <source>印刷できませんでした</source>
        <translation>印刷できませんでした</translation>
    </message>
    <message>
        <source>%1行目: </source>
        <translation>%1行目: </translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>ファイルがありません</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（%1MiBまで）</source>
        <translation>ファイルが大きすぎます（%1MiBまで）</translation>
    </message>
    <message>
        <source>ファイルを読めませんでした</source>
        <translation>ファイルを読めませんでした</translation>
    </message>
    <message>
        <source>テキストの表ではありません（%1行目にバイナリデータ）</source>
        <translation>テキストの表ではありません（%1行目にバイナリデータ）</translation>
    </message>
    <message>
        <source>UTF-16のテキストです。UTF-8またはShift_JISで保存してください</source>
        <translation>UTF-16のテキストです。UTF-8またはShift_JISで保存してください</translation>
    </message>
    <message>
        <source>行末がCRだけです。LFまたはCR LFで保存してください</source>
        <translation>行末がCRだけです。LFまたはCR LFで保存してください</translation>
    </message>
    <message>
        <source>周波数とインピーダンスの表がありません</source>
        <translation>周波数とインピーダンスの表がありません</translation>
    </message>
    <message>
        <source>先頭の%1行に表の行がありません</source>
        <translation>先頭の%1行に表の行がありません</translation>
    </message>
    <message>
        <source>点が%1点未満です</source>
        <translation>点が%1点未満です</translation>
    </message>
    <message>
        <source>数値の行ではありません（周波数、インピーダンス、位相）</source>
        <translation>数値の行ではありません（周波数、インピーダンス、位相）</translation>
    </message>
    <message>
        <source>周波数は0Hzより大きい値でなければなりません</source>
        <translation>周波数は0Hzより大きい値でなければなりません</translation>
    </message>
    <message>
        <source>インピーダンスが負の値です</source>
        <translation>インピーダンスが負の値です</translation>
    </message>
    <message>
        <source>有限の数値ではないか、範囲外の値です</source>
        <translation>有限の数値ではないか、範囲外の値です</translation>
    </message>
    <message>
        <source>位相が±%1°の範囲外です</source>
        <translation>位相が±%1°の範囲外です</translation>
    </message>
    <message>
        <source>コンマが小数点か区切りか判断できません</source>
        <translation>コンマが小数点か区切りか判断できません</translation>
    </message>
    <message>
        <source>帯域 %1 に入る点がありません</source>
        <translation>帯域 %1 に入る点がありません</translation>
    </message>
    <message>
        <source>どの帯域にも入る点がありません</source>
        <translation>どの帯域にも入る点がありません</translation>
    </message>
    <message>
        <source>インピーダンスの表を読み込めませんでした
</source>
        <translation>インピーダンスの表を読み込めませんでした
</translation>
    </message>
    <message>
        <source>他のツールから読み込んだ曲線です。
帯域 %1 のデータファイルとして保存しますか</source>
        <translation>他のツールから読み込んだ曲線です。
帯域 %1 のデータファイルとして保存しますか</translation>
    </message>
    <message>
        <source>%1点のインピーダンスが%2Ωを超えています。データファイルには%2Ωとして保存しました（%3）。解析には元の値を使います</source>
        <translation>%1点のインピーダンスが%2Ωを超えています。データファイルには%2Ωとして保存しました（%3）。解析には元の値を使います</translation>
    </message>
    <message>
        <source>前回の終了時に保存されていなかった測定データを次のファイルに保存しました
%1</source>
        <translation>前回の終了時に保存されていなかった測定データを次のファイルに保存しました
%1</translation>
    </message>
    <message>
        <source>言語の変更は次回の起動から有効になります</source>
        <translation>言語の変更は次回の起動から有効になります</translation>
    </message>
    <message>
        <source>言語の設定を保存できませんでした</source>
        <translation>言語の設定を保存できませんでした</translation>
    </message>
    <message>
        <source>繰り返し測定の各回のファイルを読めませんでした。平均だけを開きました
%1</source>
        <translation>繰り返し測定の各回のファイルを読めませんでした。平均だけを開きました
%1</translation>
    </message>
    <message>
        <source>%1行目が壊れています</source>
        <translation>%1行目が壊れています</translation>
    </message>
    <message>
        <source>平均は保存しましたが、各回のファイルを保存できませんでした
%1</source>
        <translation>平均は保存しましたが、各回のファイルを保存できませんでした
%1</translation>
    </message>
    <message>
        <source>別の測定器の測定は繰り返し測定に加えられません。それまでの回の平均にします</source>
        <translation>別の測定器の測定は繰り返し測定に加えられません。それまでの回の平均にします</translation>
    </message>
    <message>
        <source>この表示には位相が必要ですが、位相のない曲線があります</source>
        <translation>この表示には位相が必要ですが、位相のない曲線があります</translation>
    </message>
    <message>
        <source>この表示は参照データと比べます。参照データを読み込んでください</source>
        <translation>この表示は参照データと比べます。参照データを読み込んでください</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>VELO2 スピーカのインピーダンス測定</source>
        <translation>VELO2 スピーカのインピーダンス測定</translation>
    </message>
    <message>
        <source>測定開始</source>
        <translation>測定開始</translation>
    </message>
    <message>
        <source>測定停止</source>
        <translation>測定停止</translation>
    </message>
</context>
<context>
    <name>UnitTexts</name>
    <message>
        <source>測定器との接続が切れました</source>
        <translation>測定器との接続が切れました</translation>
    </message>
    <message>
        <source>測定器は%1で測定中です。終わってから測定してください。</source>
        <translation>測定器は%1で測定中です。終わってから測定してください。</translation>
    </message>
    <message>
        <source>メインウィンドウ</source>
        <translation>メインウィンドウ</translation>
    </message>
    <message>
        <source>T/S ワークシート</source>
        <translation>T/S ワークシート</translation>
    </message>
    <message>
        <source>QCモード</source>
        <translation>QCモード</translation>
    </message>
</context>
<context>
    <name>ViewReadout</name>
    <message>
        <source>R：</source>
        <translation>R：</translation>
    </message>
    <message>
        <source>X：</source>
        <translation>X：</translation>
    </message>
    <message>
        <source>|Z|：</source>
        <translation>|Z|：</translation>
    </message>
    <message>
        <source>θ：</source>
        <translation>θ：</translation>
    </message>
    <message>
        <source>Δ|Z|：</source>
        <translation>Δ|Z|：</translation>
    </message>
    <message>
        <source>Δθ：</source>
        <translation>Δθ：</translation>
    </message>
    <message>
        <source>|Zm/Zref|：</source>
        <translation>|Zm/Zref|：</translation>
    </message>
</context>
<context>
    <name>WorksheetMessages</name>
    <message>
        <source>the added mass must be above 0 g (given: %1 g)</source>
        <translation>付加質量は 0 g より大きくしてください（入力値：%1 g）</translation>
    </message>
    <message>
        <source>the added-mass and box methods need Sd: give Sd or the piston diameter</source>
        <translation>付加質量法と密閉箱法には Sd が必要です：Sd か振動板の直径を入力してください</translation>
    </message>
    <message>
        <source>Sd and the piston diameter must be above 0</source>
        <translation>Sd と振動板の直径は 0 より大きくしてください</translation>
    </message>
    <message>
        <source>the box volume must be above 0 L (given: %1 L)</source>
        <translation>箱の容積は 0 L より大きくしてください（入力値：%1 L）</translation>
    </message>
    <message>
        <source>air at %1 °C and %2 hPa is outside -40..60 °C, 500..1100 hPa</source>
        <translation>気温 %1 °C、気圧 %2 hPa は範囲外です（-40..60 °C、500..1100 hPa）</translation>
    </message>
    <message>
        <source>%1 holds no measured point</source>
        <translation>%1 に測定点がありません</translation>
    </message>
    <message>
        <source>%1 was measured on band %2, the free-air curve on band %3: measure both on the same band</source>
        <translation>%1 は帯域 %2、自由空間の曲線は帯域 %3 で測定されています：両方を同じ帯域で測定してください</translation>
    </message>
    <message>
        <source>%1 does not cover the same points as the free-air curve</source>
        <translation>%1 の測定点が自由空間の曲線と一致しません</translation>
    </message>
    <message>
        <source>no resonance found in %1</source>
        <translation>%1 に共振が見つかりません</translation>
    </message>
    <message>
        <source>%1 resonates at %2 Hz, not below the free-air %3 Hz: is the mass on the cone, and is it the right file?</source>
        <translation>%1 の共振周波数 %2 Hz が自由空間の %3 Hz より低くありません：質量は振動板に付いていますか？ファイルは正しいですか？</translation>
    </message>
    <message>
        <source>%1 resonates at %2 Hz, not above the free-air %3 Hz: is it the right file?</source>
        <translation>%1 の共振周波数 %2 Hz が自由空間の %3 Hz より高くありません：ファイルは正しいですか？</translation>
    </message>
    <message>
        <source>both masses are %1 g: the dual added-mass method needs two different masses</source>
        <translation>2 つの質量がどちらも %1 g です：二重付加質量法には異なる 2 つの質量が必要です</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>the free-air curve</source>
        <translation>自由空間の曲線</translation>
    </message>
    <message>
        <source>the curve with %1 g</source>
        <translation>%1 g を付けた曲線</translation>
    </message>
    <message>
        <source>the curve in the %1 L box</source>
        <translation>%1 L の箱での曲線</translation>
    </message>
    <message>
        <source>%1 g moves Fs by only %2 % (under 15 %): about %3 g would move it by 30 %</source>
        <translation>%1 g では Fs が %2 % しか変わりません（15 % 未満）：約 %3 g にすると 30 % 変わります</translation>
    </message>
    <message>
        <source>%1 g moves Fs by %2 % (over 50 %): about %3 g would move it by 30 %</source>
        <translation>%1 g では Fs が %2 % 変わります（50 % 超）：約 %3 g にすると 30 % 変わります</translation>
    </message>
    <message>
        <source>√(f1·f2) = %1 Hz lies %3 % from Fs = %2 Hz: an asymmetric resonance, the classic Q and the single-mass Mms are less reliable</source>
        <translation>√(f1·f2) = %1 Hz が Fs = %2 Hz から %3 % 離れています：共振が非対称で、古典的方法の Q と単一付加質量の Mms は信頼性が下がります</translation>
    </message>
    <message>
        <source>with %1 g the single-mass Mms %2 g and the dual-mass %3 g disagree by %4 %, beyond the methods&apos; own scatter (±%5 %): suspension creep makes a single mass read low, or a mass is not what was typed</source>
        <translation>%1 g での単一付加質量の Mms %2 g と二重付加質量の %3 g が %4 % 食い違い、方法そのもののばらつき（±%5 %）を超えています：サスペンションのクリープで単一付加質量の値が低く出ているか、質量が入力した値と違います</translation>
    </message>
    <message>
        <source>the heavier mass is only %1 times the lighter (under 1.5): the two curves differ too little for the dual method, its values are unreliable; use about %2 g as the heavier mass</source>
        <translation>重いほうの質量が軽いほうの %1 倍しかありません（1.5 未満）：2 つの曲線の差が小さすぎて二重付加質量法の値は信頼できません。重いほうの質量は約 %2 g にしてください</translation>
    </message>
    <message>
        <source>the fitted motional impedance gives the masses back only within %1 % (over 2 %): the dual-mass values are less reliable</source>
        <translation>フィットした運動インピーダンスから求めた質量が %1 % ずれています（2 % 超）：二重付加質量法の値は信頼性が下がります</translation>
    </message>
    <message>
        <source>the dual added-mass method found no usable motional impedance (%1 points in 0.8-1.2 Fs)</source>
        <translation>二重付加質量法で使える運動インピーダンスが得られませんでした（0.8-1.2 Fs に %1 点）</translation>
    </message>
    <message>
        <source>the frequencies of %1 differ from the free-air curve&apos;s by up to %2 %: the dual method compares the curves point by point</source>
        <translation>%1 の周波数が自由空間の曲線と最大 %2 % 違います：二重付加質量法は曲線を測定点ごとに比べます</translation>
    </message>
    <message>
        <source>Re = %1 Ω is above the curve&apos;s minimum of %2 Ω: check Re</source>
        <translation>Re = %1 Ω が曲線の最小値 %2 Ω より大きくなっています：Re を確かめてください</translation>
    </message>
    <message>
        <source>the resonance is only %1 Hz wide (Fs / Qms), under three grid steps (%2 Hz): the three-point Qms reads low; the model fit gives Qms from the whole curve</source>
        <translation>共振の幅が %1 Hz（Fs / Qms）しかなく、測定点 3 つ分の間隔（%2 Hz）より狭いため、3 点から求めた Qms は低めに出ます。モデルフィットは曲線全体から Qms を求めます</translation>
    </message>
    <message>
        <source>the resonance is only %1 Hz wide (Fs / Qms), under three grid steps (%2 Hz): the analysis window&apos;s Qms reads low; here Fs, Rmax and Qms come from a Lorentzian through %3 points, and the model fit gives Qms from the whole curve</source>
        <translation>共振の幅が %1 Hz（Fs / Qms）しかなく、測定点 3 つ分の間隔（%2 Hz）より狭いため、「TS の計算」ウィンドウの Qms は低めに出ます。ここでは Fs、Rmax、Qms を %3 点を通るローレンツ曲線から求め、モデルフィットは曲線全体から Qms を求めます</translation>
    </message>
    <message>
        <source>the analysis window&apos;s first peak at %1 Hz is not the main resonance, which lies at %2 Hz (%3 Ω): the worksheet takes the main resonance</source>
        <translation>「TS の計算」ウィンドウの最初のピーク %1 Hz は主共振ではありません。主共振は %2 Hz（%3 Ω）にあり、ワークシートはこちらを使います</translation>
    </message>
    <message>
        <source>入力 (inputs)</source>
        <translation>入力</translation>
    </message>
    <message>
        <source>フリーエア (free air, refined)</source>
        <translation>自由空間（精密化）</translation>
    </message>
    <message>
        <source>運動インピーダンス (motional, Z − Ze of the %1 fit)</source>
        <translation>運動インピーダンス（%1 フィットの Z − Ze）</translation>
    </message>
    <message>
        <source>付加質量 %1 g (added mass)</source>
        <translation>付加質量 %1 g</translation>
    </message>
    <message>
        <source>二重付加質量 %1 g + %2 g (dual added mass)</source>
        <translation>二重付加質量 %1 g + %2 g</translation>
    </message>
    <message>
        <source>密閉箱 %1 L (sealed box)</source>
        <translation>密閉箱 %1 L</translation>
    </message>
    <message>
        <source>注意 (flags)</source>
        <translation>注意</translation>
    </message>
    <message>
        <source>parabola through the 3 grid points around the |Z| maximum, on log f</source>
        <translation>|Z| の最大値付近の 3 つの測定点を通る放物線（log f 上）</translation>
    </message>
    <message>
        <source>Lorentzian |Z|² − Re² = K / (1 + Q²·(f/Fs − Fs/f)²) through %1 grid points</source>
        <translation>%1 個の測定点を通るローレンツ曲線 |Z|² − Re² = K / (1 + Q²·(f/Fs − Fs/f)²)</translation>
    </message>
    <message>
        <source>maximum of |Zm|, Zm = (1 − μ)·ΔZ1·ΔZ2 / (ΔZ2 − μ·ΔZ1)</source>
        <translation>|Zm| の最大値、Zm = (1 − μ)·ΔZ1·ΔZ2 / (ΔZ2 − μ·ΔZ1)</translation>
    </message>
    <message>
        <source>least squares 1/Zm = jω·a + b + j·c/(ω·(1 − β·ln jω)), β = %1, %2 points</source>
        <translation>最小二乗法 1/Zm = jω·a + b + j·c/(ω·(1 − β·ln jω))、β = %1、%2 点</translation>
    </message>
    <message>
        <source>standard uncertainty from the residuals of the 1/Zm and Bl² fits (white noise assumed)</source>
        <translation>1/Zm と Bl² のフィットの残差から求めた標準不確かさ（白色雑音を仮定）</translation>
    </message>
    <message>
        <source>on Re + Z − Ze, Ze the coil of the %1 fit</source>
        <translation>Re + Z − Ze の曲線（Ze は %1 フィットのコイル）</translation>
    </message>
    <message>
        <source>methods use</source>
        <translation>計算の基にする値</translation>
    </message>
    <message>
        <source>the classic values of |Z| itself: no model fit with phase takes the coil out</source>
        <translation>|Z| そのものの古典的な値：位相を使うモデルフィットでコイルを除いていません</translation>
    </message>
    <message>
        <source>the motional impedance Z − Ze, Ze the coil of the %1 fit: free of the coil&apos;s inductance</source>
        <translation>運動インピーダンス Z − Ze（Ze は %1 フィットのコイル）：コイルのインダクタンスを含みません</translation>
    </message>
    <message>
        <source>Fs shift</source>
        <translation>Fs の変化</translation>
    </message>
    <message>
        <source>fit from</source>
        <translation>フィットの下限</translation>
    </message>
    <message>
        <source>fit to</source>
        <translation>フィットの上限</translation>
    </message>
    <message>
        <source>points</source>
        <translation>点数</translation>
    </message>
    <message>
        <source>m1 (fit)</source>
        <translation>m1（フィット）</translation>
    </message>
    <message>
        <source>m2 (fit)</source>
        <translation>m2（フィット）</translation>
    </message>
    <message>
        <source>mass consistency</source>
        <translation>質量の整合性</translation>
    </message>
    <message>
        <source>temperature</source>
        <translation>気温</translation>
    </message>
    <message>
        <source>pressure</source>
        <translation>気圧</translation>
    </message>
    <message>
        <source>%1 of the box curve</source>
        <translation>密閉箱の曲線の %1</translation>
    </message>
    <message>
        <source>%1, m1 and m2, %2-%3 Hz</source>
        <translation>%1、m1 と m2、%2-%3 Hz</translation>
    </message>
    <message>
        <source>mean %1</source>
        <translation>%1 の平均</translation>
    </message>
    <message>
        <source>motional</source>
        <translation>運動インピーダンス</translation>
    </message>
    <message>
        <source>classic</source>
        <translation>古典的方法</translation>
    </message>
    <message>
        <source>ρ = %1 kg/m³ and c = %2 m/s are outside 0.5..2 kg/m³, 250..450 m/s</source>
        <translation>ρ = %1 kg/m³、c = %2 m/s は範囲（0.5～2 kg/m³、250～450 m/s）の外です</translation>
    </message>
    <message>
        <source>the relative humidity must be 0..100 % (given: %1 %)</source>
        <translation>相対湿度は 0～100 % で入力してください（入力: %1 %）</translation>
    </message>
    <message>
        <source>the coil temperature must be -40..250 °C (given: %1 °C)</source>
        <translation>コイル温度は -40～250 °C で入力してください（入力: %1 °C）</translation>
    </message>
    <message>
        <source>the typed %1 must be above 0 (given: %2)</source>
        <translation>入力した %1 は 0 より大きい数にしてください（入力: %2）</translation>
    </message>
    <message>
        <source>%1 needs measured curves: the typed values give the added-mass method only</source>
        <translation>%1には測定した曲線が必要です。数値からは付加質量法だけを計算します</translation>
    </message>
    <message>
        <source>the typed values: Fs, Qms, Qes and Re as given</source>
        <translation>入力した値: Fs、Qms、Qes、Re をそのまま使います</translation>
    </message>
    <message>
        <source>typed</source>
        <translation>入力値</translation>
    </message>
    <message>
        <source>humid air at %1 % relative humidity (vapour pressure after Buck)</source>
        <translation>相対湿度 %1 % の湿り空気（飽和水蒸気圧は Buck の式）</translation>
    </message>
    <message>
        <source>aluminium, α = 0.00403 /K</source>
        <translation>アルミニウム、α = 0.00403 /K</translation>
    </message>
    <message>
        <source>copper, α = 0.00393 /K</source>
        <translation>銅、α = 0.00393 /K</translation>
    </message>
    <message>
        <source>the tolerance of %1 must be a number of 0 or above (given: %2)</source>
        <translation>%1 の許容差は 0 以上の数で入力してください（入力: %2）</translation>
    </message>
    <message>
        <source>the tolerance of %1 is so large that the worksheet refuses its own inputs</source>
        <translation>%1 の許容差が大きすぎて、ワークシートが受け付けない入力になります</translation>
    </message>
    <message>
        <source>%1 needs at least two repeated values (given: %2)</source>
        <translation>%1 には繰り返し測定の値が 2 つ以上必要です（入力: %2）</translation>
    </message>
    <message>
        <source>a repeated value of %1 is not a number</source>
        <translation>%1 の繰り返し測定の値に数値でないものがあります</translation>
    </message>
    <message>
        <source>repeated values were given for %1, which the worksheet does not compute</source>
        <translation>%1 の繰り返し測定の値がありますが、ワークシートはこの値を計算しません</translation>
    </message>
    <message>
        <source>%1 ± %2 (k=%3)</source>
        <translation>%1 ± %2 (k=%3)</translation>
    </message>
    <message>
        <source>  from %1</source>
        <translation>  うち %1</translation>
    </message>
    <message>
        <source>%1 % of u²</source>
        <translation>u² の %1 %</translation>
    </message>
    <message>
        <source>scale resolution</source>
        <translation>はかりの分解能</translation>
    </message>
    <message>
        <source>scale, mass 1</source>
        <translation>はかり（m1）</translation>
    </message>
    <message>
        <source>scale, mass 2</source>
        <translation>はかり（m2）</translation>
    </message>
    <message>
        <source>diameter</source>
        <translation>直径</translation>
    </message>
    <message>
        <source>air temperature</source>
        <translation>気温</translation>
    </message>
    <message>
        <source>air pressure</source>
        <translation>気圧</translation>
    </message>
    <message>
        <source>humidity</source>
        <translation>湿度</translation>
    </message>
    <message>
        <source>coil temperature</source>
        <translation>コイル温度</translation>
    </message>
    <message>
        <source>grid step, free air</source>
        <translation>周波数格子の間隔（自由空間）</translation>
    </message>
    <message>
        <source>grid step, mass 1</source>
        <translation>周波数格子の間隔（m1）</translation>
    </message>
    <message>
        <source>grid step, mass 2</source>
        <translation>周波数格子の間隔（m2）</translation>
    </message>
    <message>
        <source>grid step, box</source>
        <translation>周波数格子の間隔（密閉箱）</translation>
    </message>
    <message>
        <source>repeats (type A)</source>
        <translation>繰り返し測定（A タイプ）</translation>
    </message>
    <message>
        <source>noise, free air</source>
        <translation>雑音（自由空間）</translation>
    </message>
    <message>
        <source>noise, mass 1</source>
        <translation>雑音（m1）</translation>
    </message>
    <message>
        <source>noise, mass 2</source>
        <translation>雑音（m2）</translation>
    </message>
    <message>
        <source>noise, box</source>
        <translation>雑音（密閉箱）</translation>
    </message>
</context>
<context>
    <name>WorkspaceTexts</name>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>やり直す(&amp;R)</source>
        <translation>やり直す(&amp;R)</translation>
    </message>
    <message>
        <source>ワークスペースを開く...</source>
        <translation>ワークスペースを開く...</translation>
    </message>
    <message>
        <source>ワークスペースを保存...</source>
        <translation>ワークスペースを保存...</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>最近使ったファイル</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>（なし）</translation>
    </message>
    <message>
        <source>ワークスペースを選んでください</source>
        <translation>ワークスペースを選んでください</translation>
    </message>
    <message>
        <source>ワークスペースの保存先</source>
        <translation>ワークスペースの保存先</translation>
    </message>
    <message>
        <source>ワークスペース (*.velo2ws)</source>
        <translation>ワークスペース (*.velo2ws)</translation>
    </message>
    <message>
        <source>ワークスペース %1 を保存しました</source>
        <translation>ワークスペース %1 を保存しました</translation>
    </message>
    <message>
        <source>ワークスペース %1 を開きました</source>
        <translation>ワークスペース %1 を開きました</translation>
    </message>
    <message>
        <source>%1 はワークスペースではありません。何も変えていません。</source>
        <translation>%1 はワークスペースではありません。何も変えていません。</translation>
    </message>
    <message>
        <source>%1 は新しい版のプログラムで書かれたワークスペースです。何も変えていません。</source>
        <translation>%1 は新しい版のプログラムで書かれたワークスペースです。何も変えていません。</translation>
    </message>
    <message>
        <source>ワークスペース %1 の %2 行目が読めません。何も変えていません。</source>
        <translation>ワークスペース %1 の %2 行目が読めません。何も変えていません。</translation>
    </message>
    <message>
        <source>ワークスペース %1 が読めません。何も変えていません。</source>
        <translation>ワークスペース %1 が読めません。何も変えていません。</translation>
    </message>
    <message>
        <source>ワークスペース %1 を保存できませんでした。</source>
        <translation>ワークスペース %1 を保存できませんでした。</translation>
    </message>
    <message>
        <source>ワークスペース %1 を保存できませんでした（%2）。</source>
        <translation>ワークスペース %1 を保存できませんでした（%2）。</translation>
    </message>
    <message>
        <source>測定データ</source>
        <translation>測定データ</translation>
    </message>
    <message>
        <source>参照データ%1</source>
        <translation>参照データ%1</translation>
    </message>
    <message>
        <source>%1：%2 が見つからないため、ワークスペースに入っている写しを使いました。</source>
        <translation>%1：%2 が見つからないため、ワークスペースに入っている写しを使いました。</translation>
    </message>
    <message>
        <source>%1：%2 はワークスペースを保存した後に変わっているため、ワークスペースに入っている写しを使いました。</source>
        <translation>%1：%2 はワークスペースを保存した後に変わっているため、ワークスペースに入っている写しを使いました。</translation>
    </message>
    <message>
        <source>%1：ワークスペースの中の写しが壊れているため、%2 から読み込みました。</source>
        <translation>%1：ワークスペースの中の写しが壊れているため、%2 から読み込みました。</translation>
    </message>
    <message>
        <source>%1：ワークスペースの中の写しも %2 も読めないため、読み込みませんでした。</source>
        <translation>%1：ワークスペースの中の写しも %2 も読めないため、読み込みませんでした。</translation>
    </message>
    <message>
        <source>%1 が見つかりません。最近使ったファイルの一覧から外しました。</source>
        <translation>%1 が見つかりません。最近使ったファイルの一覧から外しました。</translation>
    </message>
    <message>
        <source>%1 はフォルダーです。データファイルか表を一つドロップしてください。何も変えていません。</source>
        <translation>%1 はフォルダーです。データファイルか表を一つドロップしてください。何も変えていません。</translation>
    </message>
    <message>
        <source>%1 は開けるファイルではありません（データファイル .DTA、ZMA・FRD・テキストの表、ワークスペース .velo2ws）。何も変えていません。</source>
        <translation>%1 は開けるファイルではありません（データファイル .DTA、ZMA・FRD・テキストの表、ワークスペース .velo2ws）。何も変えていません。</translation>
    </message>
    <message>
        <source>ファイルは一つずつドロップしてください（Ctrl を押しながらなら参照データとして５個まで）。何も変えていません。</source>
        <translation>ファイルは一つずつドロップしてください（Ctrl を押しながらなら参照データとして５個まで）。何も変えていません。</translation>
    </message>
</context>
</TS>
