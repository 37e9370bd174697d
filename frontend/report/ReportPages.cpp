#include "report/ReportPages.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>

#include "drawing/CaptionFont.h"

namespace brisca {

namespace {

constexpr double SideMargin = 15.0;   // mm, left and right
constexpr double TopMargin = 15.0;    // mm
constexpr double BottomMargin = 20.0; // mm, above it the footer's rule
constexpr double FooterRule = 15.0;   // mm from the bottom edge
constexpr double FooterText = 13.5;   // mm from the bottom edge to the footer text's top
constexpr double FooterHeight = 5.0;  // mm

} // namespace

QFont ReportFont(double points, bool bold)
{
    QFont font = CaptionFont(12, bold);
    font.setPointSizeF(points);
    return font;
}

ReportPages::ReportPages(QPdfWriter& writer) : writer_(writer)
{
    writer_.setResolution(ReportDots);
    writer_.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

double ReportPages::Left() const { return Mm(SideMargin); }

double ReportPages::Width() const { return PageWidth() - 2.0 * Mm(SideMargin); }

double ReportPages::PageWidth() const { return writer_.width(); }

double ReportPages::PageHeight() const { return writer_.height(); }

double ReportPages::TextHeight(const QFont& font, double width, const QString& text) const
{
    const QFontMetricsF metrics(font, &writer_);
    return metrics.boundingRect(QRectF(0, 0, width, 1e7), Qt::AlignLeft | Qt::TextWordWrap, text).height();
}

std::size_t ReportPages::Add(PageBlock block)
{
    blocks_.push_back(std::move(block));
    return blocks_.size() - 1;
}

bool ReportPages::Paint(const std::string& footerName, std::vector<BlockPlace>& places)
{
    // Lay out first, so that each footer can give the number of pages.
    struct Placed {
        std::size_t block;
        double top;
    };
    std::vector<std::vector<Placed>> pages(1);
    const double top = Mm(TopMargin);
    const double bottom = PageHeight() - Mm(BottomMargin);
    double y = top;
    places.assign(blocks_.size(), {});
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        const PageBlock& block = blocks_[i];
        if (block.startsPage && !pages.back().empty()) {
            pages.emplace_back();
            y = top;
        }
        double needed = block.height;
        for (std::size_t j = i; j + 1 < blocks_.size() && blocks_[j].keepWithNext; ++j)
            needed += blocks_[j + 1].height;
        if (y + needed > bottom && !pages.back().empty()) {
            pages.emplace_back();
            y = top;
        }
        if (pages.back().empty() && block.repeatedHeader) {
            pages.back().push_back({*block.repeatedHeader, y});
            y += blocks_[*block.repeatedHeader].height;
        }
        pages.back().push_back({i, y});
        places[i] = {static_cast<int>(pages.size()) - 1, y};
        y += block.height;
    }

    QPainter painter;
    if (!painter.begin(&writer_)) return false;
    // Maps keep their exact colours: the images are stored losslessly, not as JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::Antialiasing);
    const QString name = QString::fromStdString(footerName);
    const QString count = QString::number(pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0) writer_.newPage();
        for (const Placed& placed : pages[p]) {
            painter.save();
            blocks_[placed.block].paint(painter, placed.top);
            painter.restore();
        }
        painter.setPen(QPen(QColor(150, 150, 150), Mm(0.2)));
        const double rule = PageHeight() - Mm(FooterRule);
        painter.drawLine(QPointF(Left(), rule), QPointF(Left() + Width(), rule));
        painter.setPen(Qt::black);
        painter.setFont(ReportFont(8));
        const QRectF footer(Left(), PageHeight() - Mm(FooterText), Width(), Mm(FooterHeight));
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, name);
        painter.drawText(
            footer, Qt::AlignRight | Qt::AlignVCenter, QString::number(p + 1) + " / " + count + " ページ");
    }
    return painter.end();
}

} // namespace brisca
