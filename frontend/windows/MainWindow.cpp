#include "windows/MainWindow.h"

#include <QCloseEvent>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>
#include <algorithm>
#include <filesystem>

#include "logic/AppState.h"
#include "logic/start/DataTables.h"
#include "logic/start/MeanTubeCurrent.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "records/file_names.h"
#include "windows/Controls.h"
#include "windows/CorrectionDialog.h"
#include "windows/DesignUnits.h"
#include "windows/JapaneseFont.h"
#include "windows/LayoutEditor.h"
#include "windows/OverlayWindow.h"
#include "windows/PictureBox.h"
#include "windows/ReadmeViewer.h"
#include "windows/ResultWindow.h"
#include "windows/RunsWindow.h"
#include "windows/SavedNotice.h"
#include "windows/ScreenFit.h"
#include "windows/SpectrumWindow.h"

namespace brisca {

namespace {

std::string TextOf(const QLineEdit* box) { return box->text().toStdString(); }

QPushButton* EnterButton(
    QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h)
{
    QPushButton* button = Button(parent, name, caption, x, y, w, h);
    // Enter presses a focused button, as Space does; the Enter chain of the pulse entries
    // ends on "OK →".
    button->setAutoDefault(true);
    return button;
}

// An empty framed label that draws the box around a block.
void BlockBox(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* box = new QLabel(parent);
    box->setObjectName(name);
    box->setFrameShape(QFrame::Box);
    box->setGeometry(x, y, w, h);
}

// Deletes files of the working directory in the given order; a missing or locked file is
// skipped and the others are still deleted.
void DeleteFiles(std::initializer_list<const char*> names)
{
    for (const char* name : names) QFile::remove(QString::fromUtf8(name));
}

} // namespace

MainWindow::MainWindow(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform),
      readmeViewer_(std::make_unique<ReadmeViewer>(platform)),
      overlayWindow_(std::make_unique<OverlayWindow>(state, platform)),
      resultWindow_(std::make_unique<ResultWindow>(state, platform, *this)),
      layoutEditor_(std::make_unique<LayoutEditor>(state, platform)),
      savedNotice_(std::make_unique<SavedNotice>()),
      correctionDialog_(std::make_unique<CorrectionDialog>(state, platform)),
      runsWindow_(std::make_unique<RunsWindow>(platform))
{
    // The windows share the display choice and the displayed result through the state; each
    // announces what it changed, and the others show it.
    connect(
        resultWindow_.get(), &ResultWindow::layoutEditorRequested, layoutEditor_.get(), &LayoutEditor::open);
    connect(resultWindow_.get(), &ResultWindow::correctionRequested, correctionDialog_.get(),
        &CorrectionDialog::open);
    connect(resultWindow_.get(), &ResultWindow::displayChoiceChanged, overlayWindow_.get(),
        &OverlayWindow::showDisplayChoice);
    connect(overlayWindow_.get(), &OverlayWindow::displayChoiceChanged, resultWindow_.get(),
        &ResultWindow::showDisplayChoice);
    connect(correctionDialog_.get(), &CorrectionDialog::correctedFileSaved, resultWindow_.get(),
        &ResultWindow::showCorrectedFile);
    connect(correctionDialog_.get(), &CorrectionDialog::correctedFileSaved, savedNotice_.get(),
        &SavedNotice::showSavedFile);
    connect(layoutEditor_.get(), &LayoutEditor::distributionRequested, overlayWindow_.get(),
        [this] { overlayWindow_->showDistribution(*layoutEditor_); });
    connect(layoutEditor_.get(), &LayoutEditor::layoutNamed, overlayWindow_.get(),
        &OverlayWindow::showLayoutName);
    connect(
        layoutEditor_.get(), &LayoutEditor::pointsReplaced, overlayWindow_.get(), &OverlayWindow::showPoints);
    // A finished run's result joins the list of an open result window at once.
    connect(runsWindow_.get(), &RunsWindow::runFinished, resultWindow_.get(), &ResultWindow::refreshFileList);
    connect(runsWindow_.get(), &RunsWindow::resultRequested, this, &MainWindow::showRunResult);
    setObjectName("mainWindow");
    setWindowTitle("Scattered dose distribution");
    setFixedSize(DesignToPixels(16515), DesignToPixels(12240));

    // The block boxes first, so that they lie beneath the controls.
    BlockBox(this, "StepGuideBox", 8, 76, 146, 732);
    BlockBox(this, "Step1Box", 162, 76, 930, 226);
    BlockBox(this, "Step2Box", 162, 310, 930, 250);
    BlockBox(this, "Step3Box", 162, 568, 930, 120);
    buildTitle();
    buildStepGuide();
    buildStep1();
    buildStep2();
    buildStep3();
    buildButtons();
    buildSpectrumView();

    connect(continuousOption_, &QRadioButton::clicked, this, &MainWindow::chooseContinuous);
    connect(pulsedOption_, &QRadioButton::clicked, this, &MainWindow::choosePulsed);
    connect(supineOption_, &QRadioButton::clicked, this, &MainWindow::chooseSupine);
    connect(standingOption_, &QRadioButton::clicked, this, &MainWindow::chooseStanding);
    connect(meanCurrentButton_, &QPushButton::clicked, this, &MainWindow::computeMeanCurrent);
    connect(startButton_, &QPushButton::clicked, this, &MainWindow::startCalculation);
    connect(resultsButton_, &QPushButton::clicked, this, &MainWindow::showResults);
    connect(readmeButton_, &QPushButton::clicked, this, &MainWindow::showReadme);
    connect(exitButton_, &QPushButton::clicked, this, &MainWindow::exitProgram);
    // Enter walks the pulse entries on to "OK →".
    connect(pulseRateEdit_, &QLineEdit::returnPressed, pulseWidthEdit_, qOverload<>(&QWidget::setFocus));
    connect(pulseWidthEdit_, &QLineEdit::returnPressed, meanCurrentButton_, qOverload<>(&QWidget::setFocus));
    FitOnScreen(*this, 0);
}

MainWindow::~MainWindow() = default;

QLabel* MainWindow::caption(QWidget* parent, const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

void MainWindow::buildTitle()
{
    iconView_ = new PictureBox(this);
    iconView_->setObjectName("iconView");
    iconView_->setGeometry(168, 14, 36, 36);
    drawIcon();

    // Each title is written twice, the grey copy offset down and right as its shadow.
    const auto shadowed = [this](const QString& text, const QFont& font, int x, int y, int w, int h) {
        QLabel* shadow = caption(this, text, x + 3, y + 3, w, h);
        shadow->setFont(font);
        shadow->setStyleSheet("color: rgb(160, 160, 160);");
        QLabel* front = caption(this, text, x, y, w, h);
        front->setFont(font);
        front->setStyleSheet("color: rgb(0, 0, 128);");
    };
    QFont product = WindowFont(26);
    product.setBold(true);
    product.setItalic(true);
    shadowed("Brisca", product, 216, 6, 190, 54);
    QFont title = WindowFont(20);
    title.setBold(true);
    shadowed(tr("透視室内散乱線分布"), title, 446, 12, 440, 44);
}

// A small tube-and-beam symbol; the icon is fixed and drawn once.
void MainWindow::drawIcon()
{
    iconView_->setScale(0, 0, 32, 32);
    iconView_->clear();
    UserScaleCanvas canvas = iconView_->canvas();
    canvas.SetSolidFill(true);
    canvas.SetFillColor(QColor(255, 0, 0));
    canvas.Circle(16, 8, 5, QColor(0, 0, 0));
    canvas.SetSolidFill(false);
    canvas.Line(16, 13, 8, 26, QColor(255, 128, 0));
    canvas.Line(16, 13, 24, 26, QColor(255, 128, 0));
    canvas.FilledBox(6, 26, 27, 30, QColor(0, 0, 128));
    iconView_->update();
}

void MainWindow::buildStepGuide()
{
    QFont heading = WindowFont(12);
    heading.setBold(true);
    caption(this, tr("新規計算"), 16, 86, 130, 26)->setFont(heading);
    caption(this, tr("ステップ"), 16, 114, 130, 22);
    caption(this, "(1)", 16, 170, 130, 22);
    caption(this, tr("幾何学的配置"), 16, 192, 130, 22);
    caption(this, "↓", 16, 260, 130, 22);
    caption(this, "(2)", 16, 380, 130, 22);
    caption(this, tr("照射条件設定"), 16, 402, 130, 22);
    caption(this, "↓", 16, 520, 130, 22);
    caption(this, "(3)", 16, 590, 130, 22);
    caption(this, tr("モンテカルロ"), 16, 612, 130, 22);
    caption(this, tr("シミュレーション"), 16, 634, 130, 22);
    caption(this, "↓", 16, 670, 130, 22);
    caption(this, "(4)", 16, 712, 40, 22);
    QFont arrow = WindowFont(16);
    arrow.setBold(true);
    caption(this, "→", 60, 706, 80, 32)->setFont(arrow);
}

void MainWindow::buildStep1()
{
    caption(this, tr("被照射体（ICRU軟部組織）"), 172, 88, 250, 22);
    caption(this, tr("（断面：レーストラック型）"), 172, 112, 250, 22);

    // The phantom size, each dimension named underneath its number.
    const QFont sizeFont = WindowFont(11);
    const QString size = "60 × 30 × 20";
    const int sizeX = 184;
    caption(this, size, sizeX, 146, 140, 26)->setFont(sizeFont);
    const QFontMetrics metrics(sizeFont);
    const int sizeEnd = sizeX + metrics.horizontalAdvance(size);
    const int unitWidth = QFontMetrics(WindowFont()).horizontalAdvance("cm");
    caption(this, "cm", sizeEnd + 6, 149, unitWidth + 2, 22);
    QFont raised = WindowFont(7);
    caption(this, "3", sizeEnd + 7 + unitWidth, 144, 10, 14)->setFont(raised);
    const auto centreUnder = [&](const QString& number, int offset, const QString& name, int w) {
        const int centre =
            sizeX + metrics.horizontalAdvance(size.left(offset)) + metrics.horizontalAdvance(number) / 2;
        caption(this, name, centre - 22, 176, w, 20);
    };
    centreUnder("60", 0, tr("(長さ)"), 46);
    centreUnder("30", 5, tr("(横幅)"), 46);
    centreUnder("20", 10, tr("(厚さ)　一定"), 96);

    caption(this, tr("焦点-入射表面間距離"), 440, 100, 220, 22);
    caption(this, "FSD =", 440, 136, 50, 24);
    fsdEdit_ = Entry(this, "fsdEdit", 492, 136, 60);
    caption(this, "cm", 558, 136, 30, 24);

    caption(this, tr("照射野サイズ at FSD"), 680, 100, 240, 22);
    fieldLongEdit_ = Entry(this, "fieldLongEdit", 690, 136, 60);
    caption(this, "×", 756, 136, 16, 24);
    fieldShortEdit_ = Entry(this, "fieldShortEdit", 776, 136, 60);
    caption(this, "cm", 842, 136, unitWidth + 2, 24);
    caption(this, "2", 843 + unitWidth, 131, 10, 14)->setFont(raised);
    caption(this, tr("(長軸)"), 698, 164, 60, 20);
    caption(this, tr("(短軸)"), 784, 164, 60, 20);

    caption(this, tr("体位（照射方向） →"), 440, 236, 170, 24);
    positionGroup_ = Frame(this, "positionGroup", QString(), 612, 220, 400, 56);
    supineOption_ = Option(positionGroup_, "supineOption", tr("臥位（垂直方向）"), 16, 18, 180);
    standingOption_ = Option(positionGroup_, "standingOption", tr("立位（水平方向）"), 206, 18, 180);
}

void MainWindow::buildStep2()
{
    rectificationGroup_ = Frame(this, "rectificationGroup", tr("高電圧整流方式"), 174, 324, 200, 140);
    constantPotentialOption_ =
        Option(rectificationGroup_, "constantPotentialOption", tr("定電圧"), 16, 34, 170);
    threePhaseOption_ = Option(rectificationGroup_, "threePhaseOption", tr("三相12ピーク"), 16, 66, 170);
    singlePhaseOption_ = Option(rectificationGroup_, "singlePhaseOption", tr("単相全波"), 16, 98, 170);

    // The voltage, angle and filter entries in one column: label, box, unit.
    struct Row {
        QLineEdit** box;
        const char* name;
        QString label;
        const char* unit;
    };
    const Row rows[] = {{&tubeVoltageEdit_, "tubeVoltageEdit", tr("Ｘ線管電圧"), "kV"},
        {&targetAngleEdit_, "targetAngleEdit", tr("ターゲット角度"), "degree"},
        {&inherentFiltrationEdit_, "inherentFiltrationEdit", tr("固有ろ過（Al 当量）"), "mmAL eq."},
        {&aluminiumFilterEdit_, "aluminiumFilterEdit", tr("アルミ付加フィルタ"), "mm"},
        {&copperFilterEdit_, "copperFilterEdit", tr("銅付加フィルタ"), "mm"}};
    int y = 332;
    for (const Row& row : rows) {
        caption(this, row.label, 392, y, 166, 24)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        *row.box = Entry(this, row.name, 564, y, 70);
        caption(this, row.unit, 640, y, 86, 24);
        y += 42;
    }

    tubeCurrentGroup_ = Frame(this, "tubeCurrentGroup", tr("Ｘ線管電流"), 736, 318, 346, 236);
    continuousOption_ = Option(tubeCurrentGroup_, "continuousOption", tr("連続透視"), 14, 26, 110);
    pulsedOption_ = Option(tubeCurrentGroup_, "pulsedOption", tr("パルス透視"), 130, 26, 120);
    caption(tubeCurrentGroup_, tr("透視管電流"), 14, 64, 104, 24);
    tubeCurrentEdit_ = Entry(tubeCurrentGroup_, "tubeCurrentEdit", 120, 64, 64);
    caption(tubeCurrentGroup_, "mA", 190, 64, 40, 24);
    caption(tubeCurrentGroup_, tr("パルスレート"), 14, 100, 104, 24);
    pulseRateEdit_ = Entry(tubeCurrentGroup_, "pulseRateEdit", 120, 100, 64);
    caption(tubeCurrentGroup_, "fps", 190, 100, 40, 24);
    caption(tubeCurrentGroup_, tr("パルス幅"), 14, 136, 104, 24);
    pulseWidthEdit_ = Entry(tubeCurrentGroup_, "pulseWidthEdit", 120, 136, 64);
    caption(tubeCurrentGroup_, "msec", 190, 136, 44, 24);
    meanCurrentButton_ = EnterButton(tubeCurrentGroup_, "meanCurrentButton", "OK →", 244, 84, 90, 56);
    caption(tubeCurrentGroup_, tr("管電流"), 14, 190, 104, 24);
    meanCurrentEdit_ = Entry(tubeCurrentGroup_, "meanCurrentEdit", 120, 190, 64);
    caption(tubeCurrentGroup_, "mA", 190, 190, 40, 24);
}

void MainWindow::buildStep3()
{
    caption(this, tr("入射光子数（ヒストリー）"), 178, 580, 260, 22);
    historiesEdit_ = Entry(this, "historiesEdit", 178, 610, 140, 26);
    caption(this, tr("個 （１億個以上）"), 326, 611, 170, 24);
    caption(this, tr("結果保存ファイル名"), 560, 580, 220, 22);
    resultNameEdit_ = Entry(this, "resultNameEdit", 560, 610, 260, 26);
    caption(this, ".dsr5", 826, 611, 50, 24);
    caption(this, tr("（拡張子なしで入力）"), 560, 642, 240, 22);
    caption(this, tr("目標精度"), 178, 646, 80, 24);
    precisionEdit_ = Entry(this, "precisionEdit", 262, 646, 56, 26);
    precisionEdit_->setToolTip(
        tr("関心領域の相対誤差がこの % に達したら計算を終えます（空欄: 指定なし）。"
           "並列モードで計算し、使用するコア数が 1 でも 1 スレッドの並列モードになります"));
    caption(this, tr("%（空欄: 指定なし）"), 326, 647, 170, 24);
}

void MainWindow::buildButtons()
{
    QFont large = WindowFont(12);
    large.setBold(true);
    startButton_ = EnterButton(this, "startButton", tr("計算スタート"), 162, 698, 240, 50);
    startButton_->setFont(large);
    resultsButton_ = EnterButton(this, "resultsButton", tr("計算結果 検索・表示"), 162, 756, 240, 50);
    resultsButton_->setFont(large);
    readmeButton_ = EnterButton(this, "readmeButton", tr("readme.txt を読む"), 800, 764, 170, 44);
    exitButton_ = EnterButton(this, "exitButton", "Exit", 984, 764, 108, 44);
    exitButton_->setToolTip("   bye   ");
    caption(this, tr("使用するコア数"), 420, 712, 140, 24);
    coresBox_ = new QSpinBox(this);
    coresBox_->setObjectName("coresBox");
    coresBox_->setGeometry(560, 708, 70, 30);
    coresBox_->setRange(1, std::max(1, QThread::idealThreadCount()));
    coresBox_->setValue(coresBox_->maximum());
    coresBox_->setToolTip(tr("2 以上: 並列モード（どのコア数でも同じ結果）。1: 従来の 1 本の乱数列"));
}

void MainWindow::loadTablesAndDefaults()
{
    Expected<DataTables> tables = ReadDataTables(std::filesystem::current_path());
    if (!tables) {
        warn(QString::fromStdString(MessageText(tables.Failure())));
        platform_.EndProgram(1);
        return;
    }
    state_.tables = std::move(*tables);
    tubeVoltageEdit_->setText("80");
    targetAngleEdit_->setText("12");
    inherentFiltrationEdit_->setText("2.5");
    aluminiumFilterEdit_->setText("1.5");
    copperFilterEdit_->setText("0");
    constantPotentialOption_->setChecked(true);
    historiesEdit_->setText("500000000");
    resultNameEdit_->setText(platform_.DateText() + "-臥位");
    fsdEdit_->setText("90");
    fieldLongEdit_->setText("20");
    fieldShortEdit_->setText("20");
    continuousOption_->setChecked(true);
    pulseRateEdit_->setEnabled(false);
    pulseWidthEdit_->setEnabled(false);
    supineOption_->setChecked(true);
    tubeCurrentEdit_->setText("1");
    pulseRateEdit_->clear();
    pulseWidthEdit_->clear();
    meanCurrentEdit_->setText("1");
}

void MainWindow::chooseContinuous()
{
    pulseRateEdit_->setEnabled(false);
    pulseWidthEdit_->setEnabled(false);
    meanCurrentEdit_->setText(tubeCurrentEdit_->text());
    meanCurrentButton_->setFocus();
}

void MainWindow::choosePulsed()
{
    pulseRateEdit_->setEnabled(true);
    pulseWidthEdit_->setEnabled(true);
    meanCurrentEdit_->clear();
    pulseRateEdit_->setFocus();
}

void MainWindow::chooseSupine() { resultNameEdit_->setText(platform_.DateText() + "-臥位"); }

void MainWindow::chooseStanding() { resultNameEdit_->setText(platform_.DateText() + "-立位"); }

void MainWindow::computeMeanCurrent()
{
    if (!continuousOption_->isChecked() && !pulsedOption_->isChecked()) return;
    const Expected<std::string> mean =
        continuousOption_->isChecked()
            ? ContinuousMeanCurrent(TextOf(tubeCurrentEdit_))
            : PulsedMeanCurrent(TextOf(tubeCurrentEdit_), TextOf(pulseRateEdit_), TextOf(pulseWidthEdit_));
    if (!mean) {
        platform_.Beep();
        warn(QString::fromStdString(MessageText(mean.Failure())));
        return;
    }
    meanCurrentEdit_->setText(QString::fromStdString(*mean));
}

void MainWindow::showResults()
{
    resultWindow_->reset();
    resultWindow_->show();
    overlayWindow_->reset();
    hide();
}

void MainWindow::showReadme() { readmeViewer_->showReadme(); }

void MainWindow::exitProgram()
{
    if (!settleRuns()) return;
    DeleteFiles({records::kJobFile, records::kListFile, records::kRefinedGridFile, records::kSpectrumFile});
    platform_.EndProgram(0);
}

void MainWindow::closeProgram()
{
    DeleteFiles({records::kJobFile, records::kLegacyJobFile, records::kRefinedGridFile, records::kListFile,
        records::kSpectrumFile});
    platform_.EndProgram(0);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // After "Exit" the program is already ending and B2F.dat must stay.
    if (!platform_.EndRequested()) {
        if (!settleRuns()) {
            event->ignore();
            return;
        }
        closeProgram();
    }
    event->accept();
}

bool MainWindow::settleRuns()
{
    const std::size_t running = runsWindow_->runningCount();
    if (running == 0) return true;
    const MessageAnswer answer =
        platform_.ShowMessage(tr(" 実行中の計算が %1 件あります。計算を中止しますか？ \n"
                                 "はい: 中止して終了　いいえ: 計算を続けたまま終了　"
                                 "キャンセル: 終了しない")
                                  .arg(running),
            MessageButtons::YesNoCancel, MessageIcon::Warning);
    if (answer == MessageAnswer::Cancel) return false;
    if (answer == MessageAnswer::Yes) runsWindow_->stopAll();
    // Engines left running go on and write their results without this program.
    runsWindow_->close();
    return true;
}

void MainWindow::showRunResult(const QString& resultFile)
{
    showResults();
    resultWindow_->showResult(resultFile);
}

void MainWindow::warn(const QString& text)
{
    platform_.ShowMessage(text, MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace brisca
