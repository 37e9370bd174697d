#include "setup/Form2.h"

#include <QCloseEvent>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "Forms.h"
#include "JapaneseFont.h"
#include "Module1.h"
#include "NumberText.h"
#include "PictureBox.h"
#include "Twips.h"
#include "platform/Platform.h"
#include "setup/Form7.h"

namespace brisca {

namespace {

// Key code of the Enter key in the key-down handlers.
constexpr int kEnterKeyCode = 13;

double ValOf(const QLineEdit* box) { return Val(box->text().toStdString()); }

QLineEdit* Entry(QWidget* parent, const char* name, int x, int y, int w, int h = 24)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(x, y, w, h);
    return box;
}

QRadioButton* Option(QWidget* parent, const char* name, const QString& caption, int x, int y, int w)
{
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    option->setGeometry(x, y, w, 24);
    return option;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(x, y, w, h);
    return button;
}

QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(x, y, w, h);
    return frame;
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

Form2::Form2(QWidget* parent) : QWidget(parent)
{
    setObjectName("Form2");
    setWindowTitle("Scattered dose distribution");
    setFixedSize(Twips(16515), Twips(12240));

    // The block boxes first, so that they lie beneath the controls.
    BlockBox(this, "StepGuideBox", 8, 76, 146, 732);
    BlockBox(this, "Step1Box", 162, 76, 930, 226);
    BlockBox(this, "Step2Box", 162, 310, 930, 250);
    BlockBox(this, "Step3Box", 162, 568, 930, 120);
    BuildTitle();
    BuildStepGuide();
    BuildStep1();
    BuildStep2();
    BuildStep3();
    BuildButtons();

    connect(Option1, &QRadioButton::clicked, this, &Form2::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &Form2::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &Form2::Option3_Click);
    connect(Option4, &QRadioButton::clicked, this, &Form2::Option4_Click);
    connect(Option7, &QRadioButton::clicked, this, &Form2::Option7_Click);
    connect(Option8, &QRadioButton::clicked, this, &Form2::Option8_Click);
    connect(Option9, &QRadioButton::clicked, this, &Form2::Option9_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2::Command5_Click);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    Text12->installEventFilter(this);
    Text6->installEventFilter(this);
}

QLabel* Form2::Caption(QWidget* parent, const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

void Form2::BuildTitle()
{
    Picture3 = new PictureBox(this);
    Picture3->setObjectName("Picture3");
    Picture3->setGeometry(168, 14, 36, 36);
    DrawIcon();

    // Each title is written twice, the grey copy offset down and right as its shadow.
    const auto shadowed = [this](const QString& text, const QFont& font, int x, int y, int w, int h) {
        QLabel* shadow = Caption(this, text, x + 3, y + 3, w, h);
        shadow->setFont(font);
        shadow->setStyleSheet("color: rgb(160, 160, 160);");
        QLabel* front = Caption(this, text, x, y, w, h);
        front->setFont(font);
        front->setStyleSheet("color: rgb(0, 0, 128);");
    };
    QFont product = WindowFont(26);
    product.setBold(true);
    product.setItalic(true);
    shadowed("Brisca", product, 216, 6, 190, 54);
    QFont title = WindowFont(20);
    title.setBold(true);
    shadowed("透視室内散乱線分布", title, 446, 12, 440, 44);
}

// A small tube-and-beam symbol; the icon is fixed and drawn once.
void Form2::DrawIcon()
{
    Picture3->SetScale(0, 0, 32, 32);
    Picture3->Cls();
    Picture3->SetFillStyle(FillStyle::Solid);
    Picture3->SetFillColor(QColor(255, 0, 0));
    Picture3->Circle(16, 8, 5, QColor(0, 0, 0));
    Picture3->SetFillStyle(FillStyle::Transparent);
    Picture3->Line(16, 13, 8, 26, QColor(255, 128, 0));
    Picture3->Line(16, 13, 24, 26, QColor(255, 128, 0));
    Picture3->BoxFilled(6, 26, 26, 29, QColor(0, 0, 128));
}

void Form2::BuildStepGuide()
{
    QFont heading = WindowFont(12);
    heading.setBold(true);
    Caption(this, "新規計算", 16, 86, 130, 26)->setFont(heading);
    Caption(this, "ステップ", 16, 114, 130, 22);
    Caption(this, "(1)", 16, 170, 130, 22);
    Caption(this, "幾何学的配置", 16, 192, 130, 22);
    Caption(this, "↓", 16, 260, 130, 22);
    Caption(this, "(2)", 16, 380, 130, 22);
    Caption(this, "照射条件設定", 16, 402, 130, 22);
    Caption(this, "↓", 16, 520, 130, 22);
    Caption(this, "(3)", 16, 590, 130, 22);
    Caption(this, "モンテカルロ", 16, 612, 130, 22);
    Caption(this, "シミュレーション", 16, 634, 130, 22);
    Caption(this, "↓", 16, 670, 130, 22);
    Caption(this, "(4)", 16, 712, 40, 22);
    QFont arrow = WindowFont(16);
    arrow.setBold(true);
    Caption(this, "→", 60, 706, 80, 32)->setFont(arrow);
}

void Form2::BuildStep1()
{
    Caption(this, "被照射体（ICRU軟部組織）", 172, 88, 250, 22);
    Caption(this, "（断面：レーストラック型）", 172, 112, 250, 22);

    // The phantom size, each dimension named underneath its number.
    const QFont sizeFont = WindowFont(11);
    const QString size = "60 × 30 × 20";
    const int sizeX = 184;
    Caption(this, size, sizeX, 146, 140, 26)->setFont(sizeFont);
    const QFontMetrics metrics(sizeFont);
    const int sizeEnd = sizeX + metrics.horizontalAdvance(size);
    const int unitWidth = QFontMetrics(WindowFont()).horizontalAdvance("cm");
    Caption(this, "cm", sizeEnd + 6, 149, unitWidth + 2, 22);
    QFont raised = WindowFont(7);
    Caption(this, "3", sizeEnd + 7 + unitWidth, 144, 10, 14)->setFont(raised);
    const auto centreUnder = [&](const QString& number, int offset, const QString& name, int w) {
        const int centre =
            sizeX + metrics.horizontalAdvance(size.left(offset)) + metrics.horizontalAdvance(number) / 2;
        Caption(this, name, centre - 22, 176, w, 20);
    };
    centreUnder("60", 0, "(長さ)", 46);
    centreUnder("30", 5, "(横幅)", 46);
    centreUnder("20", 10, "(厚さ)　一定", 96);

    Caption(this, "焦点-入射表面間距離", 440, 100, 220, 22);
    Caption(this, "FSD =", 440, 136, 50, 24);
    Text7 = Entry(this, "Text7", 492, 136, 60);
    Caption(this, "cm", 558, 136, 30, 24);

    Caption(this, "照射野サイズ at FSD", 680, 100, 240, 22);
    Text13 = Entry(this, "Text13", 690, 136, 60);
    Caption(this, "×", 756, 136, 16, 24);
    Text14 = Entry(this, "Text14", 776, 136, 60);
    Caption(this, "cm", 842, 136, unitWidth + 2, 24);
    Caption(this, "2", 843 + unitWidth, 131, 10, 14)->setFont(raised);
    Caption(this, "(長軸)", 698, 164, 60, 20);
    Caption(this, "(短軸)", 784, 164, 60, 20);

    Caption(this, "体位（照射方向） →", 440, 236, 170, 24);
    Frame3 = Frame(this, "Frame3", QString(), 612, 220, 400, 56);
    Option3 = Option(Frame3, "Option3", "臥位（垂直方向）", 16, 18, 180);
    Option4 = Option(Frame3, "Option4", "立位（水平方向）", 206, 18, 180);
}

void Form2::BuildStep2()
{
    Frame2 = Frame(this, "Frame2", "高電圧整流方式", 174, 324, 200, 140);
    Option7 = Option(Frame2, "Option7", "定電圧", 16, 34, 170);
    Option8 = Option(Frame2, "Option8", "三相12ピーク", 16, 66, 170);
    Option9 = Option(Frame2, "Option9", "単相全波", 16, 98, 170);

    // The voltage, angle and filter entries in one column: label, box, unit.
    struct Row {
        QLineEdit** box;
        const char* name;
        const char* label;
        const char* unit;
    };
    const Row rows[] = {{&Text1, "Text1", "Ｘ線管電圧", "kV"}, {&Text5, "Text5", "ターゲット角度", "degree"},
        {&Text2, "Text2", "固有ろ過（Al 当量）", "mmAL eq."}, {&Text3, "Text3", "アルミ付加フィルタ", "mm"},
        {&Text4, "Text4", "銅付加フィルタ", "mm"}};
    int y = 332;
    for (const Row& row : rows) {
        Caption(this, row.label, 392, y, 166, 24)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        *row.box = Entry(this, row.name, 564, y, 70);
        Caption(this, row.unit, 640, y, 86, 24);
        y += 42;
    }

    Frame1 = Frame(this, "Frame1", "Ｘ線管電流", 736, 318, 346, 236);
    Option1 = Option(Frame1, "Option1", "連続透視", 14, 26, 110);
    Option2 = Option(Frame1, "Option2", "パルス透視", 130, 26, 120);
    Caption(Frame1, "透視管電流", 14, 64, 104, 24);
    Text15 = Entry(Frame1, "Text15", 120, 64, 64);
    Caption(Frame1, "mA", 190, 64, 40, 24);
    Caption(Frame1, "パルスレート", 14, 100, 104, 24);
    Text12 = Entry(Frame1, "Text12", 120, 100, 64);
    Caption(Frame1, "fps", 190, 100, 40, 24);
    Caption(Frame1, "パルス幅", 14, 136, 104, 24);
    Text6 = Entry(Frame1, "Text6", 120, 136, 64);
    Caption(Frame1, "msec", 190, 136, 44, 24);
    Command5 = Button(Frame1, "Command5", "OK →", 244, 84, 90, 56);
    Caption(Frame1, "管電流", 14, 190, 104, 24);
    Text8 = Entry(Frame1, "Text8", 120, 190, 64);
    Caption(Frame1, "mA", 190, 190, 40, 24);
}

void Form2::BuildStep3()
{
    Caption(this, "入射光子数（ヒストリー）", 178, 580, 260, 22);
    Text9 = Entry(this, "Text9", 178, 610, 140, 26);
    Caption(this, "個 （１億個以上）", 326, 611, 170, 24);
    Caption(this, "結果保存ファイル名", 560, 580, 220, 22);
    Text10 = Entry(this, "Text10", 560, 610, 260, 26);
    Caption(this, ".dsr5", 826, 611, 50, 24);
    Caption(this, "（拡張子なしで入力）", 560, 642, 240, 22);
}

void Form2::BuildButtons()
{
    QFont large = WindowFont(12);
    large.setBold(true);
    Command1 = Button(this, "Command1", "計算スタート", 162, 698, 240, 50);
    Command1->setFont(large);
    Command2 = Button(this, "Command2", "計算結果 検索・表示", 162, 756, 240, 50);
    Command2->setFont(large);
    // Opens the result display, which this program does not have yet.
    Command2->setEnabled(false);
    Command3 = Button(this, "Command3", "readme.txt を読む", 800, 764, 170, 44);
    Command4 = Button(this, "Command4", "Exit", 984, 764, 108, 44);
    Command4->setToolTip("   bye   ");
}

void Form2::Form_Load()
{
    if (!LoadDataTables()) {
        platform().EndProgram(1);
        return;
    }
    Text1->setText("80");
    Text5->setText("12");
    Text2->setText("2.5");
    Text3->setText("1.5");
    Text4->setText("0");
    Option7->setChecked(true);
    module1().RectifierType = 1;
    Text9->setText("500000000");
    Text10->setText(platform().DateText() + "-臥位");
    Text7->setText("90");
    Text13->setText("20");
    Text14->setText("20");
    Option1->setChecked(true);
    Text12->setEnabled(false);
    Text6->setEnabled(false);
    Option3->setChecked(true);
    Text15->setText("1");
    Text12->clear();
    Text6->clear();
    Text8->setText("1");
}

void Form2::Option1_Click()
{
    Text12->setEnabled(false);
    Text6->setEnabled(false);
    Text8->setText(Text15->text());
    Command5->setFocus();
}

void Form2::Option2_Click()
{
    Text12->setEnabled(true);
    Text6->setEnabled(true);
    Text8->clear();
    Text12->setFocus();
}

void Form2::Option3_Click() { Text10->setText(platform().DateText() + "-臥位"); }

void Form2::Option4_Click() { Text10->setText(platform().DateText() + "-立位"); }

void Form2::Option7_Click() { module1().RectifierType = 1; }

void Form2::Option8_Click() { module1().RectifierType = 2; }

void Form2::Option9_Click() { module1().RectifierType = 3; }

void Form2::Text12_KeyDown(int KeyCode)
{
    if (KeyCode == kEnterKeyCode) Text6->setFocus();
}

void Form2::Text6_KeyDown(int KeyCode)
{
    if (KeyCode == kEnterKeyCode) Command5->setFocus();
}

void Form2::Command5_Click()
{
    if (Option1->isChecked()) {
        if (Text15->text().isEmpty()) {
            platform().Beep();
            platform().MsgBox("　管電流を入力してください　", MsgButtons::Ok, MsgIcon::Warning);
            return;
        }
        Text8->setText(Text15->text());
    } else if (Option2->isChecked()) {
        // Mean current: tube current (mA) × pulse rate (1/s) × pulse width (ms) / 1000.
        const double product = ValOf(Text15) * ValOf(Text12) * ValOf(Text6);
        if (product == 0.0) {
            platform().Beep();
            platform().MsgBox("　データを入力してください　", MsgButtons::Ok, MsgIcon::Warning);
            return;
        }
        Text8->setText(QString::fromStdString(PlainNumberText(product * 0.001)));
    }
}

void Form2::Command3_Click() { form7().ShowReadme(); }

void Form2::Command4_Click()
{
    DeleteFiles({"B2F.txt", "FLname.txt", "F2B.dat", "B_SPCTL.dat"});
    platform().EndProgram(0);
}

void Form2::Form_Unload()
{
    DeleteFiles({"B2F.txt", "B2F.dat", "F2B.dat", "FLname.txt", "B_SPCTL.dat"});
    platform().EndProgram(0);
}

void Form2::closeEvent(QCloseEvent* event)
{
    // After "Exit" the program is already ending and B2F.dat must stay.
    if (!platform().EndRequested()) Form_Unload();
    event->accept();
}

bool Form2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int code = key == Qt::Key_Return || key == Qt::Key_Enter ? kEnterKeyCode : key;
        if (watched == Text12) Text12_KeyDown(code);
        if (watched == Text6) Text6_KeyDown(code);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace brisca
