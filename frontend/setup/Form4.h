#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace brisca {

// Notice that a corrected result was saved; the caller puts the file name into Label2.
class Form4 : public QWidget {
    Q_OBJECT
public:
    // Builds the notice hidden, with an empty file name.
    explicit Form4(QWidget* parent = nullptr);

    // "OK": hides the notice.
    void Command1_Click();

    QLabel* Label1;        // "the corrected data"
    QLabel* Label2;        // the saved file's name
    QLabel* Label3;        // "has been saved"
    QPushButton* Command1; // OK
};

} // namespace brisca
