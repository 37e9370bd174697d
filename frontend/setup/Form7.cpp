#include "setup/Form7.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "JapaneseFont.h"
#include "Twips.h"
#include "platform/Platform.h"

namespace brisca {

Form7::Form7(QWidget* parent) : QWidget(parent)
{
    setObjectName("Form7");
    setWindowTitle("readme.txt");
    resize(Twips(10800), Twips(9000));

    Label1 = new QLabel("readme.txt", this);
    Label1->setObjectName("Label1");
    QFont title = WindowFont(12);
    title.setBold(true);
    Label1->setFont(title);
    Label1->setGeometry(16, 10, 300, 28);

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setGeometry(16, 44, width() - 32, height() - 104);

    Command1 = new QPushButton("Close", this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(width() - 126, height() - 50, 110, 36);
    connect(Command1, &QPushButton::clicked, this, &Form7::Command1_Click);
}

void Form7::ShowReadme()
{
    List1->clear();
    QFile file("readme.txt");
    if (!file.open(QIODevice::ReadOnly)) {
        platform().MsgBox(
            " readme.txt を開けません: " + file.errorString() + " ", MsgButtons::Ok, MsgIcon::Warning);
        return;
    }
    // Lines end in CR LF or LF; the last line may have no line end at all.
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n')) line.chop(1);
        if (line.endsWith('\r')) line.chop(1);
        List1->addItem(QString::fromUtf8(line));
    }
    show();
    raise();
}

void Form7::Command1_Click() { hide(); }

} // namespace brisca
