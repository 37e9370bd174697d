#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace brisca {

// Notice that a corrected result was saved, naming the file.
class SavedNotice : public QWidget {
    Q_OBJECT
public:
    // Builds the notice hidden, with an empty file name.
    explicit SavedNotice(QWidget* parent = nullptr);

    // Shows the notice naming the saved file.
    void showSavedFile(const QString& name);

private:
    QLabel* introLabel_;    // "the corrected data"
    QLabel* fileNameLabel_; // the saved file's name
    QLabel* savedLabel_;    // "has been saved"
    QPushButton* okButton_; // OK, which hides the notice
};

} // namespace brisca
