#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace brisca {

// The readme viewer: one list item per line of readme.txt.
class Form7 : public QWidget {
    Q_OBJECT
public:
    // Builds the viewer hidden and empty.
    explicit Form7(QWidget* parent = nullptr);

    // Refills the list from readme.txt of the working directory and shows the viewer; a
    // missing file gives a warning and shows nothing.
    void ShowReadme();
    // "Close": hides the viewer.
    void Command1_Click();

    QLabel* Label1;        // title "readme.txt"
    QListWidget* List1;    // the lines of the file
    QPushButton* Command1; // Close
};

} // namespace brisca
