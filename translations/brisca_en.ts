<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ShadingLegend</name>
    <message>
        <source>相対標準誤差 %</source>
        <translation>Relative standard error, %</translation>
    </message>
    <message>
        <source>不確かさ (相対標準誤差) は %1 から</source>
        <translation>Uncertainty (relative standard error) from %1</translation>
    </message>
    <message>
        <source>不確かさファイル %1 がありません: 値だけを表示します</source>
        <translation>No uncertainty file %1: values shown without errors</translation>
    </message>
    <message>
        <source>不確かさファイル %1 を読めません: 値だけを表示します</source>
        <translation>Uncertainty file %1 cannot be read: values shown without errors</translation>
    </message>
    <message>
        <source>未計数 [not scored]</source>
        <translation>not scored</translation>
    </message>
</context>
<context>
    <name>brisca::CorrectionDialog</name>
    <message>
        <source>   実測値による散乱線量率の補正</source>
        <translation>   Scaling the scattered dose rates to a measurement</translation>
    </message>
    <message>
        <source>実測値と合致するように補正&#x3000;&#x3000;実測した線量率を選択・入力</source>
        <translation>Scale the result to match a measurement:  choose the measured rate and enter it</translation>
    </message>
    <message>
        <source>補正に用いるデータの選択</source>
        <translation>Measurement to scale to</translation>
    </message>
    <message>
        <source>FSD の空中における一次線の空気カーマ率（Gy/min）</source>
        <translation>Free-in-air primary air kerma rate at the FSD (Gy/min)</translation>
    </message>
    <message>
        <source>現在値&#x3000;&#x3000;  &#x3000;&#x3000;&#x3000;&#x3000;⇒&#x3000;実測値</source>
        <translation>Current                   ⇒  measured</translation>
    </message>
    <message>
        <source>・受像機などからの後方散乱線が混入しないように測定して下さい</source>
        <translation>- Measure without backscatter from the image receptor and the like.</translation>
    </message>
    <message>
        <source>・状況によっては、もっと短い距離で測定し、距離の逆自乗則を</source>
        <translation>- Where needed, measure at a shorter distance and derive the air kerma</translation>
    </message>
    <message>
        <source>用いて FSD における空気カーマ率を求めて下さい</source>
        <translation>rate at the FSD with the inverse square law.</translation>
    </message>
    <message>
        <source>ファントム中心から側方 100 cm の点における散乱線量率</source>
        <translation>Scattered dose rate 100 cm to the side of the phantom centre</translation>
    </message>
    <message>
        <source>線量率の種類・単位</source>
        <translation>Quantity and unit</translation>
    </message>
    <message>
        <source>空気カーマ率（μGy/min）</source>
        <translation>Air kerma rate (μGy/min)</translation>
    </message>
    <message>
        <source>現在値                     ⇒  実測値</source>
        <translation>Current                   ⇒  measured</translation>
    </message>
    <message>
        <source>実効線量 (H1cm) 率（μSv/min）</source>
        <translation>Dose equivalent rate H1cm (μSv/min)</translation>
    </message>
    <message>
        <source>補正する結果ファイル：&#x3000;%1</source>
        <translation>Result file to scale:  %1</translation>
    </message>
    <message>
        <source> 表示中の結果が %1 から %2 に変わりました（「実測値による補正」を押し直して下さい） </source>
        <translation> The result shown changed from %1 to %2 (press &quot;Scale to measurement&quot; again) </translation>
    </message>
    <message>
        <source> 補正したファイルを保存できませんでした 
</source>
        <translation> The scaled file could not be saved 
</translation>
    </message>
    <message>
        <source> %1 は既にあります（前の補正の結果です）。新しい補正で置き換えますか？ </source>
        <translation> %1 already exists (the result of an earlier scaling). Replace it with the new one? </translation>
    </message>
</context>
<context>
    <name>brisca::EvaluationPointsPanel</name>
    <message>
        <source>上方 50 cm</source>
        <translation>50 cm above</translation>
    </message>
    <message>
        <source>中心</source>
        <translation>centre</translation>
    </message>
    <message>
        <source>下方 50 cm</source>
        <translation>50 cm below</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>鉛</source>
        <translation>lead</translation>
    </message>
    <message>
        <source>コンクリート</source>
        <translation>concrete</translation>
    </message>
    <message>
        <source>職業</source>
        <translation>occupational</translation>
    </message>
    <message>
        <source>公衆</source>
        <translation>public</translation>
    </message>
    <message>
        <source>個別</source>
        <translation>own limit</translation>
    </message>
    <message>
        <source>名前を入れて下さい [a point needs a name]</source>
        <translation>a point needs a name</translation>
    </message>
    <message>
        <source>名前に改行は使えません [a name cannot hold a line break]</source>
        <translation>a name cannot hold a line break</translation>
    </message>
    <message>
        <source>「%1」は位置 (cm) として読めません [not a position in cm]</source>
        <translation>&quot;%1&quot; is not a position in cm</translation>
    </message>
    <message>
        <source>「%1」: 防護衣の鉛当量は 0 以上の数値 (mm) です [not an apron&apos;s lead equivalent in mm]</source>
        <translation>&quot;%1&quot;: an apron&apos;s lead equivalent is a number of mm, 0 or more</translation>
    </message>
    <message>
        <source>「%1」: 遮蔽の厚さは 0 以上の数値 (mm) です [not a barrier thickness in mm]</source>
        <translation>&quot;%1&quot;: a barrier thickness is a number of mm, 0 or more</translation>
    </message>
    <message>
        <source>「%1」: 線量限度は正の数値 (mSv/年) です [not a dose limit in mSv per year]</source>
        <translation>&quot;%1&quot;: a dose limit is a positive number of mSv per year</translation>
    </message>
    <message>
        <source>未計数 [unscored]</source>
        <translation>unscored</translation>
    </message>
    <message>
        <source>範囲外 [out of range]</source>
        <translation>out of range</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>居住係数</source>
        <translation>Occupancy</translation>
    </message>
    <message>
        <source>区分</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>防護衣 mmPb</source>
        <translation>Apron mmPb</translation>
    </message>
    <message>
        <source>遮蔽</source>
        <translation>Barrier</translation>
    </message>
    <message>
        <source>厚さ mm</source>
        <translation>Thick. mm</translation>
    </message>
    <message>
        <source>限度 mSv/年</source>
        <translation>Limit mSv/y</translation>
    </message>
    <message>
        <source>線量率 μSv/min</source>
        <translation>Rate μSv/min</translation>
    </message>
    <message>
        <source>年間 mSv</source>
        <translation>Annual mSv</translation>
    </message>
    <message>
        <source>3か月 mSv</source>
        <translation>3-month mSv</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>追加鉛 mm</source>
        <translation>Extra Pb mm</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>評価点: 平面図で 左クリック 追加・ドラッグ 移動・右クリック 削除、表の値は書換可</source>
        <translation>Click adds a point, drag moves, right click deletes; cells editable</translation>
    </message>
    <message>
        <source>ワークロード</source>
        <translation>Workload</translation>
    </message>
    <message>
        <source>透視</source>
        <translation>fluoro.</translation>
    </message>
    <message>
        <source>mA·min/週</source>
        <translation>mA·min/week</translation>
    </message>
    <message>
        <source>または</source>
        <translation>or</translation>
    </message>
    <message>
        <source>件/週 ×</source>
        <translation>cases/wk ×</translation>
    </message>
    <message>
        <source>分/件 ×</source>
        <translation>min/case ×</translation>
    </message>
    <message>
        <source>mA (平均管電流)</source>
        <translation>mA (mean current)</translation>
    </message>
    <message>
        <source>年間</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>週</source>
        <translation>wk</translation>
    </message>
    <message>
        <source>ワークロードの「%1」は数値として読めません [not a number]</source>
        <translation>the workload &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>年間の週数「%1」は数値として読めません [not a number]</source>
        <translation>the weeks per year &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>＝ %1 mA·min/週</source>
        <translation>= %1 mA·min/week</translation>
    </message>
    <message>
        <source>未評価 [not evaluated]</source>
        <translation>not evaluated</translation>
    </message>
    <message>
        <source>線量なし [no dose]</source>
        <translation>no dose</translation>
    </message>
    <message>
        <source>限度以下 [pass]</source>
        <translation>pass</translation>
    </message>
    <message>
        <source>限度超過 [fail]</source>
        <translation>fail</translation>
    </message>
    <message>
        <source> 評価点「%1」を削除しますか？ </source>
        <translation> Delete the evaluation point &quot;%1&quot;? </translation>
    </message>
    <message>
        <source>「%1」: 居住係数は 0 より大きく 1 以下の小数か分数 (1/8 など) です [not an occupancy factor above 0 and at most 1]</source>
        <translation>&quot;%1&quot;: the occupancy factor is a decimal or a fraction (such as 1/8) above 0 and at most 1</translation>
    </message>
</context>
<context>
    <name>brisca::ExportSave</name>
    <message>
        <source> %1 は既にあります。置き換えますか？ </source>
        <translation> %1 already exists. Replace it? </translation>
    </message>
</context>
<context>
    <name>brisca::LayoutEditor</name>
    <message>
        <source>被射体中心</source>
        <translation>Patient centre</translation>
    </message>
    <message>
        <source>被射体中心位置を</source>
        <translation>Click to set the centre</translation>
    </message>
    <message>
        <source>&#x3000;クリックで設定する</source>
        <translation>of the patient</translation>
    </message>
    <message>
        <source>室の大きさ</source>
        <translation>Room size</translation>
    </message>
    <message>
        <source>部屋の右下位置を</source>
        <translation>Click to set the room&apos;s</translation>
    </message>
    <message>
        <source>クリックして設定する</source>
        <translation>lower right corner</translation>
    </message>
    <message>
        <source>ベッド位置</source>
        <translation>Couch</translation>
    </message>
    <message>
        <source>ベッドの左上端を左クリックで</source>
        <translation>Left click: the couch&apos;s upper left</translation>
    </message>
    <message>
        <source>右下端を右クリックで設定する</source>
        <translation>right click: its lower right corner</translation>
    </message>
    <message>
        <source>職員出入扉の位置</source>
        <translation>Staff door</translation>
    </message>
    <message>
        <source>左クリックで扉位置の左上端を</source>
        <translation>Left click: the door&apos;s upper left</translation>
    </message>
    <message>
        <source>右クリックで右下端を設定する</source>
        <translation>right click: its lower right corner</translation>
    </message>
    <message>
        <source>覗き窓</source>
        <translation>Viewing window</translation>
    </message>
    <message>
        <source>左クリックで覗き窓の左上端を</source>
        <translation>Left click: the window&apos;s upper left</translation>
    </message>
    <message>
        <source>右クリック右下端をで設定する</source>
        <translation>right click: its lower right corner</translation>
    </message>
    <message>
        <source>患者出入口の位置</source>
        <translation>Patient entrance</translation>
    </message>
    <message>
        <source>左クリックで出入口の左上端を</source>
        <translation>Left click: the entrance&apos;s upper left</translation>
    </message>
    <message>
        <source>「操作室」の位置</source>
        <translation>Control room label</translation>
    </message>
    <message>
        <source>文字列の位置をクリックで設定する</source>
        <translation>Click where the label goes</translation>
    </message>
    <message>
        <source>任意文字列</source>
        <translation>Free text</translation>
    </message>
    <message>
        <source>文字列の位置をクリックで設定</source>
        <translation>Click where the text goes</translation>
    </message>
    <message>
        <source>    透視室レイアウト</source>
        <translation>    Fluoroscopy room layout</translation>
    </message>
    <message>
        <source>Ｘ線透視室のレイアウト設定</source>
        <translation>Layout of the fluoroscopy room</translation>
    </message>
    <message>
        <source>設定項目</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>扉の位置</source>
        <translation>Staff door</translation>
    </message>
    <message>
        <source>患者出入口</source>
        <translation>Patient entrance</translation>
    </message>
    <message>
        <source>操作室位置</source>
        <translation>Control room</translation>
    </message>
    <message>
        <source>削 除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>（選択後、修正可）</source>
        <translation>(can be changed later)</translation>
    </message>
    <message>
        <source>（操作室は 下側 または 右側 ）</source>
        <translation>(below or to the right)</translation>
    </message>
    <message>
        <source>カーソル位置</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>レイアウトデータを</source>
        <translation>Load a layout</translation>
    </message>
    <message>
        <source>ファイルから読み込む</source>
        <translation>from a file</translation>
    </message>
    <message>
        <source>ファイルを選択して下さい</source>
        <translation>Choose a file</translation>
    </message>
    <message>
        <source>ファイル削除</source>
        <translation>Delete file</translation>
    </message>
    <message>
        <source>レイアウトを保存する</source>
        <translation>Save the layout</translation>
    </message>
    <message>
        <source>ファイル名（拡張子なし）</source>
        <translation>File name (no extension)</translation>
    </message>
    <message>
        <source>保存する</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>設定終了</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>散乱線分布表示</source>
        <translation>Show scatter map</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>文字列を入力してください</source>
        <translation>Enter the text</translation>
    </message>
    <message>
        <source>文字列入力をキャンセルします</source>
        <translation>No text entered</translation>
    </message>
    <message>
        <source>レイアウトデータを保存しました</source>
        <translation>The layout was saved</translation>
    </message>
    <message>
        <source> 本当に削除しますか？ </source>
        <translation> Really delete it? </translation>
    </message>
    <message>
        <source>室</source>
        <translation>room</translation>
    </message>
    <message>
        <source>ベッド</source>
        <translation>couch</translation>
    </message>
    <message>
        <source>扉</source>
        <translation>door</translation>
    </message>
    <message>
        <source>数値で設定（m）</source>
        <translation>Set by numbers (m)</translation>
    </message>
    <message>
        <source>数値を設定</source>
        <translation>Apply numbers</translation>
    </message>
    <message>
        <source> %1 を削除していいですか？ </source>
        <translation> Delete %1? </translation>
    </message>
</context>
<context>
    <name>brisca::MainWindow</name>
    <message>
        <source>透視室内散乱線分布</source>
        <translation>Scatter in the fluoroscopy room</translation>
    </message>
    <message>
        <source>新規計算</source>
        <translation>New run</translation>
    </message>
    <message>
        <source>ステップ</source>
        <translation>Steps</translation>
    </message>
    <message>
        <source>幾何学的配置</source>
        <translation>Geometry</translation>
    </message>
    <message>
        <source>照射条件設定</source>
        <translation>Exposure</translation>
    </message>
    <message>
        <source>モンテカルロ</source>
        <translation>Monte Carlo</translation>
    </message>
    <message>
        <source>シミュレーション</source>
        <translation>simulation</translation>
    </message>
    <message>
        <source>被照射体（ICRU軟部組織）</source>
        <translation>Phantom (ICRU soft tissue)</translation>
    </message>
    <message>
        <source>（断面：レーストラック型）</source>
        <translation>(racetrack cross-section)</translation>
    </message>
    <message>
        <source>(長さ)</source>
        <translation>(L)</translation>
    </message>
    <message>
        <source>(横幅)</source>
        <translation>(W)</translation>
    </message>
    <message>
        <source>(厚さ)&#x3000;一定</source>
        <translation>(T) fixed</translation>
    </message>
    <message>
        <source>焦点-入射表面間距離</source>
        <translation>Focus-to-surface distance</translation>
    </message>
    <message>
        <source>照射野サイズ at FSD</source>
        <translation>Field size at FSD</translation>
    </message>
    <message>
        <source>(長軸)</source>
        <translation>(long)</translation>
    </message>
    <message>
        <source>(短軸)</source>
        <translation>(short)</translation>
    </message>
    <message>
        <source>体位（照射方向） →</source>
        <translation>Position (beam) →</translation>
    </message>
    <message>
        <source>臥位（垂直方向）</source>
        <translation>Supine (vertical)</translation>
    </message>
    <message>
        <source>立位（水平方向）</source>
        <translation>Standing (horizontal)</translation>
    </message>
    <message>
        <source>高電圧整流方式</source>
        <translation>High-voltage generator</translation>
    </message>
    <message>
        <source>定電圧</source>
        <translation>Constant potential</translation>
    </message>
    <message>
        <source>三相12ピーク</source>
        <translation>Three-phase 12-pulse</translation>
    </message>
    <message>
        <source>単相全波</source>
        <translation>Single-phase full-wave</translation>
    </message>
    <message>
        <source>Ｘ線管電圧</source>
        <translation>Tube voltage</translation>
    </message>
    <message>
        <source>ターゲット角度</source>
        <translation>Target angle</translation>
    </message>
    <message>
        <source>固有ろ過（Al 当量）</source>
        <translation>Inherent filtration</translation>
    </message>
    <message>
        <source>アルミ付加フィルタ</source>
        <translation>Added Al filter</translation>
    </message>
    <message>
        <source>銅付加フィルタ</source>
        <translation>Added Cu filter</translation>
    </message>
    <message>
        <source>Ｘ線管電流</source>
        <translation>Tube current</translation>
    </message>
    <message>
        <source>連続透視</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>パルス透視</source>
        <translation>Pulsed</translation>
    </message>
    <message>
        <source>透視管電流</source>
        <translation>Fluoro current</translation>
    </message>
    <message>
        <source>パルスレート</source>
        <translation>Pulse rate</translation>
    </message>
    <message>
        <source>パルス幅</source>
        <translation>Pulse width</translation>
    </message>
    <message>
        <source>管電流</source>
        <translation>Mean current</translation>
    </message>
    <message>
        <source>入射光子数（ヒストリー）</source>
        <translation>Incident photons (histories)</translation>
    </message>
    <message>
        <source>個 （１億個以上）</source>
        <translation>(10^8 or more)</translation>
    </message>
    <message>
        <source>結果保存ファイル名</source>
        <translation>Result file name</translation>
    </message>
    <message>
        <source>（拡張子なしで入力）</source>
        <translation>(without the extension)</translation>
    </message>
    <message>
        <source>計算スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>計算結果 検索・表示</source>
        <translation>Find and show results</translation>
    </message>
    <message>
        <source>readme.txt を読む</source>
        <translation>Read readme.txt</translation>
    </message>
    <message>
        <source> 計算には長時間を要します。</source>
        <translation> The calculation takes a long time.</translation>
    </message>
    <message>
        <source> cpuスレッド数以内であれば、同時に異なる条件下でシミュレーションを行なうことができます </source>
        <translation> Up to the number of CPU threads, simulations of other conditions can run at the same time </translation>
    </message>
    <message>
        <source> エンジン %1 が見つかりません（brisca と同じフォルダと作業ディレクトリを探しました） </source>
        <translation> The engine %1 was not found (looked in the folder of brisca and in the working folder) </translation>
    </message>
    <message>
        <source> エンジン %1 を起動できません </source>
        <translation> The engine %1 cannot be started </translation>
    </message>
    <message>
        <source>スペクトル表示</source>
        <translation>Spectrum</translation>
    </message>
    <message>
        <source>目標精度</source>
        <translation>Precision</translation>
    </message>
    <message>
        <source>関心領域の相対誤差がこの % に達したら計算を終えます（空欄: 指定なし）。並列モードで計算し、使用するコア数が 1 でも 1 スレッドの並列モードになります</source>
        <translation>The run ends when the relative error in the region of interest reaches this % (empty: no target). It runs in parallel mode, with one thread when one core is chosen</translation>
    </message>
    <message>
        <source>%（空欄: 指定なし）</source>
        <translation>% (empty: none)</translation>
    </message>
    <message>
        <source>使用するコア数</source>
        <translation>Cores to use</translation>
    </message>
    <message>
        <source>2 以上: 並列モード（どのコア数でも同じ結果）。1: 従来の 1 本の乱数列</source>
        <translation>2 or more: parallel mode (the same result for any number of cores). 1: the single random sequence of old</translation>
    </message>
    <message>
        <source> 実行中の計算が %1 件あります。計算を中止しますか？ 
はい: 中止して終了&#x3000;いいえ: 計算を続けたまま終了&#x3000;キャンセル: 終了しない</source>
        <translation> %1 calculations are running. Stop them? 
Yes: stop them and quit   No: quit and let them run   Cancel: do not quit</translation>
    </message>
    <message>
        <source>。計算を始めますか？ </source>
        <translation>. Start the calculation? </translation>
    </message>
</context>
<context>
    <name>brisca::OverlayWindow</name>
    <message>
        <source>  透視室内散乱線分布図</source>
        <translation>  Scatter map of the fluoroscopy room</translation>
    </message>
    <message>
        <source>室内散乱線分布</source>
        <translation>Scatter in the room</translation>
    </message>
    <message>
        <source>FSDにおける空気カーマ率</source>
        <translation>Air kerma rate at the FSD</translation>
    </message>
    <message>
        <source>Ｘ線焦点 - 入射面 距離</source>
        <translation>Focus-to-surface distance</translation>
    </message>
    <message>
        <source>Ｘ線管電圧</source>
        <translation>Tube voltage</translation>
    </message>
    <message>
        <source>管電流</source>
        <translation>Tube current</translation>
    </message>
    <message>
        <source>固有ろ過</source>
        <translation>Inherent filtration</translation>
    </message>
    <message>
        <source>アルミ付加フィルタ</source>
        <translation>Added Al filter</translation>
    </message>
    <message>
        <source>銅付加フィルタ</source>
        <translation>Added Cu filter</translation>
    </message>
    <message>
        <source>照射野サイズ at FSD</source>
        <translation>Field size at FSD</translation>
    </message>
    <message>
        <source>～</source>
        <translation>–</translation>
    </message>
    <message>
        <source>表示する水平面の高さ</source>
        <translation>Height of the plane shown</translation>
    </message>
    <message>
        <source>ファントム中心の上方 50 cm</source>
        <translation>50 cm above the phantom centre</translation>
    </message>
    <message>
        <source>ファントム中心の高さ</source>
        <translation>At the phantom centre</translation>
    </message>
    <message>
        <source>ファントム中心の下方 50 cm</source>
        <translation>50 cm below the phantom centre</translation>
    </message>
    <message>
        <source>両側の分布を表示</source>
        <translation>Both sides</translation>
    </message>
    <message>
        <source>再描画</source>
        <translation>Redraw</translation>
    </message>
    <message>
        <source>画像保存</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>未計数 (軸から 20 cm 以内) [unscored]</source>
        <translation>unscored (within 20 cm of the axis)</translation>
    </message>
    <message>
        <source>計算範囲外 [out of range]</source>
        <translation>out of range</translation>
    </message>
    <message>
        <source>カーソル位置  x</source>
        <translation>Cursor  x</translation>
    </message>
    <message>
        <source>報告書保存</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>不確かさなし [no uncertainty]: %1</source>
        <translation>no uncertainty: %1</translation>
    </message>
    <message>
        <source>不確かさは %1 から [uncertainty from %1]</source>
        <translation>uncertainty from %1</translation>
    </message>
    <message>
        <source>不確かさファイル %1 がありません [no uncertainty file]</source>
        <translation>no uncertainty file %1</translation>
    </message>
    <message>
        <source>注意: 部屋の一部は計算範囲の外で、線量がありません (斜線) [part of the room lies beyond the scored range]</source>
        <translation>Note: part of the room lies beyond the scored range and has no dose (hatched)</translation>
    </message>
    <message>
        <source>線量は分布を描くと計算されます [the doses follow once the distribution is drawn]</source>
        <translation>the doses follow once the distribution is drawn</translation>
    </message>
    <message>
        <source>年間線量と判定にはワークロードを入れて下さい [enter a workload for the annual doses]</source>
        <translation>enter a workload for the annual doses</translation>
    </message>
    <message>
        <source>評価点の名前を入力して下さい</source>
        <translation>Name of the evaluation point</translation>
    </message>
    <message>
        <source>評価点</source>
        <translation>Evaluation point</translation>
    </message>
    <message>
        <source>評価点の線量を載せるにはワークロードを入れて下さい [enter a workload for the doses at the evaluation points]</source>
        <translation>enter a workload for the doses at the evaluation points</translation>
    </message>
    <message>
        <source> 部屋に重ねる散乱線量分布がありません（結果ウィンドウで「散乱線量分布表示」を押してから描画して下さい） </source>
        <translation> There is no scatter map to lay over the room (press &quot;Show scatter map&quot; in the result window, then draw) </translation>
    </message>
</context>
<context>
    <name>brisca::ReportSave</name>
    <message>
        <source>報告書を作れません [the report cannot be made]: %1</source>
        <translation>the report cannot be made: %1</translation>
    </message>
    <message>
        <source>報告書保存</source>
        <translation>Save report</translation>
    </message>
</context>
<context>
    <name>brisca::ResultWindow</name>
    <message>
        <source> 書き換え後、[散乱線量分布表示] を押して下さい </source>
        <translation> After a change, press [Show scatter map] </translation>
    </message>
    <message>
        <source>結果ファイルを選択</source>
        <translation>Choose a result file</translation>
    </message>
    <message>
        <source>ファイル削除</source>
        <translation>Delete file</translation>
    </message>
    <message>
        <source>FSDにおける自由空間の</source>
        <translation>Free-in-air</translation>
    </message>
    <message>
        <source>空気カーマ率</source>
        <translation>Air kerma rate</translation>
    </message>
    <message>
        <source>（平均値）</source>
        <translation>at the FSD (mean)</translation>
    </message>
    <message>
        <source>照射野サイズ at FSD</source>
        <translation>Field size at FSD</translation>
    </message>
    <message>
        <source>Ｘ線管電圧</source>
        <translation>Tube voltage</translation>
    </message>
    <message>
        <source>管電流</source>
        <translation>Tube current</translation>
    </message>
    <message>
        <source>ターゲット角度</source>
        <translation>Target angle</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>固有ろ過</source>
        <translation>Inherent filtration</translation>
    </message>
    <message>
        <source>Al 付加フィルタ</source>
        <translation>Added Al filter</translation>
    </message>
    <message>
        <source>銅付加フィルタ</source>
        <translation>Added Cu filter</translation>
    </message>
    <message>
        <source>入射光子ヒストリー</source>
        <translation>Histories</translation>
    </message>
    <message>
        <source>表示する線量率の種類・単位</source>
        <translation>Quantity and unit shown</translation>
    </message>
    <message>
        <source>実効線量 (H1cm) 率</source>
        <translation>Dose eq. rate H1cm</translation>
    </message>
    <message>
        <source>表示する水平面の高さ</source>
        <translation>Height of the plane shown</translation>
    </message>
    <message>
        <source>ファントム中心の上方 50 cm</source>
        <translation>50 cm above the phantom centre</translation>
    </message>
    <message>
        <source>ファントム中心の高さ</source>
        <translation>At the phantom centre</translation>
    </message>
    <message>
        <source>ファントム中心の下方 50 cm</source>
        <translation>50 cm below the phantom centre</translation>
    </message>
    <message>
        <source>散乱線量分布表示</source>
        <translation>Show scatter map</translation>
    </message>
    <message>
        <source>カーソル位置 X              Y              ⇒</source>
        <translation>Cursor  X              Y              ⇒</translation>
    </message>
    <message>
        <source>最大値</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>～</source>
        <translation>–</translation>
    </message>
    <message>
        <source>書換可</source>
        <translation>editable</translation>
    </message>
    <message>
        <source>部屋レイアウトに重ねて表示</source>
        <translation>Lay over the room layout</translation>
    </message>
    <message>
        <source>実測値による補正</source>
        <translation>Scale to measurement</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>データ処理</source>
        <translation>Process data</translation>
    </message>
    <message>
        <source>画像保存</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>CSV保存</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>報告書保存</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source> 結果ファイルのヘッダを読めません 
</source>
        <translation> The header of the result file cannot be read 
</translation>
    </message>
    <message>
        <source>変換中です…</source>
        <translation>Converting…</translation>
    </message>
    <message>
        <source> 変換プログラム %1 が見つかりません（brisca と同じフォルダと作業ディレクトリを探しました） </source>
        <translation> The converter %1 was not found (looked in the folder of brisca and in the working folder) </translation>
    </message>
    <message>
        <source> 変換プログラム %1 を起動できません </source>
        <translation> The converter %1 cannot be started </translation>
    </message>
    <message>
        <source>変換に失敗しました</source>
        <translation>Conversion failed</translation>
    </message>
    <message>
        <source>変換が終わりました</source>
        <translation>Conversion finished</translation>
    </message>
    <message>
        <source> 結果ファイルの変換に失敗しました（%1 がエラーで終了しました） </source>
        <translation> The result file could not be converted (%1 ended with an error) </translation>
    </message>
    <message>
        <source>%1 がエラーで終了しました</source>
        <translation>%1 ended with an error</translation>
    </message>
    <message>
        <source> もう一度 データ処理ボタン を押してください</source>
        <translation> Press the Process data button again</translation>
    </message>
    <message>
        <source> 変換された結果を読めません 
</source>
        <translation> The converted result cannot be read 
</translation>
    </message>
    <message>
        <source> この計算結果には線量率がありません（管出力または管電流が 0 の条件で計算されています） 
</source>
        <translation> This result holds no dose rate (it was calculated with a tube output or tube current of 0) 
</translation>
    </message>
    <message>
        <source> このファイルを削除していいですか？ </source>
        <translation> Delete this file? </translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>臥位（垂直照射）</source>
        <translation>Supine (vertical beam)</translation>
    </message>
    <message>
        <source>立位（水平照射）</source>
        <translation>Standing (horizontal beam)</translation>
    </message>
    <message>
        <source> 結果ファイル %1 が見つかりません </source>
        <translation> The result file %1 was not found </translation>
    </message>
    <message>
        <source>地図に表示する値</source>
        <translation>Map shows</translation>
    </message>
    <message>
        <source>線量率</source>
        <translation>Dose rate</translation>
    </message>
    <message>
        <source>相対標準誤差 (%)</source>
        <translation>Relative error (%)</translation>
    </message>
    <message>
        <source>誤差</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>誤差がこの値を超える升目と誤差のない升目を灰色にした線量率</source>
        <translation>Dose rate with the cells whose error exceeds this value, or has no estimate, in grey</translation>
    </message>
    <message>
        <source>% 超を灰色</source>
        <translation>% exceeded: grey</translation>
    </message>
</context>
<context>
    <name>brisca::RunsWindow</name>
    <message>
        <source>計算の実行状況</source>
        <translation>Runs</translation>
    </message>
    <message>
        <source>結果ファイル</source>
        <translation>Result file</translation>
    </message>
    <message>
        <source>体位</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>進捗</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>残り時間</source>
        <translation>Time left</translation>
    </message>
    <message>
        <source>精度</source>
        <translation>Precision</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source> 計算「%1」を中止しますか？ </source>
        <translation> Stop the calculation &quot;%1&quot;? </translation>
    </message>
</context>
<context>
    <name>brisca::SavedNotice</name>
    <message>
        <source>&#x3000;ファイル保存</source>
        <translation> File saved</translation>
    </message>
    <message>
        <source>補正したデータは</source>
        <translation>The scaled data were</translation>
    </message>
    <message>
        <source>に保存しました。</source>
        <translation>saved.</translation>
    </message>
</context>
<context>
    <name>brisca::SpectrumWindow</name>
    <message>
        <source>スペクトル表示</source>
        <translation>Spectrum</translation>
    </message>
    <message>
        <source>線質と出力（空中）</source>
        <translation>Beam quality and output (free in air)</translation>
    </message>
    <message>
        <source>画像保存</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>CSV保存</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
