#include "setup/Form4.h"

#include <QLabel>
#include <QPushButton>

#include "Twips.h"

namespace brisca {

Form4::Form4(QWidget* parent) : QWidget(parent)
{
    setObjectName("Form4");
    setWindowTitle("　ファイル保存");
    setFixedSize(Twips(5400), Twips(2880));

    const auto line = [this](const char* name, const QString& text, int y) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setGeometry(24, y, width() - 48, 24);
        return label;
    };
    Label1 = line("Label1", "補正したデータは", 16);
    Label2 = line("Label2", QString(), 48);
    Label2->setAlignment(Qt::AlignCenter);
    Label3 = line("Label3", "に保存しました。", 80);
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Command1 = new QPushButton("OK", this);
    Command1->setObjectName("Command1");
    Command1->setGeometry((width() - 100) / 2, height() - 52, 100, 34);
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
}

void Form4::Command1_Click() { hide(); }

} // namespace brisca
