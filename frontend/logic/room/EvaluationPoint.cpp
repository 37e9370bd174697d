#include "logic/room/EvaluationPoint.h"

#include <utility>

namespace brisca {

const std::array<TypicalOccupancy, 6> TypicalOccupancies = {{
    {1.0, "1", "事務室・検査室・ナースステーション・操作室・隣の X 線室・付き添いのいる待合室",
        "offices, laboratories, nurses' stations, X-ray control rooms, adjacent X-ray rooms, attended "
        "waiting rooms"},
    {1.0 / 2, "1/2", "患者の検査・治療に使う部屋", "rooms used for patient examinations and treatments"},
    {1.0 / 5, "1/5", "廊下・病室・職員休憩室・職員用トイレ",
        "corridors, patient rooms, staff lounges, rest rooms"},
    {1.0 / 8, "1/8", "廊下の扉", "corridor doors"},
    {1.0 / 20, "1/20", "公衆トイレ・倉庫・無人の待合室・座席のある屋外",
        "public toilets, storage rooms, unattended waiting rooms, outdoor areas with seating"},
    {1.0 / 40, "1/40", "通り抜けるだけの屋外・無人の駐車場・階段・屋根裏",
        "outdoor areas with transient traffic, unattended parking, stairways, attics"},
}};

double DefaultLimitMsvPerYear(PersonCategory category)
{
    return category == PersonCategory::Occupational ? 20.0 : 1.0;
}

EvaluationPoint DefaultPoint(std::string name, double xCm, double yCm, PersonCategory category)
{
    EvaluationPoint point;
    point.name = std::move(name);
    point.xCm = xCm;
    point.yCm = yCm;
    point.limitMsvPerYear = DefaultLimitMsvPerYear(category);
    return point;
}

std::string PointsFileName(std::string_view roomFileName)
{
    constexpr std::string_view extension = ".Room";
    if (roomFileName.size() > extension.size() && roomFileName.ends_with(extension))
        roomFileName.remove_suffix(extension.size());
    return std::string(roomFileName) + ".points.csv";
}

} // namespace brisca
