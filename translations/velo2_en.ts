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
        <source>データ保存できました</source>
        <translation>Data saved</translation>
    </message>
    <message>
        <source>データ書き出し完了</source>
        <translation>Data exported</translation>
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
</context>
<context>
    <name>TFormTS</name>
    <message>
        <source>TS の計算</source>
        <translation>TS calculation</translation>
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
</TS>
