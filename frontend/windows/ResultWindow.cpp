// The result window's controls at their design positions; the handlers are in
// ResultWindowProcessing.cpp (file, conversion, data) and ResultWindowMap.cpp (map, read-out).
#include "windows/ResultWindow.h"
#include "windows/Controls.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "drawing/DistributionMap.h"
#include "logic/AppState.h"
#include "logic/exports/PictureNames.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "windows/DesignUnits.h"
#include "windows/JapaneseFont.h"
#include "windows/PictureBox.h"
#include "windows/ScreenFit.h"
#include "windows/ShadingLegend.h"

namespace brisca {

namespace {

constexpr const char* kLightYellow = "background: rgb(255, 255, 192);";
constexpr const char* kRewriteHint =
    QT_TRANSLATE_NOOP("brisca::ResultWindow", " 書き換え後、[散乱線量分布表示] を押して下さい ");

QLabel* ValueLabel(QWidget* parent, const char* name, int x, int y, int w)
{
    QLabel* label = Caption(parent, QString(), x, y, w);
    label->setObjectName(name);
    label->setStyleSheet(kLightYellow);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setStyleSheet("QPushButton { background: rgb(255, 255, 192); }");
    return button;
}

QLineEdit* Entry(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

// The small pencil-and-paper sign of the places where a text may be rewritten.
PictureBox* RewriteIcon(QWidget* parent, int leftUnits, int topUnits)
{
    auto* icon = new PictureBox(parent);
    PlaceInDesignUnits(icon, leftUnits, topUnits, 480, 480);
    icon->setBorder(false);
    icon->setToolTip(ResultWindow::tr(kRewriteHint));
    icon->setScale(0, 0, 32, 32);
    icon->clear();
    UserScaleCanvas canvas = icon->canvas();
    canvas.FilledBox(5, 4, 23, 29, QColor(255, 255, 255));
    canvas.Box(5, 4, 22, 28, QColor(0, 0, 0));
    for (int y = 10; y <= 22; y += 4) canvas.Line(8, y, 18, y, QColor(0, 0, 128));
    canvas.SetDrawWidth(3);
    canvas.Line(14, 26, 28, 8, QColor(255, 128, 0));
    icon->update();
    return icon;
}

// A thin line over the map that lets the mouse through to it.
QWidget* HairLine(QWidget* parent, const char* name)
{
    auto* line = new QWidget(parent);
    line->setObjectName(name);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->setStyleSheet("background: black;");
    line->hide();
    return line;
}

} // namespace

ResultWindow::ResultWindow(AppState& state, Platform& platform, QWidget& mainWindow, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform), mainWindow_(mainWindow)
{
    setObjectName("resultWindow");
    setWindowTitle("Scattered dose distribution");
    // The column at the right holds what the map shows: the rates or their errors.
    setFixedSize(DesignToPixels(19755), DesignToPixels(12390));

    buildFileArea();
    buildConditions();
    buildDisplayChoices();
    buildMapArea();
    buildLegend();
    buildActions();

    // A click or the arrow keys: the header shown is always that of the file "OK" converts.
    connect(resultList_, &QListWidget::currentItemChanged, this, &ResultWindow::selectResultFile);
    connect(deleteButton_, &QPushButton::clicked, this, &ResultWindow::deleteResultFile);
    connect(convertButton_, &QPushButton::clicked, this, &ResultWindow::startConversion);
    connect(processButton_, &QPushButton::clicked, this, &ResultWindow::processData);
    connect(paintButton_, &QPushButton::clicked, this, &ResultWindow::paintMap);
    connect(kermaOption_, &QRadioButton::clicked, this, [this] { chooseQuantity(Quantity::Kerma); });
    connect(doseOption_, &QRadioButton::clicked, this, [this] { chooseQuantity(Quantity::Dose); });
    connect(aboveOption_, &QRadioButton::clicked, this, [this] { chooseHeight(HeightLayer::Above); });
    connect(centreOption_, &QRadioButton::clicked, this, [this] { chooseHeight(HeightLayer::Centre); });
    connect(belowOption_, &QRadioButton::clicked, this, [this] { chooseHeight(HeightLayer::Below); });
    connect(ratesOption_, &QRadioButton::clicked, this, [this] { chooseContent(MapContent::Rates); });
    connect(errorsOption_, &QRadioButton::clicked, this, [this] { chooseContent(MapContent::Errors); });
    connect(greyOption_, &QRadioButton::clicked, this, [this] { chooseContent(MapContent::GreyedRates); });
    connect(greyLimitEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        state_.displayChoice.greyAbovePercent = LeadingNumber(text.toStdString());
        ShowShadingLegend(legend_, state_.displayChoice);
    });
    connect(mapView_, &PictureBox::mouseMove, this, [this](int, double x, double y) { readOutAt({x, y}); });
    connect(closeButton_, &QPushButton::clicked, this, &ResultWindow::closeResults);
    connect(layoutButton_, &QPushButton::clicked, this, &ResultWindow::layoutEditorRequested);
    connect(correctionButton_, &QPushButton::clicked, this, &ResultWindow::correctionRequested);
    connect(imageSaveButton_, &QPushButton::clicked, this, &ResultWindow::saveImage);
    connect(csvSaveButton_, &QPushButton::clicked, this, &ResultWindow::saveCsv);
    connect(reportSaveButton_, &QPushButton::clicked, this, &ResultWindow::saveReport);
    // The boxes are read once, as they change: painting, drawing and export take the numbers.
    for (int n = 0; n < 11; ++n) {
        connect(thresholdEdits_[n], &QLineEdit::textChanged, this, [this, n](const QString& text) {
            state_.displayChoice.thresholds[n + 1] = LeadingNumber(text.toStdString());
        });
        // Enter in a threshold box paints the map anew with the thresholds as they stand.
        connect(thresholdEdits_[n], &QLineEdit::returnPressed, this, [this] {
            if (paintButton_->isEnabled()) paintMap();
        });
    }
    FitOnScreen(*this, 1);
}

void ResultWindow::buildFileArea()
{
    QFont heading = WindowFont(12);
    heading.setBold(true);
    QLabel* title = Caption(this, tr("結果ファイルを選択"), 0, 0, 0);
    title->setFont(heading);
    PlaceInDesignUnits(title, 840, 120, 2565, 420);
    resultList_ = new QListWidget(this);
    resultList_->setObjectName("resultList");
    PlaceInDesignUnits(resultList_, 360, 600, 3855, 2730);
    deleteButton_ = Button(this, "deleteButton", tr("ファイル削除"));
    PlaceInDesignUnits(deleteButton_, 2640, 3360, 1575, 375);
}

void ResultWindow::buildConditions()
{
    auto* panel = new QLabel(this);
    panel->setObjectName("conditionsPanel");
    panel->setStyleSheet("background: rgb(192, 255, 255);");
    PlaceInDesignUnits(panel, 360, 4080, 3855, 7095);

    positionLabel_ = ValueLabel(panel, "positionLabel", 10, 10, 236);
    positionLabel_->setAlignment(Qt::AlignCenter);
    Caption(panel, tr("FSDにおける自由空間の"), 8, 44, 180);
    Caption(panel, tr("空気カーマ率"), 8, 64, 120);
    Caption(panel, tr("（平均値）"), 8, 84, 120);

    // Header values 2..12, each beside its caption and unit; the field size shares a row.
    struct Row {
        const char* name;
        QString caption;
        QString unit;
        int x;
        int y;
        int width;
    };
    const Row rows[] = {{"freeAirKermaLabel", "", "Gy/min", 112, 64, 90},
        {"fsdLabel", "FSD", "cm", 132, 118, 70},
        {"fieldFirstLabel", tr("照射野サイズ at FSD"), "", 132, 152, 32},
        {"fieldSecondLabel", "", "cm", 180, 152, 32},
        {"tubeVoltageLabel", tr("Ｘ線管電圧"), "kV", 132, 186, 70},
        {"tubeCurrentLabel", tr("管電流"), "mA", 132, 220, 70},
        {"targetAngleLabel", tr("ターゲット角度"), tr("度"), 132, 254, 70},
        {"inherentFiltrationLabel", tr("固有ろ過"), "mmAl", 132, 288, 70},
        {"aluminiumFilterLabel", tr("Al 付加フィルタ"), "mm", 132, 322, 70},
        {"copperFilterLabel", tr("銅付加フィルタ"), "mm", 132, 356, 70},
        {"historiesLabel", tr("入射光子ヒストリー"), "", 132, 390, 70}};
    for (std::size_t n = 0; n < conditionLabels_.size(); ++n) {
        const Row& row = rows[n];
        if (!row.caption.isEmpty()) Caption(panel, row.caption, 8, row.y, 124);
        conditionLabels_[n] = ValueLabel(panel, row.name, row.x, row.y, row.width);
        if (!row.unit.isEmpty()) Caption(panel, row.unit, row.x + row.width + 4, row.y, 50);
    }
    correctionNoteLabel_ = Caption(panel, QString(), 8, 420, 240, 44);
    correctionNoteLabel_->setObjectName("correctionNoteLabel");
    correctionNoteLabel_->setWordWrap(true);
    Caption(panel, "×", 166, 152, 14);
    QFont raised = WindowFont(7);
    Caption(panel, "2", 234, 148, 10, 14)->setFont(raised);
}

void ResultWindow::buildDisplayChoices()
{
    quantityGroup_ = new QGroupBox(tr("表示する線量率の種類・単位"), this);
    quantityGroup_->setObjectName("quantityGroup");
    PlaceInDesignUnits(quantityGroup_, 4920, 120, 4215, 1815);
    kermaOption_ = Option(
        quantityGroup_, "kermaOption", tr("空気カーマ率"), DesignToPixels(240), DesignToPixels(480), 150);
    Caption(quantityGroup_, "μ", 180, DesignToPixels(480), 14, 24);
    Caption(quantityGroup_, "Gy/min", 194, DesignToPixels(480), 70, 24);
    doseOption_ = Option(quantityGroup_, "doseOption", tr("実効線量 (H1cm) 率"), DesignToPixels(240),
        DesignToPixels(1080), 164);
    Caption(quantityGroup_, "μ", 180, DesignToPixels(1080), 14, 24);
    Caption(quantityGroup_, "Sv/min", 194, DesignToPixels(1080), 70, 24);

    heightGroup_ = new QGroupBox(tr("表示する水平面の高さ"), this);
    heightGroup_->setObjectName("heightGroup");
    PlaceInDesignUnits(heightGroup_, 9360, 120, 4095, 1815);
    aboveOption_ = Option(heightGroup_, "aboveOption", tr("ファントム中心の上方 50 cm"), DesignToPixels(240),
        DesignToPixels(360), 240);
    centreOption_ = Option(heightGroup_, "centreOption", tr("ファントム中心の高さ"), DesignToPixels(240),
        DesignToPixels(840), 240);
    belowOption_ = Option(heightGroup_, "belowOption", tr("ファントム中心の下方 50 cm"), DesignToPixels(240),
        DesignToPixels(1320), 240);

    // What the cells show, and under it where their errors come from.
    contentGroup_ = new QGroupBox(tr("地図に表示する値"), this);
    contentGroup_->setObjectName("contentGroup");
    PlaceInDesignUnits(contentGroup_, 16680, 120, 2880, 1815);
    ratesOption_ =
        Option(contentGroup_, "ratesOption", tr("線量率"), DesignToPixels(240), DesignToPixels(360), 160);
    errorsOption_ = Option(
        contentGroup_, "errorsOption", tr("相対標準誤差 (%)"), DesignToPixels(240), DesignToPixels(840), 160);
    greyOption_ =
        Option(contentGroup_, "greyOption", tr("誤差"), DesignToPixels(240), DesignToPixels(1320), 52);
    greyOption_->setToolTip(tr("誤差がこの値を超える升目と誤差のない升目を灰色にした線量率"));
    greyLimitEdit_ = Entry(contentGroup_, "greyLimitEdit");
    greyLimitEdit_->setGeometry(DesignToPixels(240) + 54, DesignToPixels(1320), 36, 22);
    greyLimitEdit_->setAlignment(Qt::AlignRight);
    greyLimitEdit_->setText("20");
    Caption(contentGroup_, tr("% 超を灰色"), DesignToPixels(240) + 94, DesignToPixels(1320), 80);
    uncertaintyLabel_ = Caption(this, QString(), 0, 0, 0);
    uncertaintyLabel_->setObjectName("uncertaintyLabel");
    uncertaintyLabel_->setWordWrap(true);
    uncertaintyLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlaceInDesignUnits(uncertaintyLabel_, 16680, 2040, 2880, 1800);

    QFont large = WindowFont(11);
    large.setBold(true);
    paintButton_ = Button(this, "paintButton", tr("散乱線量分布表示"));
    paintButton_->setFont(large);
    PlaceInDesignUnits(paintButton_, 14280, 240, 2055, 1695);
    RewriteIcon(this, 13680, 840);
}

void ResultWindow::buildMapArea()
{
    mapView_ = new PictureBox(this);
    mapView_->setObjectName("mapView");
    PlaceInDesignUnits(mapView_, 4920, 2040, 7935, 9495);
    mapView_->setScale(MapLeft, MapTop, MapImageWidth, MapImageHeight);
    mapView_->clear();
    horizontalHair_ = HairLine(mapView_, "horizontalHair");
    verticalHair_ = HairLine(mapView_, "verticalHair");

    PlaceInDesignUnits(
        Caption(this, tr("カーソル位置 X              Y              ⇒"), 0, 0, 0), 6360, 11760, 4035, 345);
    cursorXEdit_ = Entry(this, "cursorXEdit");
    PlaceInDesignUnits(cursorXEdit_, 8040, 11760, 855, 345);
    cursorYEdit_ = Entry(this, "cursorYEdit");
    PlaceInDesignUnits(cursorYEdit_, 9240, 11760, 855, 345);
    cursorValueEdit_ = Entry(this, "cursorValueEdit");
    // Wide enough for a value with its error, "4.018E+02 ± 100 %".
    PlaceInDesignUnits(cursorValueEdit_, 10560, 11760, 1815, 345);
    readoutUnitLabel_ = Caption(this, QuantityUnit(Quantity::Kerma), 0, 0, 0);
    readoutUnitLabel_->setObjectName("readoutUnitLabel");
    PlaceInDesignUnits(readoutUnitLabel_, 12420, 11760, 750, 345);

    // The maxima of both quantities, to the right of the map.
    const int x = DesignToPixels(13560);
    const int y = DesignToPixels(2640);
    Caption(this, tr("最大値"), x, y, 120);
    Caption(this, tr("空気カーマ率"), x, y + 26, 180);
    kermaMaxLabel_ = ValueLabel(this, "kermaMaxLabel", x, y + 50, 90);
    Caption(this, "μGy/min", x + 94, y + 50, 70);
    Caption(this, tr("実効線量 (H1cm) 率"), x, y + 82, 180);
    doseMaxLabel_ = ValueLabel(this, "doseMaxLabel", x, y + 106, 90);
    Caption(this, "μSv/min", x + 94, y + 106, 70);
}

void ResultWindow::buildLegend()
{
    const int x = DesignToPixels(13560);
    QLabel* micro = Caption(this, "μ", x + 70, DesignToPixels(5280), 14);
    legendUnitLabel_ = Caption(this, "Gy/min", x + 84, DesignToPixels(5280), 140);
    legendUnitLabel_->setObjectName("legendUnitLabel");

    legendView_ = new PictureBox(this);
    legendView_->setObjectName("legendView");
    PlaceInDesignUnits(legendView_, 13560, 5640, 855, 3975);
    // The error bands' ranges where the thresholds stand, the grey key between "書換可" and
    // "部屋レイアウトに重ねて表示".
    legend_ = MakeShadingLegend(this, legendView_, legendUnitLabel_,
        QRect(DesignToPixels(14460), DesignToPixels(5640), DesignToPixels(2200), DesignToPixels(3975)),
        QRect(x, DesignToPixels(10200), DesignToPixels(5500), DesignToPixels(345)));
    legend_.rateControls.push_back(micro);

    // Threshold n stands beside the legend box of band n.
    for (int n = 0; n < 11; ++n) {
        const int top = 5640 + 360 * n;
        thresholdEdits_[n] = Entry(this, QString("thresholdEdit%1").arg(n + 1).toUtf8().constData());
        PlaceInDesignUnits(thresholdEdits_[n], 14460, top, 1335, 345);
        thresholdEdits_[n]->setAlignment(Qt::AlignRight);
        QLabel* tilde = Caption(this, tr("～"), 0, 0, 0);
        PlaceInDesignUnits(tilde, 15840, top, 300, 345);
        legend_.rateControls.insert(legend_.rateControls.end(), {thresholdEdits_[n], tilde});
    }
    QLabel* editable = Caption(this, tr("書換可"), x, DesignToPixels(9720), 60);
    editable->setToolTip(ResultWindow::tr(kRewriteHint));
    legend_.rateControls.insert(legend_.rateControls.end(), {editable, RewriteIcon(this, 14520, 9720)});
    ShowShadingLegend(legend_, state_.displayChoice);
}

void ResultWindow::buildActions()
{
    layoutButton_ = Button(this, "layoutButton", tr("部屋レイアウトに重ねて表示"));
    PlaceInDesignUnits(layoutButton_, 13200, 10680, 3255, 615);
    correctionButton_ = Button(this, "correctionButton", tr("実測値による補正"));
    PlaceInDesignUnits(correctionButton_, 13200, 11520, 2175, 615);
    closeButton_ = Button(this, "closeButton", tr("終了"));
    PlaceInDesignUnits(closeButton_, 15720, 11520, 735, 615);
    convertButton_ = Button(this, "convertButton", "OK");
    PlaceInDesignUnits(convertButton_, 360, 11400, 1575, 615);
    processButton_ = Button(this, "processButton", tr("データ処理"));
    PlaceInDesignUnits(processButton_, 2640, 11400, 1575, 615);
    RewriteIcon(this, 2040, 11520);
    // Under "OK" and "データ処理", whose conversion it reports.
    conversionStatusLabel_ = Caption(this, QString(), 0, 0, 0);
    conversionStatusLabel_->setObjectName("conversionStatusLabel");
    PlaceInDesignUnits(conversionStatusLabel_, 360, 12045, 3855, 315);
    // In the free strip between "散乱線量分布表示" and the maxima.
    imageSaveButton_ = Button(this, "imageSaveButton", tr("画像保存"));
    PlaceInDesignUnits(imageSaveButton_, 13200, 2040, 1500, 480);
    csvSaveButton_ = Button(this, "csvSaveButton", tr("CSV保存"));
    PlaceInDesignUnits(csvSaveButton_, 14880, 2040, 1500, 480);
    // Under the maxima, above the legend.
    reportSaveButton_ = Button(this, "reportSaveButton", tr("報告書保存"));
    PlaceInDesignUnits(reportSaveButton_, 14880, 4680, 1500, 480);
}

void ResultWindow::closeEvent(QCloseEvent* event)
{
    // Closing the window goes back like "終了", so that one window of the program stays shown.
    event->ignore();
    closeResults();
}

void ResultWindow::warn(const QString& text)
{
    platform_.ShowMessage(text, MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace brisca
