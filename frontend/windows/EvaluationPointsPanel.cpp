#include "windows/EvaluationPointsPanel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <array>
#include <cmath>

#include "logic/problem/Problem.h"
#include "logic/room/DosesCsv.h"
#include "logic/room/PointsFile.h"
#include "logic/text/Language.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "windows/Controls.h"

namespace brisca {

namespace {

// The rows of the panel: the workload, then the hint and the note, then the table.
constexpr int NoteTop = 32;
constexpr int TableTop = 60;
constexpr int NoteLeft = 600;
const QColor PassColour(200, 240, 200);
const QColor FailColour(255, 200, 200);
const QColor ResultColour(240, 240, 240);

// The choices' texts, translated where they are shown and read back.
const std::array<const char*, 3> HeightTexts = {
    QT_TRANSLATE_NOOP("brisca::EvaluationPointsPanel", "上方 50 cm"),
    QT_TRANSLATE_NOOP("brisca::EvaluationPointsPanel", "中心"),
    QT_TRANSLATE_NOOP("brisca::EvaluationPointsPanel", "下方 50 cm")};
const std::array<const char*, 3> BarrierTexts = {QT_TRANSLATE_NOOP("brisca::EvaluationPointsPanel", "なし"),
    QT_TRANSLATE_NOOP("brisca::EvaluationPointsPanel", "鉛"),
    QT_TRANSLATE_NOOP("brisca::EvaluationPointsPanel", "コンクリート")};
constexpr const char* NoApron = QT_TRANSLATE_NOOP("brisca::EvaluationPointsPanel", "なし");
constexpr const char* Occupational = QT_TRANSLATE_NOOP("brisca::EvaluationPointsPanel", "職業");
constexpr const char* Public = QT_TRANSLATE_NOOP("brisca::EvaluationPointsPanel", "公衆");
constexpr const char* CustomCategory = QT_TRANSLATE_NOOP("brisca::EvaluationPointsPanel", "個別");

// A choice's text as the panel shows it.
QString Shown(const char* text) { return EvaluationPointsPanel::tr(text); }

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The occupancy as the choice offers it: a typical factor as its fraction, any other as a decimal.
QString OccupancyText(double occupancy)
{
    for (const TypicalOccupancy& typical : TypicalOccupancies)
        if (typical.factor == occupancy) return typical.fraction;
    return Q(PlainNumberText(occupancy));
}

// The category whose default limit the point has; "個別" for a limit of its own.
QString CategoryText(double limit)
{
    if (limit == DefaultLimitMsvPerYear(PersonCategory::Occupational)) return Shown(Occupational);
    if (limit == DefaultLimitMsvPerYear(PersonCategory::Public)) return Shown(Public);
    return Shown(CustomCategory);
}

QString ApronText(double mm) { return mm == 0.0 ? Shown(NoApron) : Q(PlainNumberText(mm)); }

// A number the whole text is, finite; none otherwise.
std::optional<double> NumberOf(const QString& text)
{
    const std::string typed = text.trimmed().toStdString();
    if (!ReadsAsNumber(typed)) return std::nullopt;
    const double value = LeadingNumber(typed);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// A choice of fixed texts, or of typical values that may be typed over, in a cell.
class ChoiceDelegate : public QStyledItemDelegate {
public:
    ChoiceDelegate(QStringList choices, QStringList tips, bool typed, QObject* parent)
        : QStyledItemDelegate(parent), choices_(std::move(choices)), tips_(std::move(tips)), typed_(typed)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* box = new QComboBox(parent);
        box->setEditable(typed_);
        box->setInsertPolicy(QComboBox::NoInsert);
        for (int n = 0; n < choices_.size(); ++n) {
            box->addItem(choices_[n]);
            if (n < tips_.size()) box->setItemData(n, tips_[n], Qt::ToolTipRole);
        }
        // A choice from the list takes effect at once.
        auto* self = const_cast<ChoiceDelegate*>(this);
        connect(box, &QComboBox::activated, self, [self, box] {
            emit self->commitData(box);
            emit self->closeEditor(box);
        });
        return box;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* box = static_cast<QComboBox*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        const int at = box->findText(text);
        if (at >= 0)
            box->setCurrentIndex(at);
        else if (typed_)
            box->setEditText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText(), Qt::EditRole);
    }

private:
    QStringList choices_; // offered in this order
    QStringList tips_;    // a tool tip per choice; may be empty
    bool typed_;          // whether a value outside the choices may be typed
};

// The choices of the occupancy factor with the places each stands for.
ChoiceDelegate* OccupancyChoices(QObject* parent)
{
    QStringList choices;
    QStringList tips;
    for (const TypicalOccupancy& typical : TypicalOccupancies) {
        choices << typical.fraction;
        tips << QString("%1 (NCRP Report No. 147, Table 4.1)")
                    .arg(Q(MessageText(PlainProblem(typical.placesJa, typical.placesEn))));
    }
    return new ChoiceDelegate(choices, tips, true, parent);
}

ChoiceDelegate* FixedChoices(const QStringList& choices, QObject* parent)
{
    return new ChoiceDelegate(choices, {}, false, parent);
}

QStringList Texts(const auto& texts)
{
    QStringList list;
    for (const char* text : texts) list << Shown(text);
    return list;
}

// Why a cell's text cannot be taken, Japanese first; empty when it was read into `point`.
QString ReadInto(EvaluationPoint& point, int column, const QString& text)
{
    const std::optional<double> number = NumberOf(text);
    switch (column) {
    case EvaluationPointsPanel::NameColumn:
        if (text.trimmed().isEmpty())
            return EvaluationPointsPanel::tr("名前を入れて下さい [a point needs a name]");
        // The points file holds one point a line.
        if (text.contains('\n') || text.contains('\r'))
            return EvaluationPointsPanel::tr("名前に改行は使えません [a name cannot hold a line break]");
        point.name = text.trimmed().toStdString();
        return {};
    case EvaluationPointsPanel::XColumn:
    case EvaluationPointsPanel::YColumn:
        if (!number)
            return EvaluationPointsPanel::tr("「%1」は位置 (cm) として読めません [not a position in cm]")
                .arg(text);
        (column == EvaluationPointsPanel::XColumn ? point.xCm : point.yCm) = *number;
        return {};
    case EvaluationPointsPanel::HeightColumn:
        for (std::size_t n = 0; n < HeightTexts.size(); ++n)
            if (text == Shown(HeightTexts[n])) point.layer = static_cast<HeightLayer>(n + 1);
        return {};
    case EvaluationPointsPanel::OccupancyColumn:
        if (const std::optional<double> occupancy = OccupancyOfText(text.toStdString())) {
            point.occupancy = *occupancy;
            return {};
        }
        return EvaluationPointsPanel::tr(
            "「%1」: 居住係数は 0 より大きく 1 以下の小数か分数 (1/8 など) です [not an occupancy "
            "factor above 0 and at most 1]")
            .arg(text);
    case EvaluationPointsPanel::CategoryColumn:
        if (text == Shown(Occupational))
            point.limitMsvPerYear = DefaultLimitMsvPerYear(PersonCategory::Occupational);
        if (text == Shown(Public)) point.limitMsvPerYear = DefaultLimitMsvPerYear(PersonCategory::Public);
        return {};
    case EvaluationPointsPanel::ApronColumn:
        if (text.trimmed() == Shown(NoApron)) {
            point.apronMmPb = 0.0;
            return {};
        }
        if (!number || *number < 0.0)
            return EvaluationPointsPanel::tr(
                "「%1」: 防護衣の鉛当量は 0 以上の数値 (mm) です [not an apron's lead equivalent in mm]")
                .arg(text);
        point.apronMmPb = *number;
        return {};
    case EvaluationPointsPanel::BarrierColumn:
        for (std::size_t n = 0; n < BarrierTexts.size(); ++n)
            if (text == Shown(BarrierTexts[n])) point.barrier.material = static_cast<BarrierMaterial>(n);
        if (point.barrier.material == BarrierMaterial::None) point.barrier.thicknessMm = 0.0;
        return {};
    case EvaluationPointsPanel::ThicknessColumn:
        if (!number || *number < 0.0)
            return EvaluationPointsPanel::tr(
                "「%1」: 遮蔽の厚さは 0 以上の数値 (mm) です [not a barrier thickness in mm]")
                .arg(text);
        point.barrier.thicknessMm = *number;
        return {};
    case EvaluationPointsPanel::LimitColumn:
        if (!number || !(*number > 0.0))
            return EvaluationPointsPanel::tr(
                "「%1」: 線量限度は正の数値 (mSv/年) です [not a dose limit in mSv per year]")
                .arg(text);
        point.limitMsvPerYear = *number;
        return {};
    default:
        break;
    }
    return {};
}

// The rate with its uncertainty, or why the grid holds none.
QString RateText(double rate, double errorPercent, GridCoverage coverage)
{
    if (coverage == GridCoverage::Unscored) return EvaluationPointsPanel::tr("未計数 [unscored]");
    if (coverage == GridCoverage::OutOfRange) return EvaluationPointsPanel::tr("範囲外 [out of range]");
    QString text = Q(DoseNumberText(rate));
    if (!std::isnan(errorPercent)) text += " ± " + Q(ErrorPercentText(errorPercent)) + " %";
    return text;
}

GridCoverage CoverageOf(DoseStatus status)
{
    return status == DoseStatus::Unscored     ? GridCoverage::Unscored
           : status == DoseStatus::OutOfRange ? GridCoverage::OutOfRange
                                              : GridCoverage::Scored;
}

} // namespace

EvaluationPointsPanel::EvaluationPointsPanel(
    std::vector<EvaluationPoint>& points, Platform& platform, QWidget* parent)
    : QWidget(parent), points_(points), platform_(platform)
{
    setObjectName("evaluationPointsPanel");
    buildWorkload();

    pointsTable_ = new QTableWidget(0, ColumnCount, this);
    pointsTable_->setObjectName("pointsTable");
    pointsTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    pointsTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    pointsTable_->verticalHeader()->setDefaultSectionSize(24);
    const struct {
        QString caption;
        const char* tip;
        int width;
    } columns[ColumnCount] = {{tr("名前"), "name", 110}, {"x cm", "plan x, cm", 56},
        {"y cm", "plan y, cm", 56}, {tr("高さ"), "height of the plane", 84},
        {tr("居住係数"), "occupancy factor", 64},
        {tr("区分"), "category: occupational or public (fills in the limit)", 52},
        {tr("防護衣 mmPb"), "apron, mm lead", 84},
        {tr("遮蔽"), "barrier between the point and the patient", 84},
        {tr("厚さ mm"), "barrier thickness, mm", 60}, {tr("限度 mSv/年"), "limit, mSv per year", 78},
        {tr("線量率 μSv/min"), "rate at the point ± relative uncertainty", 150},
        {tr("年間 mSv"), "annual dose", 76}, {tr("3か月 mSv"), "dose per three months", 76},
        {tr("判定"), "pass or fail against the limit", 120},
        {tr("追加鉛 mm"), "extra lead needed for the limit", 74}};
    for (int column = 0; column < ColumnCount; ++column) {
        auto* header = new QTableWidgetItem(columns[column].caption);
        header->setToolTip(columns[column].tip);
        pointsTable_->setHorizontalHeaderItem(column, header);
        pointsTable_->setColumnWidth(column, columns[column].width);
    }
    pointsTable_->setItemDelegateForColumn(HeightColumn, FixedChoices(Texts(HeightTexts), this));
    pointsTable_->setItemDelegateForColumn(OccupancyColumn, OccupancyChoices(this));
    pointsTable_->setItemDelegateForColumn(
        CategoryColumn, FixedChoices(Texts(std::array{Occupational, Public, CustomCategory}), this));
    pointsTable_->setItemDelegateForColumn(
        ApronColumn, new ChoiceDelegate({Shown(NoApron), "0.25", "0.35", "0.5"}, {}, true, this));
    pointsTable_->setItemDelegateForColumn(BarrierColumn, FixedChoices(Texts(BarrierTexts), this));
    connect(pointsTable_, &QTableWidget::itemChanged, this, &EvaluationPointsPanel::readCell);

    pointsTable_->setGeometry(0, TableTop, PointsPanelWidth, PointsPanelHeight - TableTop);
    deletePointButton_ = Button(this, "deletePointButton", tr("削除"), PointsPanelWidth - 90, 0, 90, 28);
    connect(deletePointButton_, &QPushButton::clicked, this, &EvaluationPointsPanel::deleteSelectedPoint);
    QLabel* hint =
        Caption(this, tr("評価点: 平面図で 左クリック 追加・ドラッグ 移動・右クリック 削除、表の値は書換可"),
            0, NoteTop, NoteLeft - 8, 24);
    hint->setStyleSheet("color: rgb(0, 0, 255);");
    noteLabel_ = Caption(this, QString(), NoteLeft, NoteTop, PointsPanelWidth - NoteLeft, 24);
    noteLabel_->setObjectName("noteLabel");
    setFixedSize(PointsPanelWidth, PointsPanelHeight);
    showPoints();
}

void EvaluationPointsPanel::buildWorkload()
{
    Caption(this, tr("ワークロード"), 0, 2, 90, 24);
    workloadOption_ = Option(this, "workloadOption", tr("透視"), 92, 2, 56);
    workloadOption_->setChecked(true);
    workloadEdit_ = Entry(this, "workloadEdit", 150, 2, 70);
    Caption(this, tr("mA·min/週"), 224, 2, 80, 24);
    proceduresOption_ = Option(this, "proceduresOption", tr("または"), 316, 2, 76);
    proceduresEdit_ = Entry(this, "proceduresEdit", 394, 2, 50);
    Caption(this, tr("件/週 ×"), 448, 2, 56, 24);
    minutesEdit_ = Entry(this, "minutesEdit", 506, 2, 50);
    Caption(this, tr("分/件 ×"), 560, 2, 56, 24);
    meanCurrentEdit_ = Entry(this, "meanCurrentEdit", 618, 2, 50);
    Caption(this, tr("mA (平均管電流)"), 672, 2, 110, 24);
    workloadValueLabel_ = Caption(this, QString(), 786, 2, 170, 24);
    workloadValueLabel_->setObjectName("workloadValueLabel");
    Caption(this, tr("年間"), 966, 2, 36, 24);
    weeksEdit_ = Entry(this, "weeksEdit", 1004, 2, 44);
    weeksEdit_->setText(Q(PlainNumberText(DefaultWeeksPerYear)));
    Caption(this, tr("週"), 1052, 2, 24, 24);

    for (QLineEdit* entry : {workloadEdit_, proceduresEdit_, minutesEdit_, meanCurrentEdit_, weeksEdit_})
        connect(entry, &QLineEdit::textChanged, this, &EvaluationPointsPanel::workloadEdited);
    connect(workloadOption_, &QRadioButton::toggled, this, &EvaluationPointsPanel::workloadEdited);
    // Typing into an entry of the other way of giving the workload chooses that way.
    connect(workloadEdit_, &QLineEdit::textEdited, workloadOption_,
        [this] { workloadOption_->setChecked(true); });
    for (QLineEdit* entry : {proceduresEdit_, minutesEdit_, meanCurrentEdit_})
        connect(entry, &QLineEdit::textEdited, proceduresOption_,
            [this] { proceduresOption_->setChecked(true); });
}

std::optional<Workload> EvaluationPointsPanel::workload(std::string* problem) const
{
    const auto refuse = [problem](std::string why) -> std::optional<Workload> {
        if (problem) *problem = std::move(why);
        return std::nullopt;
    };
    if (problem) problem->clear();
    const std::vector<QLineEdit*> entries =
        workloadOption_->isChecked()
            ? std::vector<QLineEdit*>{workloadEdit_}
            : std::vector<QLineEdit*>{proceduresEdit_, minutesEdit_, meanCurrentEdit_};
    std::vector<double> values;
    for (QLineEdit* entry : entries) {
        if (entry->text().trimmed().isEmpty()) return std::nullopt;
        const std::optional<double> value = NumberOf(entry->text());
        if (!value)
            return refuse(tr("ワークロードの「%1」は数値として読めません [not a number]")
                              .arg(entry->text())
                              .toStdString());
        values.push_back(*value);
    }
    const std::optional<double> weeks = NumberOf(weeksEdit_->text());
    if (!weeks)
        return refuse(tr("年間の週数「%1」は数値として読めません [not a number]")
                          .arg(weeksEdit_->text())
                          .toStdString());
    const Workload workload{
        values.size() == 1 ? values[0] : WorkloadOfProcedures(values[0], values[1], values[2]), *weeks};
    if (const std::optional<Problem> refusal = WorkloadRefusal(workload))
        return refuse(MessageText(*refusal));
    return workload;
}

void EvaluationPointsPanel::workloadEdited()
{
    const std::optional<Workload> given = workload();
    workloadValueLabel_->setText(given && proceduresOption_->isChecked()
                                     ? tr("＝ %1 mA·min/週").arg(Q(PlainNumberText(given->maMinutesPerWeek)))
                                     : QString());
    emit workloadChanged();
}

void EvaluationPointsPanel::showPoints()
{
    filling_ = true;
    pointsTable_->setRowCount(static_cast<int>(points_.size()));
    for (int row = 0; row < pointsTable_->rowCount(); ++row) {
        fillInputs(row);
        fillResults(row, {}, ResultColour);
    }
    filling_ = false;
    deletePointButton_->setEnabled(!points_.empty());
}

void EvaluationPointsPanel::fillInputs(int row)
{
    const bool filling = filling_;
    filling_ = true;
    const EvaluationPoint& point = points_[static_cast<std::size_t>(row)];
    const QString texts[] = {Q(point.name), Q(PlainNumberText(point.xCm)), Q(PlainNumberText(point.yCm)),
        Shown(HeightTexts[static_cast<std::size_t>(point.layer) - 1]), OccupancyText(point.occupancy),
        CategoryText(point.limitMsvPerYear), ApronText(point.apronMmPb),
        Shown(BarrierTexts[static_cast<std::size_t>(point.barrier.material)]),
        point.barrier.material == BarrierMaterial::None ? QString()
                                                        : Q(PlainNumberText(point.barrier.thicknessMm)),
        Q(PlainNumberText(point.limitMsvPerYear))};
    for (int column = NameColumn; column <= LimitColumn; ++column) {
        QTableWidgetItem* item = pointsTable_->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            pointsTable_->setItem(row, column, item);
        }
        item->setText(texts[column]);
    }
    // A thickness without a barrier material would stand for nothing.
    QTableWidgetItem* thickness = pointsTable_->item(row, ThicknessColumn);
    thickness->setFlags(point.barrier.material == BarrierMaterial::None
                            ? thickness->flags() & ~Qt::ItemIsEditable
                            : thickness->flags() | Qt::ItemIsEditable);
    QString places;
    for (const TypicalOccupancy& typical : TypicalOccupancies)
        if (typical.factor == point.occupancy)
            places = MessageLanguage() == Language::English ? typical.placesEn : typical.placesJa;
    pointsTable_->item(row, OccupancyColumn)->setToolTip(places);
    filling_ = filling;
}

QTableWidgetItem* EvaluationPointsPanel::fixedItem(int row, int column)
{
    QTableWidgetItem* item = pointsTable_->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        pointsTable_->setItem(row, column, item);
    }
    return item;
}

void EvaluationPointsPanel::fillResults(int row, const QStringList& texts, const QColor& statusColour)
{
    const bool filling = filling_;
    filling_ = true;
    for (int column = RateColumn; column < ColumnCount; ++column) {
        QTableWidgetItem* item = fixedItem(row, column);
        const int at = column - RateColumn;
        item->setText(at < texts.size() ? texts[at] : QString());
        item->setBackground(column == StatusColumn ? statusColour : ResultColour);
        if (column != RateColumn && column != StatusColumn)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    filling_ = filling;
}

void EvaluationPointsPanel::showRates(const std::vector<PointRate>& rates, const QString& note)
{
    for (int row = 0; row < pointsTable_->rowCount() && row < static_cast<int>(rates.size()); ++row) {
        const PointRate& rate = rates[static_cast<std::size_t>(row)];
        const bool scored = rate.coverage == GridCoverage::Scored;
        fillResults(row,
            {RateText(rate.rateUsvPerMin, rate.rateErrorPercent, rate.coverage), "", "",
                scored ? tr("未評価 [not evaluated]") : tr("線量なし [no dose]")},
            ResultColour);
    }
    showNote(note);
}

void EvaluationPointsPanel::showDoses(const std::vector<PointDose>& doses, const QString& note)
{
    for (int row = 0; row < pointsTable_->rowCount() && row < static_cast<int>(doses.size()); ++row) {
        const PointDose& dose = doses[static_cast<std::size_t>(row)];
        // The doses file's texts, so that the table and the file give the same numbers.
        const auto file = DoseRowTexts(points_[static_cast<std::size_t>(row)], dose);
        const bool pass = dose.status == DoseStatus::Pass;
        const bool fail = dose.status == DoseStatus::Fail;
        fillResults(row,
            {RateText(dose.rateUsvPerMin, dose.rateErrorPercent, CoverageOf(dose.status)), Q(file[3]),
                Q(file[4]),
                pass   ? tr("限度以下 [pass]")
                : fail ? tr("限度超過 [fail]")
                       : tr("線量なし [no dose]"),
                Q(file[7])},
            pass   ? PassColour
            : fail ? FailColour
                   : ResultColour);
    }
    showNote(note);
}

void EvaluationPointsPanel::showNote(const QString& note)
{
    // A long reason is cut at the table's edge; its tip holds it whole.
    noteLabel_->setText(note);
    noteLabel_->setToolTip(note);
}

void EvaluationPointsPanel::clearDoses(const QString& note)
{
    for (int row = 0; row < pointsTable_->rowCount(); ++row) fillResults(row, {}, ResultColour);
    showNote(note);
}

void EvaluationPointsPanel::readCell(QTableWidgetItem* item)
{
    if (filling_ || !item || item->column() > LimitColumn) return;
    const int row = item->row();
    if (row < 0 || row >= static_cast<int>(points_.size())) return;
    EvaluationPoint point = points_[static_cast<std::size_t>(row)];
    const QString refusal = ReadInto(point, item->column(), item->text());
    if (!refusal.isEmpty()) platform_.ShowMessage(refusal, MessageButtons::Ok, MessageIcon::Warning);
    const bool changed = !(point == points_[static_cast<std::size_t>(row)]);
    points_[static_cast<std::size_t>(row)] = point;
    // Back as the point holds it: a refused text, and the canonical text of one taken.
    fillInputs(row);
    if (changed) emit pointsChanged();
}

void EvaluationPointsPanel::addPoint(EvaluationPoint point)
{
    points_.push_back(std::move(point));
    showPoints();
    selectPoint(static_cast<int>(points_.size()) - 1);
    emit pointsChanged();
}

void EvaluationPointsPanel::movePoint(int index, double xCm, double yCm)
{
    if (index < 0 || index >= static_cast<int>(points_.size())) return;
    EvaluationPoint& point = points_[static_cast<std::size_t>(index)];
    if (point.xCm == xCm && point.yCm == yCm) return;
    point.xCm = xCm;
    point.yCm = yCm;
    fillInputs(index);
    emit pointsChanged();
}

void EvaluationPointsPanel::deletePoint(int index)
{
    if (index < 0 || index >= static_cast<int>(points_.size())) return;
    const std::string& name = points_[static_cast<std::size_t>(index)].name;
    if (platform_.ShowMessage(tr(" 評価点「%1」を削除しますか？ ").arg(Q(name)), MessageButtons::OkCancel,
            MessageIcon::None) != MessageAnswer::Ok)
        return;
    points_.erase(points_.begin() + index);
    showPoints();
    emit pointsChanged();
}

void EvaluationPointsPanel::selectPoint(int index)
{
    if (index >= 0 && index < pointsTable_->rowCount()) pointsTable_->selectRow(index);
}

void EvaluationPointsPanel::deleteSelectedPoint()
{
    const QList<QTableWidgetItem*> selected = pointsTable_->selectedItems();
    if (!selected.isEmpty()) deletePoint(selected.front()->row());
}

} // namespace brisca
