#include "windows/SavedNotice.h"

#include <QLabel>
#include <QPushButton>

#include "windows/DesignUnits.h"
#include "windows/ScreenFit.h"

namespace brisca {

SavedNotice::SavedNotice(QWidget* parent) : QWidget(parent)
{
    setObjectName("savedNotice");
    setWindowTitle(tr("　ファイル保存"));
    setFixedSize(DesignToPixels(5400), DesignToPixels(2880));

    const auto line = [this](const char* name, const QString& text, int y) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setGeometry(24, y, width() - 48, 24);
        return label;
    };
    introLabel_ = line("introLabel", tr("補正したデータは"), 16);
    fileNameLabel_ = line("fileNameLabel", QString(), 48);
    fileNameLabel_->setAlignment(Qt::AlignCenter);
    savedLabel_ = line("savedLabel", tr("に保存しました。"), 80);
    savedLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    okButton_->setGeometry((width() - 100) / 2, height() - 52, 100, 34);
    connect(okButton_, &QPushButton::clicked, this, &QWidget::hide);
    FitOnScreen(*this, 5);
}

void SavedNotice::showSavedFile(const QString& name)
{
    fileNameLabel_->setText(name);
    show();
}

} // namespace brisca
