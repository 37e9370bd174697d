#include "report/ReportPdf.h"

#include <QBuffer>
#include <QPainter>
#include <algorithm>

#include "drawing/DistributionMap.h"
#include "drawing/ResultPicture.h"
#include "logic/files/AtomicWrite.h"
#include "logic/room/GridPlace.h"
#include "logic/text/NumberText.h"
#include "report/ReportPages.h"
#include "report/ReportTexts.h"

namespace brisca {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

const QColor RuleColour(150, 150, 150);
const QColor NoteColour(70, 70, 70);
const QColor TableHeaderFill(232, 232, 232);
const QColor PassColour(0, 128, 0);
const QColor FailColour(200, 0, 0);

constexpr double BodyPoints = 9.5;
constexpr double NotePoints = 8.5;
constexpr double TablePoints = 7.5;
constexpr double LegendPoints = 8.0;
constexpr double ParagraphGap = 1.5;     // mm below a paragraph
constexpr double CellPadding = 1.0;      // mm inside a table cell
constexpr double LegendTextWidth = 20.0; // mm of threshold text beside the strip
constexpr double TildeWidth = 4.0;       // mm

// Widths of the points table's columns, mm; they fill the 180 mm text column.
constexpr std::array<double, PointColumnCount> PointColumnWidths = {
    24, 13, 13, 12, 19, 16, 13, 15, 15, 12, 13, 15};

// The name and the barrier read from the left, the height and the status are centred, the
// numbers line up on the right.
int PointColumnAlignment(int column)
{
    if (column == 0 || column == 4) return Qt::AlignLeft | Qt::AlignVCenter;
    if (column == 1 || column == 10) return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignRight | Qt::AlignVCenter;
}

// Height of the legend strip drawn `width` wide.
double LegendHeight(double width) { return width * LegendImageHeight / LegendImageWidth; }

// The legend strip `width` wide at (x, y) with each threshold beside its box, as the saved
// pictures show it.
void PaintLegend(QPainter& painter, double x, double y, double width, const Thresholds& thresholds)
{
    QImage strip(LegendImageWidth, LegendImageHeight, QImage::Format_RGB32);
    PaintLegendStrip(strip);
    const double height = LegendHeight(width);
    painter.drawImage(QRectF(x, y, width, height), strip);
    painter.setFont(ReportFont(LegendPoints));
    painter.setPen(Qt::black);
    for (int n = 1; n <= 11; ++n) {
        const double top = y + height * (n - 1) / 11.0;
        const QRectF box(x + width + Mm(1), top, Mm(LegendTextWidth), height / 11.0);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, Q(PlainNumberText(thresholds[n])));
        painter.drawText(QRectF(box.right() + Mm(1), top, Mm(TildeWidth), box.height()),
            Qt::AlignLeft | Qt::AlignVCenter, "～");
    }
}

// The picture without the white margins around what is drawn on it, but for a few pixels: the
// overlay's square leaves the room a wide margin that would only shrink it on the page.
QImage TrimmedToContent(const QImage& picture)
{
    constexpr int Margin = 8;
    const QRgb white = qRgb(255, 255, 255);
    int left = picture.width(), right = -1, top = picture.height(), bottom = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != white) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return picture;
    return picture.copy(QRect(QPoint(left - Margin, top - Margin), QPoint(right + Margin, bottom + Margin))
                            .intersected(picture.rect()));
}

// Width the legend takes: strip, threshold texts and the tilde.
double LegendWidth(double stripWidth) { return stripWidth + Mm(2 + LegendTextWidth + TildeWidth); }

// Lays the report's sections out as blocks on its pages.
class ReportBuilder {
public:
    ReportBuilder(ReportPages& pages, const ReportInputs& inputs) : pages_(pages), in_(inputs) { }

    void Build()
    {
        Title();
        Conditions();
        Beam();
        Method();
        Maps();
        if (in_.room) {
            Overlay();
            if (!in_.room->doses.empty() && in_.room->doses.size() == in_.room->points.size()) {
                PointsTable();
                Workload();
            }
        }
    }

    // The pictures' places on their pages, once the pages are laid out.
    std::vector<PlacedPicture> Placed(const std::vector<BlockPlace>& places) const
    {
        std::vector<PlacedPicture> placed;
        for (const Picture& picture : pictures_) {
            const BlockPlace& place = places[picture.block];
            const QRectF area = picture.inBlock.translated(0, place.top);
            placed.push_back({picture.picture, picture.layer, place.page + 1,
                QRectF(area.x() / pages_.PageWidth(), area.y() / pages_.PageHeight(),
                    area.width() / pages_.PageWidth(), area.height() / pages_.PageHeight())});
        }
        return placed;
    }

private:
    // A picture in a block, its rectangle with y from the block's top.
    struct Picture {
        std::size_t block;
        ReportPicture picture;
        HeightLayer layer;
        QRectF inBlock;
    };

    double Left() const { return pages_.Left(); }
    double Width() const { return pages_.Width(); }

    void Heading(const std::string& text, bool startsPage = false)
    {
        const QString heading = QString::number(++section_) + ". " + Q(text);
        const QFont font = ReportFont(12, true);
        const double textHeight = pages_.TextHeight(font, Width(), heading);
        const double above = Mm(4);
        PageBlock block;
        block.height = above + textHeight + Mm(3);
        block.keepWithNext = true;
        block.startsPage = startsPage;
        block.paint = [this, heading, font, above, textHeight](QPainter& painter, double top) {
            painter.setFont(font);
            painter.drawText(
                QRectF(Left(), top + above, Width(), textHeight), Qt::AlignLeft | Qt::TextWordWrap, heading);
            painter.setPen(QPen(RuleColour, Mm(0.25)));
            const double rule = top + above + textHeight + Mm(0.8);
            painter.drawLine(QPointF(Left(), rule), QPointF(Left() + Width(), rule));
        };
        pages_.Add(std::move(block));
    }

    // A paragraph; `keepWithNext` keeps it on the page of the block after it.
    void Paragraph(
        const std::string& text, double points, const QColor& colour = Qt::black, bool keepWithNext = false)
    {
        const QFont font = ReportFont(points);
        const QString paragraph = Q(text);
        const double height = pages_.TextHeight(font, Width(), paragraph);
        PageBlock block;
        block.height = height + Mm(ParagraphGap);
        block.keepWithNext = keepWithNext;
        block.paint = [this, font, paragraph, height, colour](QPainter& painter, double top) {
            painter.setFont(font);
            painter.setPen(colour);
            painter.drawText(
                QRectF(Left(), top, Width(), height), Qt::AlignLeft | Qt::TextWordWrap, paragraph);
        };
        pages_.Add(std::move(block));
    }

    // Empty space of `height` device units.
    void Space(double height)
    {
        PageBlock block;
        block.height = height;
        block.paint = [](QPainter&, double) {};
        pages_.Add(std::move(block));
    }

    // Rows of a label and its value, the labels in a column `labelWidth` wide.
    void LabelledRows(const std::vector<std::pair<std::string, std::string>>& rows, double labelWidth)
    {
        const QFont font = ReportFont(BodyPoints);
        const double valueWidth = Width() - labelWidth;
        for (const auto& [label, value] : rows) {
            const QString labelText = Q(label), valueText = Q(value);
            const double height = std::max(pages_.TextHeight(font, labelWidth - Mm(2), labelText),
                pages_.TextHeight(font, valueWidth, valueText));
            PageBlock block;
            block.height = height + Mm(1.2);
            block.paint = [this, font, labelText, valueText, labelWidth, valueWidth, height](
                              QPainter& painter, double top) {
                painter.setFont(font);
                painter.setPen(NoteColour);
                painter.drawText(QRectF(Left(), top, labelWidth - Mm(2), height),
                    Qt::AlignLeft | Qt::TextWordWrap, labelText);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(Left() + labelWidth, top, valueWidth, height),
                    Qt::AlignLeft | Qt::TextWordWrap, valueText);
            };
            pages_.Add(std::move(block));
        }
    }

    // Lines set in two columns, the first column filled first.
    void TwoColumns(const std::vector<std::string>& lines)
    {
        const QFont font = ReportFont(BodyPoints);
        const double columnWidth = (Width() - Mm(6)) / 2.0;
        const std::size_t rows = (lines.size() + 1) / 2;
        for (std::size_t r = 0; r < rows; ++r) {
            const QString first = Q(lines[r]);
            const QString second = r + rows < lines.size() ? Q(lines[r + rows]) : QString();
            const double height = std::max(
                pages_.TextHeight(font, columnWidth, first), pages_.TextHeight(font, columnWidth, second));
            PageBlock block;
            block.height = height + Mm(1.2);
            block.paint = [this, font, first, second, columnWidth, height](QPainter& painter, double top) {
                painter.setFont(font);
                painter.drawText(
                    QRectF(Left(), top, columnWidth, height), Qt::AlignLeft | Qt::TextWordWrap, first);
                painter.drawText(QRectF(Left() + columnWidth + Mm(6), top, columnWidth, height),
                    Qt::AlignLeft | Qt::TextWordWrap, second);
            };
            pages_.Add(std::move(block));
        }
    }

    void Title()
    {
        const QFont titleFont = ReportFont(18, true);
        const QFont subtitleFont = ReportFont(NotePoints);
        const QString title = "散乱線量評価報告書";
        const QString subtitle = "Scattered radiation around a fluoroscopy patient: assessment report";
        const double titleHeight = pages_.TextHeight(titleFont, Width(), title);
        const double subtitleHeight = pages_.TextHeight(subtitleFont, Width(), subtitle);
        PageBlock block;
        block.height = titleHeight + subtitleHeight + Mm(5);
        block.paint = [=, this](QPainter& painter, double top) {
            painter.setFont(titleFont);
            painter.drawText(QRectF(Left(), top, Width(), titleHeight), Qt::AlignLeft, title);
            painter.setFont(subtitleFont);
            painter.setPen(NoteColour);
            painter.drawText(
                QRectF(Left(), top + titleHeight, Width(), subtitleHeight), Qt::AlignLeft, subtitle);
        };
        pages_.Add(std::move(block));
        LabelledRows(TitleRows(in_), Mm(68));
    }

    void Conditions()
    {
        Heading("照射条件 (exposure conditions, as the result's header holds them)");
        TwoColumns(ConditionLines(in_.header));
    }

    void Beam()
    {
        Heading("X線スペクトル (tube spectrum)");
        std::vector<std::string> lines;
        for (const BeamFigure& figure : in_.beam.figures) lines.push_back(BeamFigureLine(figure));
        if (!lines.empty()) TwoColumns(lines);
        Paragraph(BeamNote(in_.beam), NotePoints, NoteColour);
    }

    void Method()
    {
        Heading("計算方法と不確かさ (method and uncertainty)");
        for (const std::string& paragraph : MethodParagraphs(in_)) Paragraph(paragraph, BodyPoints);
    }

    // A picture of the map of `layer` with its height above it, in a cell `width` wide at `x`.
    void PaintMapCell(QPainter& painter, double x, double top, double width, HeightLayer layer,
        const QImage& map, double captionHeight) const
    {
        painter.setFont(ReportFont(BodyPoints, true));
        painter.drawText(QRectF(x, top, width, captionHeight), Qt::AlignLeft | Qt::AlignVCenter,
            QString::fromUtf8(HeightCaption(layer)));
        painter.drawImage(QRectF(x, top + captionHeight, width, width * MapImageHeight / MapImageWidth), map);
    }

    void Maps()
    {
        Heading(std::string("散乱線量分布図 (maps): ") + QuantityCaption(in_.quantity) + " [" +
                    QuantityUnit(in_.quantity) + "]",
            true);
        const double gap = Mm(6);
        const double cellWidth = (Width() - gap) / 2.0;
        const double imageWidth = cellWidth - Mm(3);
        const double imageHeight = imageWidth * MapImageHeight / MapImageWidth;
        const double captionHeight = Mm(6);
        const double rowHeight = captionHeight + imageHeight + Mm(4);
        std::array<QImage, 3> maps;
        for (const HeightLayer layer : {HeightLayer::Above, HeightLayer::Centre, HeightLayer::Below})
            maps[static_cast<std::size_t>(layer) - 1] =
                RenderMapView(in_.grid, layer, in_.thresholds, in_.header.patientPosition, in_.header.fsd);

        PageBlock first;
        first.height = rowHeight;
        first.paint = [=, this](QPainter& painter, double top) {
            PaintMapCell(painter, Left(), top, imageWidth, HeightLayer::Above, maps[0], captionHeight);
            PaintMapCell(painter, Left() + cellWidth + gap, top, imageWidth, HeightLayer::Centre, maps[1],
                captionHeight);
        };
        const std::size_t firstRow = pages_.Add(std::move(first));
        pictures_.push_back({firstRow, ReportPicture::Map, HeightLayer::Above,
            QRectF(Left(), captionHeight, imageWidth, imageHeight)});
        pictures_.push_back({firstRow, ReportPicture::Map, HeightLayer::Centre,
            QRectF(Left() + cellWidth + gap, captionHeight, imageWidth, imageHeight)});

        const double legendX = Left() + cellWidth + gap;
        const double stripWidth = Mm(13);
        const QString notes = MapNotes();
        const QFont noteFont = ReportFont(NotePoints);
        PageBlock second;
        second.height = rowHeight;
        second.paint = [=, this](QPainter& painter, double top) {
            PaintMapCell(painter, Left(), top, imageWidth, HeightLayer::Below, maps[2], captionHeight);
            painter.setFont(ReportFont(BodyPoints, true));
            painter.drawText(QRectF(legendX, top, cellWidth, captionHeight), Qt::AlignLeft | Qt::AlignVCenter,
                "凡例 (legend) " + QString::fromUtf8(QuantityUnit(in_.quantity)));
            const double stripTop = top + captionHeight + Mm(1);
            PaintLegend(painter, legendX, stripTop, stripWidth, in_.thresholds);
            painter.setFont(noteFont);
            painter.setPen(NoteColour);
            const double notesTop = stripTop + LegendHeight(stripWidth) + Mm(4);
            painter.drawText(QRectF(legendX, notesTop, cellWidth, top + rowHeight - notesTop),
                Qt::AlignLeft | Qt::TextWordWrap, notes);
        };
        const std::size_t secondRow = pages_.Add(std::move(second));
        pictures_.push_back({secondRow, ReportPicture::Map, HeightLayer::Below,
            QRectF(Left(), captionHeight, imageWidth, imageHeight)});
        pictures_.push_back({secondRow, ReportPicture::MapLegend, HeightLayer::Centre,
            QRectF(legendX, captionHeight + Mm(1), stripWidth, LegendHeight(stripWidth))});
    }

    // What the maps' colours, white, axes and scale mean.
    QString MapNotes() const
    {
        const bool standing = in_.header.patientPosition == PatientPosition::Standing;
        return Q(
            std::string("各色はそのしきい値以上の線量率、白は最も低いしきい値未満です。図は 1 cm "
                        "格子で、線は 100 cm ごと、横軸は患者の軸からの横方向の距離 (cm)、縦軸は") +
            (standing ? "ビーム軸方向 (上が管球側)" : "患者の体軸方向") +
            "です。 [Each colour: at or above its threshold; white: below the lowest. Lines every 100 cm.]");
    }

    void Overlay()
    {
        const ReportRoom& room = *in_.room;
        Heading("部屋レイアウト上の分布 (over the room plan)", true);
        const double stripWidth = Mm(9);
        const double boxWidth = Width() - LegendWidth(stripWidth) - Mm(3);
        const QImage view = TrimmedToContent(
            RenderOverlayView(room.layout, in_.grid, room.layer, in_.thresholds, room.bothSides,
                in_.header.patientPosition, in_.header.fsd, PointMarksOf(room.points, room.doses)));
        // The plan as large as the column allows, at most as tall as it is wide.
        const double scale = std::min(boxWidth / view.width(), boxWidth / view.height());
        const QSizeF size(view.width() * scale, view.height() * scale);
        const QString caption =
            Q(room.layoutName + "、" + QuantityCaption(in_.quantity) + "、" + HeightCaption(room.layer) +
                (room.bothSides ? "、両側の分布 (both sides)" : "、片側の分布 (one side)"));
        const QFont captionFont = ReportFont(BodyPoints);
        const double captionHeight = pages_.TextHeight(captionFont, Width(), caption) + Mm(1);
        const double legendX = Left() + size.width() + Mm(3);
        PageBlock block;
        block.height = captionHeight + std::max(size.height(), LegendHeight(stripWidth) + Mm(6)) + Mm(3);
        block.paint = [=, this](QPainter& painter, double top) {
            painter.setFont(captionFont);
            painter.drawText(
                QRectF(Left(), top, Width(), captionHeight), Qt::AlignLeft | Qt::TextWordWrap, caption);
            painter.drawImage(QRectF(QPointF(Left(), top + captionHeight), size), view);
            painter.setFont(ReportFont(LegendPoints, true));
            painter.drawText(QRectF(legendX, top + captionHeight, LegendWidth(stripWidth), Mm(5)),
                Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(QuantityUnit(in_.quantity)));
            PaintLegend(painter, legendX, top + captionHeight + Mm(6), stripWidth, in_.thresholds);
        };
        const std::size_t index = pages_.Add(std::move(block));
        pictures_.push_back(
            {index, ReportPicture::Overlay, room.layer, QRectF(QPointF(Left(), captionHeight), size)});
        pictures_.push_back({index, ReportPicture::OverlayLegend, room.layer,
            QRectF(legendX, captionHeight + Mm(6), stripWidth, LegendHeight(stripWidth))});
        std::string note =
            "斜線は線量のない領域 (ベッド軸から 20 cm 以内の未計数の帯と計算範囲の外)、白は最も低い"
            "しきい値未満です。 [Hatched: no dose there; white: below the lowest threshold.]";
        if (RoomBeyondScoredRange(room.layout))
            note += " 注意: 部屋の一部は計算範囲 (軸から横 400 cm、軸方向 ±300 cm) "
                    "の外にあり、そこには線量がありません。 "
                    "[Part of the room lies beyond the scored range.]";
        Paragraph(note, NotePoints, NoteColour);
    }

    // One row of the points table; `header` fills it grey and sets it in bold.
    std::size_t TableRow(const std::array<std::string, PointColumnCount>& texts, bool header,
        std::optional<std::size_t> repeatedHeader, const QColor& statusColour)
    {
        const QFont font = ReportFont(TablePoints, header);
        std::array<QString, PointColumnCount> cells;
        double height = 0.0;
        for (int c = 0; c < PointColumnCount; ++c) {
            cells[static_cast<std::size_t>(c)] = Q(texts[static_cast<std::size_t>(c)]);
            height = std::max(height,
                pages_.TextHeight(font, Mm(PointColumnWidths[static_cast<std::size_t>(c)] - 2 * CellPadding),
                    cells[static_cast<std::size_t>(c)]));
        }
        height += Mm(2 * CellPadding);
        PageBlock block;
        block.height = height;
        block.keepWithNext = header;
        block.repeatedHeader = repeatedHeader;
        block.paint = [=, this](QPainter& painter, double top) {
            if (header) painter.fillRect(QRectF(Left(), top, Width(), height), TableHeaderFill);
            painter.setPen(QPen(RuleColour, Mm(0.15)));
            painter.drawLine(QPointF(Left(), top), QPointF(Left() + Width(), top));
            painter.drawLine(QPointF(Left(), top + height), QPointF(Left() + Width(), top + height));
            double x = Left();
            painter.setFont(font);
            for (int c = 0; c < PointColumnCount; ++c) {
                const double width = Mm(PointColumnWidths[static_cast<std::size_t>(c)]);
                painter.setPen(QPen(RuleColour, Mm(0.15)));
                painter.drawLine(QPointF(x, top), QPointF(x, top + height));
                painter.setPen(!header && c == 10 ? statusColour : QColor(Qt::black));
                const int alignment = header ? Qt::AlignHCenter | Qt::AlignVCenter : PointColumnAlignment(c);
                painter.drawText(QRectF(x + Mm(CellPadding), top, width - Mm(2 * CellPadding), height),
                    alignment | Qt::TextWordWrap, cells[static_cast<std::size_t>(c)]);
                x += width;
            }
            painter.setPen(QPen(RuleColour, Mm(0.15)));
            painter.drawLine(QPointF(x, top), QPointF(x, top + height));
        };
        return pages_.Add(std::move(block));
    }

    void PointsTable()
    {
        const ReportRoom& room = *in_.room;
        Heading("評価点の線量 (doses at the evaluation points)");
        std::array<std::string, PointColumnCount> headings;
        std::copy(PointColumnHeadings.begin(), PointColumnHeadings.end(), headings.begin());
        const std::size_t header = TableRow(headings, true, std::nullopt, Qt::black);
        for (std::size_t n = 0; n < room.points.size(); ++n) {
            const DoseStatus status = room.doses[n].status;
            const QColor colour = status == DoseStatus::Pass   ? PassColour
                                  : status == DoseStatus::Fail ? FailColour
                                                               : NoteColour;
            TableRow(PointRowTexts(room.points[n], room.doses[n]), false, header, colour);
        }
        Space(Mm(3));
    }

    void Workload()
    {
        Heading("ワークロードと遮蔽の透過率 (workload and transmission)");
        // One statement of the model: its paragraphs stay together.
        const std::vector<std::string> paragraphs = WorkloadParagraphs(in_);
        for (std::size_t n = 0; n < paragraphs.size(); ++n)
            Paragraph(paragraphs[n], NotePoints, Qt::black, n + 1 < paragraphs.size());
    }

    ReportPages& pages_;
    const ReportInputs& in_;
    int section_ = 0;
    std::vector<Picture> pictures_;
};

} // namespace

std::string ReportPdfBytes(const ReportInputs& inputs, std::vector<PlacedPicture>* placed)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    std::vector<BlockPlace> places;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(Q(inputs.resultName + " 散乱線量評価報告書"));
        writer.setCreator(Q(inputs.softwareVersion));
        ReportPages pages(writer);
        ReportBuilder builder(pages, inputs);
        builder.Build();
        if (!pages.Paint(inputs.resultName, places)) return {};
        if (placed) *placed = builder.Placed(places);
    }
    buffer.close();
    return bytes.toStdString();
}

std::optional<Problem> WriteReportPdf(const std::filesystem::path& path, const ReportInputs& inputs)
{
    const std::string bytes = ReportPdfBytes(inputs);
    if (bytes.empty())
        return FileProblem(path.filename().string(), "の報告書を作れません", "the report cannot be drawn");
    return WriteTextFileAtomically(path, bytes);
}

} // namespace brisca
