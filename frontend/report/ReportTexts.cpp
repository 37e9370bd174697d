#include "report/ReportTexts.h"

#include "logic/room/DosesCsv.h"
#include "logic/text/NumberText.h"

namespace brisca {

namespace {

std::string PercentText(const std::optional<double>& percent)
{
    return percent ? ErrorPercentText(*percent) + " %" : "—";
}

std::string HeightShort(HeightLayer layer)
{
    switch (layer) {
    case HeightLayer::Above:
        return "上方 50 cm";
    case HeightLayer::Below:
        return "下方 50 cm";
    case HeightLayer::Centre:
        break;
    }
    return "中心";
}

std::string BarrierText(const Barrier& barrier)
{
    switch (barrier.material) {
    case BarrierMaterial::Lead:
        return "鉛 " + PlainNumberText(barrier.thicknessMm) + " mm";
    case BarrierMaterial::Concrete:
        return "コンクリート\n" + PlainNumberText(barrier.thicknessMm) + " mm";
    case BarrierMaterial::None:
        break;
    }
    return "なし";
}

std::string StatusText(DoseStatus status)
{
    switch (status) {
    case DoseStatus::Pass:
        return std::string("適合\n") + DoseStatusKey(status);
    case DoseStatus::Fail:
        return std::string("超過\n") + DoseStatusKey(status);
    case DoseStatus::Unscored:
        return std::string("未計数\n") + DoseStatusKey(status);
    case DoseStatus::OutOfRange:
        break;
    }
    return std::string("範囲外\n") + DoseStatusKey(status);
}

std::string OrDash(const std::string& text) { return text.empty() ? "—" : text; }

} // namespace

std::vector<std::pair<std::string, std::string>> TitleRows(const ReportInputs& inputs)
{
    std::vector<std::pair<std::string, std::string>> rows = {
        {"結果ファイル (result file)", inputs.resultName}, {"作成日時 (date)", inputs.dateText},
        {"ソフトウェア (software)", inputs.softwareVersion},
        {"結果ファイルの SHA-256 (fingerprint)", inputs.fingerprint}};
    if (inputs.room) {
        rows.emplace_back("部屋レイアウト (room layout)", inputs.room->layoutName);
        if (!inputs.room->pointsName.empty())
            rows.emplace_back("評価点ファイル (points file)", inputs.room->pointsName);
    }
    return rows;
}

std::string BeamNote(const ReportBeam& beam)
{
    if (!beam.unavailable.empty()) return beam.unavailable;
    return "結果ファイルの見出しの管電圧、ターゲット角度、ろ過から、付属の表 (MUs.dat, Air.eac) "
           "で計算し直した値です。高電圧の整流方式は結果ファイルに記録されないため、定電圧と仮定しています。 "
           "[Recomputed from the header's tube voltage, target angle and filtrations with the shipped "
           "tables; the waveform is not recorded in a result, constant potential is assumed.]";
}

std::vector<std::string> MethodParagraphs(const ReportInputs& inputs)
{
    const ReportStatistics& statistics = inputs.statistics;
    const std::string& position =
        inputs.header.labels[static_cast<std::size_t>(HeaderValue::PatientPosition)];
    std::vector<std::string> paragraphs = {
        "散乱線量率はモンテカルロ法による計算値です。" + position +
        "の軟部組織ファントム (60 × 30 × 20 cm) に入射する光子約 " + statistics.historiesText +
        " 個 (結果ファイルの見出しの値) の履歴を追跡し、ファントムから出た散乱光子を 3 つの高さの 10 cm "
        "間隔の格子 (横方向 0〜400 cm、"
        "軸方向 −300〜+300 cm) に空気カーマ率と実効線量 (H1cm) 率として記録しました。分布図と評価点の値は、"
        "この格子を 1 cm 間隔に補間したものです。 [Monte Carlo: about " +
        statistics.historiesText +
        " photon histories into a soft-tissue phantom, the escaping scatter scored on a 10 cm grid at three "
        "heights and refined to 1 cm.]"};
    switch (statistics.source) {
    case UncertaintySource::Read:
        paragraphs.push_back(
            "統計的不確かさ: 各セルの相対標準誤差は履歴ごとの分散から推定したものです (" +
            statistics.uncertaintyFileName +
            ")。関心セル (ファントム中心の高さで横方向 200 cm 以内、軸方向 ±200 cm 以内、その高さの最大値の "
            "1 % 以上のセル) の最大相対誤差は、空気カーマ率 " +
            PercentText(statistics.largestKermaErrorPercent) + "、実効線量率 " +
            PercentText(statistics.largestDoseErrorPercent) +
            " です。評価点の不確かさは、その点の値の補間に用いた 10 cm セルの相対誤差の最大値です。 [Largest "
            "relative standard error among the cells of interest: air kerma " +
            PercentText(statistics.largestKermaErrorPercent) + ", effective dose " +
            PercentText(statistics.largestDoseErrorPercent) + ".]");
        break;
    case UncertaintySource::Missing:
        paragraphs.push_back("統計的不確かさ: 不確かさファイル " + statistics.uncertaintyFileName +
                             " が結果ファイルの隣にないため、相対誤差を示せません。 [No uncertainty file: " +
                             statistics.uncertaintyFileName + " is not beside the result.]");
        break;
    case UncertaintySource::Unreadable:
        paragraphs.push_back("統計的不確かさ: 不確かさファイルを読めないため、相対誤差を示せません。 " +
                             statistics.uncertaintyProblem);
        break;
    }
    paragraphs.push_back("示した不確かさは統計的なものだけで、ファントムの形と組成、スペクトルのモデル、"
                         "遮蔽の透過率モデルによる系統的な不確かさは含みません。 [Statistical uncertainty "
                         "only: the phantom, the spectrum model and the transmission fits add systematic "
                         "uncertainties not stated here.]");
    return paragraphs;
}

std::vector<std::string> WorkloadParagraphs(const ReportInputs& inputs)
{
    if (!inputs.room || !inputs.room->workload) return {};
    const Workload& workload = *inputs.room->workload;
    const auto label = [&inputs](HeaderValue which) {
        return inputs.header.labels[static_cast<std::size_t>(which)];
    };
    return {"ワークロード (workload): 透視 " + PlainNumberText(workload.maMinutesPerWeek) +
                " mA·min/週、年 " + PlainNumberText(workload.weeksPerYear) +
                " 週 (入力値)。結果の線量率は管電流 " + label(HeaderValue::TubeCurrent) +
                " mA での 1 分あたりの値です (結果ファイルの見出し)。",
        "年間線量 (mSv) = 線量率 (μSv/min) × ワークロード / 管電流 × 週数 × 居住係数 T × 透過率 B / 1000、"
        "3 か月の線量 = 年間線量 / 4 (年間を通じて均等な使用)。線量は防護衣と遮蔽の後ろの実効線量 (H1cm) "
        "です。追加鉛は年間線量を限度まで下げる鉛の厚さで、0.01 mm 単位に切り上げています。",
        "透過率 B: Archer らの 3 パラメータモデル B(x) = [(1 + β/α)·exp(αγx) − "
        "β/α]^(−1/γ)、鉛とコンクリートの"
        "パラメータは NCRP Report No. 147 (2004) 付録 A 表 A.1、管電圧 " +
            label(HeaderValue::TubeVoltage) +
            " kV で log B を管電圧について線形補間。一次線のフィットなので、患者からの散乱線に対しては透過を"
            "多めに見積もります。防護衣と鉛の遮蔽は鉛厚の和とし、コンクリートは同じ透過率の鉛厚に換算して加え"
            "ます。",
        "居住係数の目安は NCRP Report No. 147 (2004) 表 4.1、線量限度は評価点ファイルの値です (既定: 職業人 "
        "20 mSv/年 — 5 年 100 mSv の限度、公衆 1 mSv/年 — NCRP Report No. 147 の非管理区域の設計目標)。"};
}

const std::array<const char*, PointColumnCount> PointColumnHeadings = {"名前\nname", "高さ\nheight",
    "居住係数\nT", "防護衣\nmm Pb", "遮蔽\nbarrier", "線量率\nμSv/min", "不確かさ\n%", "年間\nmSv",
    "3か月\nmSv", "限度\nmSv/年", "判定\nstatus", "追加鉛\nmm Pb"};

std::array<std::string, PointColumnCount> PointRowTexts(const EvaluationPoint& point, const PointDose& dose)
{
    const std::array<std::string, DosesFieldCount> fields = DoseRowTexts(point, dose);
    return {fields[0], HeightShort(point.layer), PlainNumberText(point.occupancy),
        PlainNumberText(point.apronMmPb), BarrierText(point.barrier), OrDash(fields[1]), OrDash(fields[2]),
        OrDash(fields[3]), OrDash(fields[4]), OrDash(fields[5]), StatusText(dose.status), OrDash(fields[7])};
}

} // namespace brisca
