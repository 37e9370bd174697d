#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace brisca {

// Notice that a corrected result was saved; the caller puts the file name into fileNameLabel.
class SavedNotice : public QWidget {
    Q_OBJECT
public:
    // Builds the notice hidden, with an empty file name.
    explicit SavedNotice(QWidget* parent = nullptr);

    QLabel* introLabel;    // "the corrected data"
    QLabel* fileNameLabel; // the saved file's name
    QLabel* savedLabel;    // "has been saved"
    QPushButton* okButton; // OK, which hides the notice
};

} // namespace brisca
