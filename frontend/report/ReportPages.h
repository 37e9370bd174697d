#pragma once

#include <QFont>
#include <QPdfWriter>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace brisca {

// The page machinery of the report: blocks that are never split (a heading, a paragraph, a
// figure, a table row) are laid out down A4 portrait pages between fixed margins, a table's
// header repeated above rows that open a page, and each page gets a footer with the result's
// name and "page n / N". Lengths are device units of the PDF writer (ReportDots per inch).

// Resolution of the report's coordinates, dots per inch.
inline constexpr int ReportDots = 300;

// Device units of `mm` millimetres.
constexpr double Mm(double mm) { return mm / 25.4 * ReportDots; }

// The report's font: the caption font of the pictures (IPA Gothic where installed) at a size
// in points, which the writer embeds.
QFont ReportFont(double points, bool bold = false);

// One block of a page, painted with its upper edge at `top`.
struct PageBlock {
    double height = 0.0;                              // device units, the space below it included
    std::function<void(QPainter&, double top)> paint; // draws the block
    bool keepWithNext = false;                 // a heading: goes to the next page with the block after it
    bool startsPage = false;                   // begins a new page unless it is first on one
    std::optional<std::size_t> repeatedHeader; // block painted again above this one when it opens a page
};

// Where a block landed.
struct BlockPlace {
    int page = 0;     // 0-based
    double top = 0.0; // device units from the page's upper edge
};

// The pages being made of one PDF writer.
class ReportPages {
public:
    // The writer is set to A4 portrait without margins at ReportDots; it must outlive this.
    explicit ReportPages(QPdfWriter& writer);

    // Left edge of the text column.
    double Left() const;
    // Width of the text column.
    double Width() const;
    // Page width.
    double PageWidth() const;
    // Page height.
    double PageHeight() const;
    // Height of `text` in `font` wrapped to `width` (word by word, Japanese between characters).
    double TextHeight(const QFont& font, double width, const QString& text) const;

    // Appends a block; returns its index.
    std::size_t Add(PageBlock block);
    // Lays out and paints every block, then the footers naming `footerName`; false when the
    // writer could not be painted on. Returns each block's place through `places`.
    bool Paint(const std::string& footerName, std::vector<BlockPlace>& places);

private:
    QPdfWriter& writer_;
    std::vector<PageBlock> blocks_;
};

} // namespace brisca
