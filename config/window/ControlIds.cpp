#include "config/window/ControlIds.h"

#include <array>
#include <stdexcept>
#include <string>

namespace zeb40 {
namespace {

constexpr std::array<SettingControlIds, 45> SettingIds{{
    {12, 1009, 0},    {13, 1010, 0},    {14, 1011, 0},    {15, 1012, 0},    {16, 1014, 0},
    {17, 1015, 1018}, {18, 1017, 1020}, {20, 1043, 0},    {24, 1068, 0},    {25, 1067, 0},
    {26, 1066, 0},    {27, 1064, 0},    {28, 1013, 0},    {29, 1016, 0},    {30, 1021, 1022},
    {31, 1044, 0},    {32, 1053, 0},    {33, 1052, 0},    {34, 1051, 0},    {35, 1050, 0},
    {41, 1023, 0},    {42, 1028, 0},    {44, 1029, 0},    {45, 1030, 1031}, {46, 1032, 1033},
    {60, 1034, 0},    {62, 1038, 1039}, {63, 1040, 1041}, {64, 1035, 0},    {65, 1036, 0},
    {66, 1026, 0},    {72, 1019, 0},    {73, 1024, 0},    {74, 1027, 0},    {80, 1059, 0},
    {81, 1077, 0},    {82, 1074, 0},    {88, 1042, 0},    {89, 1049, 0},    {90, 1075, 1076},
    {92, 1025, 0},    {93, 1047, 0},    {94, 1046, 0},    {95, 1045, 0},    {96, 1037, 0},
}};

} // namespace

const SettingControlIds& SettingControlIdsOf(int item) {
    for (const SettingControlIds& ids : SettingIds) {
        if (ids.item == item)
            return ids;
    }
    throw std::logic_error("no controls for item " + std::to_string(item));
}

} // namespace zeb40
