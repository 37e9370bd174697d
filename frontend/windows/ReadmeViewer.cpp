#include "windows/ReadmeViewer.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "logic/problem/Problem.h"
#include "logic/text/FreeFormatReader.h"
#include "platform/Platform.h"
#include "records/file_names.h"
#include "windows/DesignUnits.h"
#include "windows/JapaneseFont.h"
#include "windows/ScreenFit.h"

namespace brisca {

ReadmeViewer::ReadmeViewer(Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform)
{
    setObjectName("readmeViewer");
    setWindowTitle("readme.txt");
    resize(DesignToPixels(10800), DesignToPixels(9000));

    titleLabel_ = new QLabel("readme.txt", this);
    titleLabel_->setObjectName("titleLabel");
    QFont title = WindowFont(12);
    title.setBold(true);
    titleLabel_->setFont(title);
    titleLabel_->setGeometry(16, 10, 300, 28);

    lineList_ = new QListWidget(this);
    lineList_->setObjectName("lineList");
    lineList_->setGeometry(16, 44, width() - 32, height() - 104);

    closeButton_ = new QPushButton("Close", this);
    closeButton_->setObjectName("closeButton");
    closeButton_->setGeometry(width() - 126, height() - 50, 110, 36);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::hide);
    // Enter on the focused button presses it; Esc closes the viewer.
    closeButton_->setAutoDefault(true);
    FitOnScreen(*this, 1);
}

void ReadmeViewer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        closeButton_->click();
    else
        QWidget::keyPressEvent(event);
}

void ReadmeViewer::showReadme()
{
    lineList_->clear();
    const Expected<std::string> text = ReadTextFile(records::kReadmeFile);
    if (!text) {
        platform_.ShowMessage(" " + QString::fromStdString(MessageText(text.Failure())) + " ",
            MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    // Lines end in CR LF or LF; the last line may have no line end at all.
    const QByteArray bytes = QByteArray::fromStdString(*text);
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r')) line.chop(1);
        lineList_->addItem(QString::fromUtf8(line));
        start = end + 1;
    }
    show();
    raise();
}

} // namespace brisca
