#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace brisca {

class Platform;

// The readme viewer: one list item per line of readme.txt.
class ReadmeViewer : public QWidget {
    Q_OBJECT
public:
    // Builds the viewer hidden and empty.
    explicit ReadmeViewer(Platform& platform, QWidget* parent = nullptr);

    // Refills the list from readme.txt of the working directory and shows the viewer; a
    // missing file gives a warning and shows nothing.
    void showReadme();

protected:
    // Esc closes the viewer.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* titleLabel_;       // title "readme.txt"
    QListWidget* lineList_;    // the lines of the file
    QPushButton* closeButton_; // Close, which hides the viewer
    Platform& platform_;       // message box for a missing file
};

} // namespace brisca
